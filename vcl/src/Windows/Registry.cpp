// The registry stand-in: keys and their default values, kept in a text file of the user's configuration
// folder, over built-in defaults. One line per key: its full path as written, a tab, its value, in which
// \\, \t, \n and \r stand for a backslash, tab, line feed and carriage return (any other backslash stands
// for itself, so a hand-written value rarely needs escapes). Keys compare without case.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include "vcl/Windows.h"

namespace {

struct TRegistryValue {
    std::string Path;  // as written
    std::string Data;
};
using TRegistryKeys = std::map<std::string, TRegistryValue>;  // by upper-cased path

struct TRegistryState {
    std::mutex Lock;
    std::string FolderForTest;
    std::map<std::uintptr_t, std::string> OpenKeys;  // handle -> path of the key
    std::uintptr_t NextHandle = 0x1000;
};

TRegistryState& State() {
    static TRegistryState state;
    return state;
}

struct TRootName {
    std::uintptr_t Key;
    const char* Name;
};
constexpr TRootName RootNames[] = {{0x80000000, "HKEY_CLASSES_ROOT"},
                                   {0x80000001, "HKEY_CURRENT_USER"},
                                   {0x80000002, "HKEY_LOCAL_MACHINE"},
                                   {0x80000003, "HKEY_USERS"}};

// Until the user sets another, web pages open with the desktop's URL opener.
struct TDefaultKey {
    const char* Path;
    const char* Data;
};
constexpr TDefaultKey DefaultKeys[] = {
    {"HKEY_CLASSES_ROOT\\.htm", "htmlfile"},
    {"HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command", "xdg-open \"%1\""},
};

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char next = s[i + 1];
        const char escaped = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next == '\\' ? '\\' : 0;
        if (escaped == 0) {
            out += '\\';  // not an escape: the backslash stands as written
            continue;
        }
        out += escaped;
        ++i;
    }
    return out;
}

std::filesystem::path Folder() {
    if (!State().FolderForTest.empty()) return State().FolderForTest;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::filesystem::path(config) / "halcyra";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "halcyra";
}

std::filesystem::path FilePath() { return Folder() / "registry"; }

// The keys the file sets; lines without a tab are not keys and are passed over.
TRegistryKeys ReadFileKeys() {
    TRegistryKeys keys;
    std::ifstream in(FilePath(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
        const std::string path = line.substr(0, tab);
        keys[Upper(path)] = {path, Unescape(line.substr(tab + 1))};
    }
    return keys;
}

bool WriteFileKeys(const TRegistryKeys& keys) {
    std::error_code error;
    std::filesystem::create_directories(Folder(), error);
    const std::filesystem::path target = FilePath();
    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "# Halcyra settings: a key's path, a tab, then its value.\n";
        for (const auto& [upper, value] : keys) out << value.Path << '\t' << Escape(value.Data) << '\n';
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temporary, target, error);
    return !error;
}

TRegistryKeys AllKeys() {
    TRegistryKeys keys;
    for (const TDefaultKey& key : DefaultKeys) keys[Upper(key.Path)] = {key.Path, key.Data};
    for (auto& [upper, value] : ReadFileKeys()) keys[upper] = std::move(value);
    return keys;
}

// A key exists when it holds a value or some key lies below it.
bool KeyExists(const TRegistryKeys& keys, const std::string& path) {
    const std::string upper = Upper(path);
    if (keys.count(upper) != 0) return true;
    const std::string prefix = upper + '\\';
    const auto below = keys.lower_bound(prefix);
    return below != keys.end() && below->first.compare(0, prefix.size(), prefix) == 0;
}

// The path of an open or root key; false for a handle the registry never gave.
bool KeyPath(HKEY hKey, std::string& path) {
    const auto value = reinterpret_cast<std::uintptr_t>(hKey);
    for (const TRootName& root : RootNames) {
        if (root.Key == value) {
            path = root.Name;
            return true;
        }
    }
    const auto open = State().OpenKeys.find(value);
    if (open == State().OpenKeys.end()) return false;
    path = open->second;
    return true;
}

std::string SubKeyPath(const std::string& parent, const char* subKey) {
    std::string sub = subKey != nullptr ? subKey : "";
    const std::size_t first = sub.find_first_not_of('\\');
    if (first == std::string::npos) return parent;
    sub = sub.substr(first, sub.find_last_not_of('\\') - first + 1);
    return parent + '\\' + sub;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    if (!KeyExists(AllKeys(), path)) return ERROR_FILE_NOT_FOUND;
    const std::uintptr_t handle = State().NextHandle++;
    State().OpenKeys[handle] = path;
    *phkResult = reinterpret_cast<HKEY>(handle);
    return ERROR_SUCCESS;
}

LONG RegQueryValueA(HKEY hKey, const char* lpSubKey, char* lpData, LONG* lpcbData) {
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    const TRegistryKeys keys = AllKeys();
    if (!KeyExists(keys, path)) return ERROR_FILE_NOT_FOUND;
    const auto found = keys.find(Upper(path));
    const std::string data = found != keys.end() ? found->second.Data : std::string();
    const auto needed = static_cast<LONG>(data.size() + 1);
    if (lpData == nullptr) {
        if (lpcbData != nullptr) *lpcbData = needed;
        return ERROR_SUCCESS;
    }
    const LONG room = *lpcbData;
    *lpcbData = needed;
    if (room < needed) return ERROR_MORE_DATA;
    std::memcpy(lpData, data.c_str(), data.size() + 1);
    return ERROR_SUCCESS;
}

LONG RegSetValueA(HKEY hKey, const char* lpSubKey, DWORD dwType, const char* lpData, DWORD) {
    if (dwType != REG_SZ || lpData == nullptr) return ERROR_INVALID_PARAMETER;
    // Key names cannot hold the file's separators.
    if (lpSubKey != nullptr && std::strpbrk(lpSubKey, "\t\r\n") != nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    TRegistryKeys keys = ReadFileKeys();
    keys[Upper(path)] = {path, lpData};
    return WriteFileKeys(keys) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegCloseKey(HKEY hKey) {
    std::lock_guard guard(State().Lock);
    const auto value = reinterpret_cast<std::uintptr_t>(hKey);
    for (const TRootName& root : RootNames) {
        if (root.Key == value) return ERROR_SUCCESS;
    }
    return State().OpenKeys.erase(value) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void SetRegistryFolderForTest(const AnsiString& Folder) {
    std::lock_guard guard(State().Lock);
    State().FolderForTest = Folder;
}

AnsiString RegistryFilePath() {
    std::lock_guard guard(State().Lock);
    return FilePath().string();
}
