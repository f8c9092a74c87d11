#include "directory/SearchKeys.h"

#include "platform/ui/VirtualKey.h"

namespace SearchKeys {

bool takesFieldText(int virtualKey)
{
    const auto within = [virtualKey](int first, int last) { return virtualKey >= first && virtualKey <= last; };
    using namespace ui::keyCode;
    return virtualKey == backspace || virtualKey == pageDown || virtualKey == deleteKey || within(digit0, digit9)
        || within(letterA, letterZ) || within(keypad0, keypadDivide) || within(equal, backquote)
        || within(bracketLeft, quote);
}

} // namespace SearchKeys
