#include "directory/LetterListFill.h"

namespace LetterListFill {

QString pattern(int tabIndex)
{
    return QString(QChar(u'A' + tabIndex)) + u'%';
}

} // namespace LetterListFill
