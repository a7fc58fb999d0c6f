#include <filesystem>

#include "IniFiles/IniText.h"
#include "System/Codepage.h"
#include "Windows/SettingsFiles.h"
#include "vcl/IniFiles.h"
#include "vcl/SysUtils.h"

VCL_IMPLEMENT_CLASS(TCustomIniFile, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TIniFile, nullptr, nullptr)

namespace {

// There is no Windows folder: a name without a folder lies in the configuration folder.
std::filesystem::path FilePath(const AnsiString& FileName) {
    const std::filesystem::path path(codepage::AnsiToUtf8(FileName));
    if (path.is_absolute()) return path;
    return (settings::ConfigurationFolder() / path).lexically_normal();
}

}  // namespace

Integer TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) {
    return StrToIntDef(ReadString(Section, Ident, {}), Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
    std::string text;
    if (!settings::ReadWholeFile(FilePath(FileName()), text)) return Default;
    const initext::TIniEntry entry = initext::Locate(text, Section, Ident);
    return entry.KeyFound ? initext::ValueOf(entry.RawValue) : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    const AnsiString failure = "Unable to write to " + FileName();
    const std::string unstorable = initext::Unstorable(Section, Ident, Value);
    if (!unstorable.empty()) throw EIniFileException(failure + ": " + unstorable);
    const std::filesystem::path file = FilePath(FileName());
    std::string text;
    if (!settings::ReadWholeFile(file, text)) throw EIniFileException(failure);
    initext::SetEntry(text, Section, Ident, Value);
    if (!std::filesystem::path(codepage::AnsiToUtf8(FileName())).is_absolute()) {
        std::error_code error;  // a failure shows in the write
        std::filesystem::create_directories(file.parent_path(), error);
    }
    if (!settings::ReplaceWholeFile(file, text)) throw EIniFileException(failure);
}
