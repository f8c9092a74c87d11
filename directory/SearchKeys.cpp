#include "directory/SearchKeys.h"

namespace SearchKeys {

bool takesFieldText(int virtualKey)
{
    const auto within = [virtualKey](int first, int last) { return virtualKey >= first && virtualKey <= last; };
    return virtualKey == 8 || virtualKey == 34 || virtualKey == 46 || within(48, 57) || within(65, 90)
        || within(96, 111) || within(187, 192) || within(219, 222);
}

} // namespace SearchKeys
