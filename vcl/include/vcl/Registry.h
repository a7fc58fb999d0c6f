#pragma once
// Registry access in the manner of an INI file, on the registry store of Windows.h: the file name is a
// key path under HKEY_CURRENT_USER, a section a key below it, an ident a named string value.

#include "Classes.h"
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
    AnsiString fileName_;
    HKEY key_ = nullptr;
};
