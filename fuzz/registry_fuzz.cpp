// Arbitrary bytes as the registry store's file: opening keys and querying values follows the size
// protocol whatever the file holds; a string and a binary value set under any storable key come back
// exactly, through the calls and through TRegIniFile, and each write leaves every other line alone.
#include <cstdint>
#include <cstring>
#include <string>

#include "support/SettingsFiles.h"
#include "vcl/Registry.h"
#include "vcl/Windows.h"

namespace {

using namespace fuzzsettings;

// The value's type and bytes through the size protocol; false when it is missing.
bool Query(HKEY Key, const char* Name, DWORD& Type, std::string& Data) {
    DWORD size = 0;
    if (RegQueryValueExA(Key, Name, nullptr, &Type, nullptr, &size) != ERROR_SUCCESS) return false;
    Data.assign(size, '\0');
    DWORD room = size;
    Check(RegQueryValueExA(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &room) == ERROR_SUCCESS);
    Check(room == size);
    if (Type == REG_SZ || Type == REG_EXPAND_SZ) Check(size > 0 && Data.back() == '\0');
    if (size > 0) {
        DWORD small = size - 1;
        Check(RegQueryValueExA(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &small) ==
              ERROR_MORE_DATA);
        Check(small == size);
    }
    return true;
}

void ReadWhatever(const std::string& Key, const std::string& Name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD type = 0;
    std::string data;
    Query(key, Name.c_str(), type, data);
    Query(key, nullptr, type, data);
    char buffer[64];
    LONG size = sizeof buffer;
    const LONG result = RegQueryValueA(key, nullptr, buffer, &size);
    Check(result == ERROR_SUCCESS || result == ERROR_MORE_DATA || result == ERROR_INVALID_DATA);
    if (result == ERROR_SUCCESS) Check(std::strlen(buffer) + 1 == static_cast<std::size_t>(size));
    Check(RegCloseKey(key) == ERROR_SUCCESS);
}

// Sets the value and reads it back; the file changes in one line at most.
void RoundTrip(HKEY Key, const std::string& Name, DWORD Type, const std::string& Written, const std::string& Read) {
    const std::string store = Folder() + "/registry";
    const std::string before = Contents(store);
    Check(RegSetValueExA(Key, Name.c_str(), 0, Type, reinterpret_cast<const BYTE*>(Written.data()),
                         static_cast<DWORD>(Written.size())) == ERROR_SUCCESS);
    Check(ChangesAtMostOneLine(before, Contents(store)));
    DWORD type = 0;
    std::string data;
    Check(Query(Key, Name.c_str(), type, data));
    Check(type == Type && data == Read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TInput input = CutInput(std::string(reinterpret_cast<const char*>(data), size));
    // The calls take the names as C strings, so they end at the first NUL.
    const std::string keyName = input.Names[0].substr(0, input.Names[0].find('\0'));
    const std::string name = input.Names[1].substr(0, input.Names[1].find('\0'));
    const std::string& value = input.Names[2];
    SetRegistryFolderForTest(Folder());
    const std::string store = Folder() + "/registry";
    SetContents(store, input.File);

    ReadWhatever(keyName, name);
    ReadWhatever("", name);

    HKEY key = nullptr;
    const LONG created = RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (keyName.find_first_of("\t\r\n") != std::string::npos) {
        Check(created == ERROR_INVALID_PARAMETER && Contents(store) == input.File);
        return 0;
    }
    Check(created == ERROR_SUCCESS && ChangesAtMostOneLine(input.File, Contents(store)));
    const std::string text = value.substr(0, value.find('\0'));
    RoundTrip(key, name, REG_SZ, value, text + '\0');
    RoundTrip(key, name + "#binary", REG_BINARY, value, value);
    Check(RegCloseKey(key) == ERROR_SUCCESS);

    TRegIniFile registry(keyName);
    registry.WriteString("Section", name, value);
    Check(registry.ReadString("section", name, "\x01(default)") == text);
    return 0;
}
