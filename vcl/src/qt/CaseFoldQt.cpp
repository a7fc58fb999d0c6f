// Case folding from Qt's Unicode tables.
#include <QChar>

#include "SysUtils/CaseFold.h"

char32_t FoldCase(char32_t CodePoint) { return QChar::toCaseFolded(CodePoint); }
