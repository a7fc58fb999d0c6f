#include <cstring>
#include <string>
#include <utility>

#include "Windows/RegistryBatch.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

VCL_IMPLEMENT_CLASS(TRegIniFile, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TRegistryIniFile, nullptr, nullptr)

namespace {

// An open section key, closed at the end of the call; "" is the object's own key, left open.
class TSectionKey {
public:
    explicit TSectionKey(HKEY Own) : key_(Own) {}
    ~TSectionKey() {
        if (opened_) RegCloseKey(key_);
    }
    TSectionKey(const TSectionKey&) = delete;
    TSectionKey& operator=(const TSectionKey&) = delete;

    // Opens (or with Create creates) the section's key: below HKEY_CURRENT_USER for a leading "\".
    bool Open(const AnsiString& Section, bool Create) {
        if (Section.empty()) return true;
        const HKEY parent = Section[0] == '\\' ? HKEY_CURRENT_USER : key_;
        HKEY opened = nullptr;
        const LONG result = Create ? RegCreateKeyExA(parent, Section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                     KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                                   : RegOpenKeyExA(parent, Section.c_str(), 0, KEY_READ, &opened);
        if (result != ERROR_SUCCESS) return false;
        key_ = opened;
        opened_ = true;
        return true;
    }
    HKEY Key() const { return key_; }

private:
    HKEY key_;
    bool opened_ = false;
};

AnsiString KeyName(const AnsiString& FileName, const AnsiString& Section) {
    if (Section.empty()) return FileName;
    return Section[0] == '\\' ? Section : FileName + '\\' + Section;
}

}  // namespace

TRegIniFile::TRegIniFile(const AnsiString& FileName) : fileName_(FileName) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FileName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
        throw ERegistryException("Cannot create the registry key " + FileName);
}

TRegIniFile::~TRegIniFile() { RegCloseKey(key_); }

AnsiString TRegIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
    TSectionKey section(key_);
    if (!section.Open(Section, false)) return Default;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(section.Key(), Ident.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return Default;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException("The registry value " + Ident + " is not a string");
    std::string data(size, '\0');
    if (RegQueryValueExA(section.Key(), Ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return Default;
    data.resize(size);
    return data.substr(0, data.find('\0'));
}

void TRegIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    TSectionKey section(key_);
    if (!section.Open(Section, true))
        throw ERegistryException("Cannot create the registry key " + KeyName(FileName(), Section));
    if (RegSetValueExA(section.Key(), Ident.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                       static_cast<DWORD>(Value.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException("Cannot store the registry value " + Ident);
}

// A key that cannot be opened leaves reads with their defaults, as the class library's does.
TRegistryIniFile::TRegistryIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {
    try {
        regIniFile_ = std::make_unique<TRegIniFile>(FileName);
    } catch (const ERegistryException&) {
    }
}

TRegistryIniFile::~TRegistryIniFile() {
    if (holding_) EndRegistryBatch();
}

TRegIniFile& TRegistryIniFile::Writable() {
    if (!regIniFile_) throw ERegistryException("Cannot create the registry key " + FileName());
    if (!holding_) BeginRegistryBatch();
    holding_ = true;
    return *regIniFile_;
}

void TRegistryIniFile::UpdateFile() {
    if (!std::exchange(holding_, false)) return;
    if (!EndRegistryBatch()) throw ERegistryException("Cannot store the registry values of " + FileName());
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
    return regIniFile_ ? regIniFile_->ReadString(Section, Ident, Default) : Default;
}

void TRegistryIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
    Writable().WriteString(Section, Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) {
    if (!regIniFile_) return Default;
    TSectionKey section(regIniFile_->key_);
    if (!section.Open(Section, false)) return Default;
    // Sized for a number written as text; a longer value is no integer anyway.
    char data[64] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(data) - 1;
    if (RegQueryValueExA(section.Key(), Ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return Default;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, data, sizeof(value));
        return static_cast<Integer>(value);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) return StrToIntDef(AnsiString(data), Default);
    return Default;
}

void TRegistryIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) {
    TSectionKey section(Writable().key_);
    if (!section.Open(Section, true))
        throw ERegistryException("Cannot create the registry key " + KeyName(FileName(), Section));
    const auto data = static_cast<DWORD>(Value);
    if (RegSetValueExA(section.Key(), Ident.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof(data)) != ERROR_SUCCESS)
        throw ERegistryException("Cannot store the registry value " + Ident);
}
