#include "qt/QtText.h"

#include "System/Codepage.h"

QString ToQString(const AnsiString& S) {
    const std::u16string wide = codepage::AnsiToUtf16(S);
    return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

AnsiString FromQString(const QString& S) {
    return codepage::Utf16ToAnsi(
        std::u16string(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size())));
}
