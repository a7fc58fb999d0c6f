#pragma once
// Registry access in the manner of an INI file, on the registry store of Windows.h: the file name is a
// key path under HKEY_CURRENT_USER, a section a key below it, an ident a named string value.

#include "Classes.h"
#include "IniFiles.h"
#include "Windows.h"

VCL_EXCEPTION(ERegistryException, Exception);

class TRegIniFile : public TObject {
    VCL_CLASS(TRegIniFile, TObject)
    // Opens HKEY_CURRENT_USER\FileName, creating it; ERegistryException when it cannot be created.
    explicit TRegIniFile(const AnsiString& FileName);
    ~TRegIniFile() override;
    const AnsiString& FileName() const { return fileName_; }

    // Section names the key below FileName ("" for FileName itself), or with a leading "\" the key below
    // HKEY_CURRENT_USER. Default when the key or the value is missing; ERegistryException for a value
    // that is no string.
    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default);
    // Creates the section's key; ERegistryException when the key or the value cannot be stored.
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);

private:
    friend class TRegistryIniFile;
    AnsiString fileName_;
    HKEY key_ = nullptr;
};

// The INI-file interface on the registry: the file name is a key path under HKEY_CURRENT_USER, a section
// the key below it. Integers are REG_DWORD values; a string value reads as the integer it spells, any
// other value as the default. A key that cannot be opened reads as empty; writing to it raises. Writes
// are held from the first until UpdateFile (or the object's end): the store's file is written once.
class TRegistryIniFile : public TCustomIniFile {
    VCL_CLASS(TRegistryIniFile, TCustomIniFile)
    explicit TRegistryIniFile(const AnsiString& FileName);
    ~TRegistryIniFile() override;
    // nil when the key could not be opened.
    TRegIniFile* RegIniFile() const { return regIniFile_.get(); }

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
    Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) override;
    // ERegistryException when the key or the value cannot be stored (so for WriteString too).
    void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) override;
    // ERegistryException when the held writes cannot be stored. The destructor writes them too, silently.
    void UpdateFile() override;

private:
    TRegIniFile& Writable();
    bool holding_ = false;
    std::unique_ptr<TRegIniFile> regIniFile_;
};
