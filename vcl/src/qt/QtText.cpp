#include "qt/QtText.h"

#include "System/Codepage.h"

QString ToQString(const AnsiString& S) {
    QString result(static_cast<qsizetype>(S.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (char c : S) *out++ = QChar(codepage::AnsiCharToUtf16(static_cast<unsigned char>(c)));
    return result;
}

AnsiString FromQString(const QString& S) {
    return codepage::Utf16ToAnsi(
        std::u16string(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size())));
}
