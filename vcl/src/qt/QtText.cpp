#include "qt/QtText.h"

#include "System/Codepage.h"

QString ToQString(std::string_view S) {
    QString result = QString::fromLatin1(S.data(), static_cast<qsizetype>(S.size()));
    codepage::FixHighControls(S, reinterpret_cast<char16_t*>(result.data()));
    return result;
}

AnsiString FromQString(const QString& S) {
    return codepage::Utf16ToAnsi(
        std::u16string_view(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size())));
}
