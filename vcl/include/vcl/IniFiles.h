#pragma once
// INI files: "[Section]" header lines, then "Ident=Value" lines. Section and key names compare without
// case; a value is read trimmed, without one pair of enclosing quotes. A relative file name lies in the
// stand-in's configuration folder, the registry's (Windows.h).

#include <memory>

#include "Classes.h"

namespace initext {
class TIniDocument;
}

VCL_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
    VCL_CLASS(TCustomIniFile, TObject)
    explicit TCustomIniFile(const AnsiString& FileName) : fileName_(FileName) {}
    const AnsiString& FileName() const { return fileName_; }

    // Default when the section or the key is missing.
    virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) = 0;
    virtual void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) = 0;
    // A value that is no integer (as StrToInt reads one) reads as Default.
    virtual Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default);
    virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value);
    // Writes what the object still holds of its writes; raises when that cannot be written.
    virtual void UpdateFile() {}

private:
    AnsiString fileName_;
};

// Reads and writes the file at each call. A write changes or adds one line and keeps every other byte,
// creating the file and appending a missing section; it replaces the file through a temporary one.
// EIniFileException "Unable to write to <file name>" when the file cannot be written, or when the text
// cannot be kept: a line break in a value or a name, '=' in a key name or one that begins with '[', ']' in
// a section name. A value with outer blanks or quotes is written quoted, so it reads back unchanged.
class TIniFile : public TCustomIniFile {
    VCL_CLASS(TIniFile, TCustomIniFile)
    explicit TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {}

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
};

// The file read once into memory: reads as TIniFile's, writes change the memory only (refusing the same
// text TIniFile refuses), and UpdateFile writes the file once, raising EIniFileException "Unable to
// write to <file name>" when it cannot.
class TMemIniFile : public TCustomIniFile {
    VCL_CLASS(TMemIniFile, TCustomIniFile)
    explicit TMemIniFile(const AnsiString& FileName);
    ~TMemIniFile() override;

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
    void UpdateFile() override;

private:
    std::unique_ptr<initext::TIniDocument> document_;  // the file's lines, indexed by section and key
    bool readable_ = true;                             // a file that exists but cannot be read is never replaced
    bool modified_ = false;
};
