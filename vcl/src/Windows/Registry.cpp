// The registry stand-in: keys and their values, kept in a text file of the user's configuration folder,
// over built-in defaults. The file's lines:
//   path TAB value                     the key's default value, a string
//   path TAB name TAB type TAB data    a named value: REG_SZ and REG_EXPAND_SZ data as text, other types in hex
//   path\                              a key created without values
// In names and texts \\, \t, \n and \r stand for a backslash, tab, line feed and carriage return (any other
// backslash stands for itself, so a hand-written value rarely needs escapes). The store writes no raw tab
// into a value, so only a line with three tabs and a type is a named value and the lines of the older
// layout keep their meaning. Other lines (comments, lines without a tab) are passed over and kept when
// the store writes; a write changes or appends one line. A later line for a value overrides an earlier one.
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "Windows/RegistryBatch.h"
#include "Windows/SettingsFiles.h"
#include "vcl/Windows.h"

namespace {

using settings::SameName;

struct TRegistryState {
    std::mutex Lock;
    std::map<std::uintptr_t, std::string> OpenKeys;  // handle -> path of the key
    std::uintptr_t NextHandle = 0x1000;
    // Writes held by an open batch: the store's text, read once, changed here and written at the end.
    int Batches = 0;
    bool HeldLoaded = false;
    bool HeldChanged = false;
    std::string Held;
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

struct TTypeName {
    DWORD Type;
    std::string_view Name;
};
constexpr TTypeName TypeNames[] = {{REG_NONE, "REG_NONE"},
                                   {REG_SZ, "REG_SZ"},
                                   {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
                                   {REG_BINARY, "REG_BINARY"},
                                   {REG_DWORD, "REG_DWORD"}};

const TTypeName* FindType(DWORD Type) {
    for (const TTypeName& known : TypeNames) {
        if (known.Type == Type) return &known;
    }
    return nullptr;
}

bool IsText(DWORD Type) { return Type == REG_SZ || Type == REG_EXPAND_SZ; }

std::string Escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
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

std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
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

constexpr char HexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsHex(std::string_view s) {
    if (s.size() % 2 != 0) return false;
    for (char c : s) {
        if (HexValue(c) < 0) return false;
    }
    return true;
}

std::string FromHex(std::string_view s) {
    std::string out(s.size() / 2, '\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(HexValue(s[2 * i]) * 16 + HexValue(s[2 * i + 1]));
    return out;
}

std::string ToHex(std::string_view s) {
    std::string out;
    out.reserve(2 * s.size());
    for (char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        out += HexDigits[byte >> 4];
        out += HexDigits[byte & 15];
    }
    return out;
}

// One line of the file, its texts still as written.
struct TStoreLine {
    enum TKind { kNone, kDefaultValue, kNamedValue, kBareKey } Kind = kNone;
    std::string_view Path;
    std::string_view Name;
    std::string_view Data;
    DWORD Type = REG_SZ;
};

TStoreLine ParseLine(std::string_view line) {
    TStoreLine parsed;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') return parsed;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
        if (line.size() > 1 && line.back() == '\\') {
            parsed.Kind = TStoreLine::kBareKey;
            parsed.Path = line.substr(0, line.size() - 1);
        }
        return parsed;
    }
    parsed.Path = line.substr(0, tab);
    parsed.Data = line.substr(tab + 1);
    parsed.Kind = TStoreLine::kDefaultValue;
    const std::size_t second = line.find('\t', tab + 1);
    const std::size_t third = second == std::string_view::npos ? second : line.find('\t', second + 1);
    if (third == std::string_view::npos || line.find('\t', third + 1) != std::string_view::npos) return parsed;
    const std::string_view typeName = line.substr(second + 1, third - second - 1);
    for (const TTypeName& known : TypeNames) {
        if (known.Name != typeName) continue;
        const std::string_view data = line.substr(third + 1);
        if (!IsText(known.Type) && !IsHex(data)) return {};  // damaged: no value at all
        parsed.Kind = TStoreLine::kNamedValue;
        parsed.Name = line.substr(tab + 1, second - tab - 1);
        parsed.Type = known.Type;
        parsed.Data = data;
        return parsed;
    }
    return parsed;
}

// Calls Visit(line, begin) for every line of Text, the line without its line feed.
template <typename VisitT>
void ForEachLine(std::string_view Text, VisitT Visit) {
    std::size_t begin = 0;
    while (begin < Text.size()) {
        std::size_t end = Text.find('\n', begin);
        if (end == std::string_view::npos) end = Text.size();
        Visit(Text.substr(begin, end - begin), begin);
        begin = end + 1;
    }
}

bool IsRoot(std::string_view Path) {
    for (const TRootName& root : RootNames) {
        if (SameName(Path, root.Name)) return true;
    }
    return false;
}

// Whether Candidate names the key Path or a key below it.
bool IsKeyOrBelow(std::string_view Candidate, std::string_view Path) {
    return Candidate.size() >= Path.size() && SameName(Candidate.substr(0, Path.size()), Path) &&
           (Candidate.size() == Path.size() || Candidate[Path.size()] == '\\');
}

bool SameValueName(std::string_view Written, std::string_view Name) {
    if (Written.find('\\') == std::string_view::npos) return SameName(Written, Name);
    return SameName(Unescape(Written), Name);
}

std::filesystem::path FilePath() { return settings::ConfigurationFolder() / "registry"; }

// A key exists when it is a root, was created, holds a value or some key lies below it.
bool KeyExists(std::string_view Text, const std::string& Path) {
    if (IsRoot(Path)) return true;
    for (const TDefaultKey& key : DefaultKeys) {
        if (IsKeyOrBelow(key.Path, Path)) return true;
    }
    bool found = false;
    ForEachLine(Text, [&](std::string_view line, std::size_t) {
        if (found || line.size() < Path.size()) return;
        const TStoreLine parsed = ParseLine(line);
        found = parsed.Kind != TStoreLine::kNone && IsKeyOrBelow(parsed.Path, Path);
    });
    return found;
}

struct TFoundValue {
    bool Found = false;
    DWORD Type = REG_SZ;
    std::string Data;       // as the caller gets it, without a string's terminating zero
    std::size_t Begin = 0;  // the line in the file, its line end excluded; 0 and 0 for a built-in default
    std::size_t End = 0;
};

TFoundValue FindValue(std::string_view Text, const std::string& Path, std::string_view Name) {
    TFoundValue value;
    TStoreLine last;
    ForEachLine(Text, [&](std::string_view line, std::size_t begin) {
        if (line.size() < Path.size()) return;
        const TStoreLine parsed = ParseLine(line);
        const bool named = parsed.Kind == TStoreLine::kNamedValue;
        if ((named || (parsed.Kind == TStoreLine::kDefaultValue && Name.empty())) && SameName(parsed.Path, Path) &&
            (!named || SameValueName(parsed.Name, Name))) {
            last = parsed;
            value.Found = true;
            value.Begin = begin;
            value.End = begin + line.size() - (line.back() == '\r' ? 1 : 0);
        }
    });
    if (value.Found) {
        value.Type = last.Type;
        value.Data = IsText(last.Type) ? Unescape(last.Data) : FromHex(last.Data);
        return value;
    }
    if (!Name.empty()) return value;
    for (const TDefaultKey& key : DefaultKeys) {
        if (SameName(key.Path, Path)) {
            value.Found = true;
            value.Data = key.Data;
        }
    }
    return value;
}

std::string ValueLine(const std::string& Path, std::string_view Name, DWORD Type, std::string_view Data) {
    if (Name.empty() && Type == REG_SZ) return Path + '\t' + Escape(Data);
    const std::string data = IsText(Type) ? Escape(Data) : ToHex(Data);
    return Path + '\t' + Escape(Name) + '\t' + std::string(FindType(Type)->Name) + '\t' + data;
}

void AppendLine(std::string& Text, const std::string& Line) {
    if (Text.empty())
        Text = "# Halcyra settings: a key's path, a tab and its value, or tabs between path, name, type and data.\n";
    if (Text.back() != '\n') Text += '\n';
    Text += Line;
    Text += '\n';
}

// The store's text: the held one while a batch is open (read at its first use).
bool LoadStore(std::string& Text) {
    TRegistryState& state = State();
    if (state.Batches > 0 && state.HeldLoaded) {
        Text = state.Held;
        return true;
    }
    if (!settings::ReadWholeFile(FilePath(), Text)) return false;
    if (state.Batches > 0) {
        state.Held = Text;
        state.HeldLoaded = true;
    }
    return true;
}

bool WriteStoreFile(const std::string& Text) {
    std::error_code error;
    std::filesystem::create_directories(settings::ConfigurationFolder(), error);
    return settings::ReplaceWholeFile(FilePath(), Text);
}

// Written at once, or held until the batch ends.
bool SaveStore(std::string&& Text) {
    TRegistryState& state = State();
    if (state.Batches == 0) return WriteStoreFile(Text);
    state.Held = std::move(Text);
    state.HeldChanged = true;
    return true;
}

LONG StoreValue(const std::string& Path, std::string_view Name, DWORD Type, std::string_view Data) {
    std::string text;
    if (!LoadStore(text)) return ERROR_ACCESS_DENIED;
    const std::string line = ValueLine(Path, Name, Type, Data);
    const TFoundValue old = FindValue(text, Path, Name);
    if (old.Found && old.End > old.Begin) {
        text.replace(old.Begin, old.End - old.Begin, line);
    } else {
        AppendLine(text, line);
    }
    return SaveStore(std::move(text)) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

std::string ReadStore() {
    std::string text;
    LoadStore(text);
    return text;
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

// Key names cannot hold the file's separators.
bool IsStorableKeyName(const char* SubKey) { return SubKey == nullptr || std::strpbrk(SubKey, "\t\r\n") == nullptr; }

HKEY OpenHandle(const std::string& Path) {
    const std::uintptr_t handle = State().NextHandle++;
    State().OpenKeys[handle] = Path;
    return reinterpret_cast<HKEY>(handle);
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    if (!KeyExists(ReadStore(), path)) return ERROR_FILE_NOT_FOUND;
    *phkResult = OpenHandle(path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, char*, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     HKEY* phkResult, DWORD* lpdwDisposition) {
    if (phkResult == nullptr || lpSubKey == nullptr || !IsStorableKeyName(lpSubKey)) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    std::string text;
    if (!LoadStore(text)) return ERROR_ACCESS_DENIED;
    const bool exists = KeyExists(text, path);
    if (!exists) {
        AppendLine(text, path + '\\');
        if (!SaveStore(std::move(text))) return ERROR_ACCESS_DENIED;
    }
    if (lpdwDisposition != nullptr) *lpdwDisposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *phkResult = OpenHandle(path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueA(HKEY hKey, const char* lpSubKey, char* lpData, LONG* lpcbData) {
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    const std::string path = SubKeyPath(parent, lpSubKey);
    const std::string text = ReadStore();
    if (!KeyExists(text, path)) return ERROR_FILE_NOT_FOUND;
    const TFoundValue value = FindValue(text, path, "");
    if (value.Found && !IsText(value.Type)) return ERROR_INVALID_DATA;
    const std::string data = value.Data.substr(0, value.Data.find('\0'));
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

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData) {
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string path;
    if (!KeyPath(hKey, path)) return ERROR_INVALID_HANDLE;
    TFoundValue value = FindValue(ReadStore(), path, lpValueName != nullptr ? lpValueName : "");
    if (!value.Found) return ERROR_FILE_NOT_FOUND;
    if (IsText(value.Type)) value.Data += '\0';
    if (lpType != nullptr) *lpType = value.Type;
    const auto needed = static_cast<DWORD>(value.Data.size());
    if (lpcbData == nullptr) return ERROR_SUCCESS;
    const DWORD room = *lpcbData;
    *lpcbData = needed;
    if (lpData == nullptr) return ERROR_SUCCESS;
    if (room < needed) return ERROR_MORE_DATA;
    std::memcpy(lpData, value.Data.data(), needed);
    return ERROR_SUCCESS;
}

LONG RegSetValueA(HKEY hKey, const char* lpSubKey, DWORD dwType, const char* lpData, DWORD) {
    if (dwType != REG_SZ || lpData == nullptr || !IsStorableKeyName(lpSubKey)) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string parent;
    if (!KeyPath(hKey, parent)) return ERROR_INVALID_HANDLE;
    return StoreValue(SubKeyPath(parent, lpSubKey), "", REG_SZ, lpData);
}

LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    if (FindType(dwType) == nullptr || (lpData == nullptr && cbData != 0)) return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(State().Lock);
    std::string path;
    if (!KeyPath(hKey, path)) return ERROR_INVALID_HANDLE;
    std::string_view data(reinterpret_cast<const char*>(lpData), lpData != nullptr ? cbData : 0);
    if (IsText(dwType)) data = data.substr(0, data.find('\0'));
    return StoreValue(path, lpValueName != nullptr ? lpValueName : "", dwType, data);
}

LONG RegCloseKey(HKEY hKey) {
    std::lock_guard guard(State().Lock);
    const auto value = reinterpret_cast<std::uintptr_t>(hKey);
    for (const TRootName& root : RootNames) {
        if (root.Key == value) return ERROR_SUCCESS;
    }
    return State().OpenKeys.erase(value) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void SetRegistryFolderForTest(const AnsiString& Folder) { settings::SetConfigurationFolderForTest(Folder); }

AnsiString RegistryFilePath() { return FilePath().string(); }

void BeginRegistryBatch() {
    std::lock_guard guard(State().Lock);
    ++State().Batches;
}

bool EndRegistryBatch() {
    std::lock_guard guard(State().Lock);
    TRegistryState& state = State();
    if (state.Batches == 0 || --state.Batches > 0) return true;
    const bool written = !state.HeldChanged || WriteStoreFile(state.Held);
    state.HeldLoaded = state.HeldChanged = false;
    state.Held.clear();
    return written;
}
