#include <filesystem>

#include "IniFiles/IniText.h"
#include "System/Codepage.h"
#include "Windows/SettingsFiles.h"
#include "vcl/IniFiles.h"
#include "vcl/SysUtils.h"

VCL_IMPLEMENT_CLASS(TCustomIniFile, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TIniFile, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TMemIniFile, nullptr, nullptr)

namespace {

// There is no Windows folder: a name without a folder lies in the configuration folder.
std::filesystem::path FilePath(const AnsiString& FileName) {
    const std::filesystem::path path(codepage::AnsiToUtf8(FileName));
    if (path.is_absolute()) return path;
    return (settings::ConfigurationFolder() / path).lexically_normal();
}

AnsiString UnableToWrite(const AnsiString& FileName) { return "Unable to write to " + FileName; }

void RefuseUnstorable(const AnsiString& FileName, const AnsiString& Section, const AnsiString& Ident,
                      const AnsiString& Value) {
    const std::string unstorable = initext::Unstorable(Section, Ident, Value);
    if (!unstorable.empty()) throw EIniFileException(UnableToWrite(FileName) + ": " + unstorable);
}

// Replaces the file, making the configuration folder first for a name without a folder.
void WriteIniText(const AnsiString& FileName, const std::string& Text) {
    const std::filesystem::path file = FilePath(FileName);
    if (!std::filesystem::path(codepage::AnsiToUtf8(FileName)).is_absolute()) {
        std::error_code error;  // a failure shows in the write
        std::filesystem::create_directories(file.parent_path(), error);
    }
    if (!settings::ReplaceWholeFile(file, Text)) throw EIniFileException(UnableToWrite(FileName));
}

AnsiString ReadFrom(initext::TIniDocument& Document, const AnsiString& Section, const AnsiString& Ident,
                    const AnsiString& Default) {
    const std::optional<std::string_view> raw = Document.RawValue(Section, Ident);
    return raw ? initext::ValueOf(*raw) : Default;
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
    initext::TIniDocument document(std::move(text));
    return ReadFrom(document, Section, Ident, Default);
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    RefuseUnstorable(FileName(), Section, Ident, Value);
    std::string text;
    if (!settings::ReadWholeFile(FilePath(FileName()), text)) throw EIniFileException(UnableToWrite(FileName()));
    initext::TIniDocument document(std::move(text));
    document.SetEntry(Section, Ident, Value);
    WriteIniText(FileName(), document.Text());
}

TMemIniFile::TMemIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {
    std::string text;
    readable_ = settings::ReadWholeFile(FilePath(FileName), text);
    document_ = std::make_unique<initext::TIniDocument>(std::move(text));
}

TMemIniFile::~TMemIniFile() = default;

AnsiString TMemIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
    return ReadFrom(*document_, Section, Ident, Default);
}

void TMemIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    RefuseUnstorable(FileName(), Section, Ident, Value);
    document_->SetEntry(Section, Ident, Value);
    modified_ = true;
}

void TMemIniFile::UpdateFile() {
    if (!modified_) return;
    if (!readable_) throw EIniFileException(UnableToWrite(FileName()));
    WriteIniText(FileName(), document_->Text());
    modified_ = false;
}
