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
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "SysUtils/HexDigits.h"
#include "Windows/RegistryBatch.h"
#include "Windows/SettingsFiles.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

using settings::FoldedName;
using settings::SameName;

// The store's text with its keys and values indexed by name, built at the first lookup after a change:
// a read then costs a hash lookup instead of a pass over every line.
struct TIndexedStore {
    struct TEntry {
        DWORD Type = REG_SZ;
        std::size_t DataBegin = 0;  // the data as written, escaped or in hex
        std::size_t DataSize = 0;
        std::size_t Begin = 0;  // the line, its line end excluded
        std::size_t End = 0;
    };
    std::string Text;
    bool Indexed = false;
    std::unordered_map<std::string, TEntry> Values;  // FoldedName(path) TAB FoldedName(value name)
    std::unordered_set<std::string> Keys;            // FoldedName of every key with a line and the keys above it

    void Assign(std::string&& NewText) {
        Text = std::move(NewText);
        Indexed = false;
    }
};

// The file as last read or written, with what identifies that version of it.
struct TFileStamp {
    std::filesystem::path File;
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};
    timespec Changed{};  // also moves when the file's permissions change

    bool operator==(const TFileStamp& Other) const {
        const auto same = [](const timespec& A, const timespec& B) {
            return A.tv_sec == B.tv_sec && A.tv_nsec == B.tv_nsec;
        };
        return File == Other.File && Exists == Other.Exists && Device == Other.Device && Inode == Other.Inode &&
               Size == Other.Size && same(Modified, Other.Modified) && same(Changed, Other.Changed);
    }
};

struct TRegistryState {
    std::mutex Lock;
    std::map<std::uintptr_t, std::string> OpenKeys;  // handle -> path of the key
    std::uintptr_t NextHandle = 0x1000;
    // The file's text, kept while its stamp stays the same. A stamp can miss a change written within the
    // clock tick of the read, so a file read that recently is read again at the next use.
    bool FileCached = false;
    bool FileTrusted = false;
    TFileStamp FileStamp;
    TIndexedStore File;
    // Writes held by an open batch: the store's text, read once, changed here and written at the end.
    int Batches = 0;
    bool HeldLoaded = false;
    bool HeldChanged = false;
    TIndexedStore Held;
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

bool IsHex(std::string_view s) {
    if (s.size() % 2 != 0) return false;
    for (char c : s) {
        if (HexDigitValue(c) < 0) return false;
    }
    return true;
}

std::string FromHex(std::string_view s) {
    std::string out(s.size() / 2, '\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(HexDigitValue(s[2 * i]) * 16 + HexDigitValue(s[2 * i + 1]));
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

// Paths hold no tab, so the value's name begins after the first.
std::string ValueKey(std::string_view Path, std::string_view Name) {
    return FoldedName(Path) + '\t' + FoldedName(Name);
}

// Indexes the line at Begin; a later line for a value overrides an earlier one.
void IndexLine(TIndexedStore& Store, std::string_view Line, std::size_t Begin) {
    const TStoreLine parsed = ParseLine(Line);
    if (parsed.Kind == TStoreLine::kNone) return;
    // A key exists when it has a line or some key with a line lies below it.
    const std::string path = FoldedName(parsed.Path);
    for (std::size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
        Store.Keys.insert(path.substr(0, slash));
    Store.Keys.insert(path);
    if (parsed.Kind == TStoreLine::kBareKey) return;
    const std::string name =
        parsed.Name.find('\\') == std::string_view::npos ? std::string(parsed.Name) : Unescape(parsed.Name);
    TIndexedStore::TEntry& entry = Store.Values[path + '\t' + FoldedName(name)];
    entry.Type = parsed.Type;
    entry.DataBegin = static_cast<std::size_t>(parsed.Data.data() - Store.Text.data());
    entry.DataSize = parsed.Data.size();
    entry.Begin = Begin;
    entry.End = Begin + Line.size() - (!Line.empty() && Line.back() == '\r' ? 1 : 0);
}

TIndexedStore& Indexed(TIndexedStore& Store) {
    if (Store.Indexed) return Store;
    Store.Values.clear();
    Store.Keys.clear();
    ForEachLine(Store.Text, [&](std::string_view line, std::size_t begin) { IndexLine(Store, line, begin); });
    Store.Indexed = true;
    return Store;
}

std::string_view LineAt(std::string_view Text, std::size_t Begin) {
    const std::size_t end = Text.find('\n', Begin);
    return Text.substr(Begin, end == std::string_view::npos ? std::string_view::npos : end - Begin);
}

void AppendLine(TIndexedStore& Store, const std::string& Line) {
    std::string& text = Store.Text;
    if (text.empty())
        text = "# Halcyra settings: a key's path, a tab and its value, or tabs between path, name, type and data.\n";
    if (text.back() != '\n') text += '\n';
    const std::size_t begin = text.size();
    text += Line;
    text += '\n';
    if (Store.Indexed) IndexLine(Store, LineAt(text, begin), begin);
}

// The lines after the replaced one move by the change of its length: the index moves them with it rather
// than being built again, so a write costs one pass without allocations.
void ReplaceLine(TIndexedStore& Store, std::size_t Begin, std::size_t End, const std::string& Line) {
    Store.Text.replace(Begin, End - Begin, Line);
    if (!Store.Indexed) return;
    if (Line.size() != End - Begin) {
        const std::size_t oldEnd = End, newEnd = Begin + Line.size();
        for (auto& [name, entry] : Store.Values) {
            if (entry.Begin < oldEnd) continue;
            entry.Begin = entry.Begin - oldEnd + newEnd;
            entry.DataBegin = entry.DataBegin - oldEnd + newEnd;
            entry.End = entry.End - oldEnd + newEnd;
        }
    }
    IndexLine(Store, LineAt(Store.Text, Begin), Begin);
}

std::filesystem::path FilePath() { return settings::ConfigurationFolder() / "registry"; }

bool KeyExists(TIndexedStore& Store, const std::string& Path) {
    if (IsRoot(Path)) return true;
    for (const TDefaultKey& key : DefaultKeys) {
        if (IsKeyOrBelow(key.Path, Path)) return true;
    }
    return Indexed(Store).Keys.count(FoldedName(Path)) != 0;
}

struct TFoundValue {
    bool Found = false;
    DWORD Type = REG_SZ;
    std::string Data;       // as the caller gets it, without a string's terminating zero
    std::size_t Begin = 0;  // the line in the file, its line end excluded; 0 and 0 for a built-in default
    std::size_t End = 0;
};

TFoundValue FindValue(TIndexedStore& Store, const std::string& Path, std::string_view Name) {
    TFoundValue value;
    const auto& values = Indexed(Store).Values;
    if (const auto found = values.find(ValueKey(Path, Name)); found != values.end()) {
        const TIndexedStore::TEntry& entry = found->second;
        const std::string_view data = std::string_view(Store.Text).substr(entry.DataBegin, entry.DataSize);
        value.Found = true;
        value.Type = entry.Type;
        value.Data = IsText(entry.Type) ? Unescape(data) : FromHex(data);
        value.Begin = entry.Begin;
        value.End = entry.End;
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

TFileStamp StampOf(const std::filesystem::path& File) {
    struct stat status {};
    if (::stat(File.c_str(), &status) != 0) return {File};
    return {File, true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// Changed within the last clock ticks, so that a change in the same tick would keep the stamp.
bool RecentlyChanged(const TFileStamp& Stamp) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Stamp.Exists && std::max(Stamp.Modified.tv_sec, Stamp.Changed.tv_sec) + 2 > now.tv_sec;
}

// The store: the held one while a batch is open (read at its first use), else the file's. Null when
// the file exists but cannot be read.
TIndexedStore* LoadStore() {
    TRegistryState& state = State();
    if (state.Batches > 0 && state.HeldLoaded) return &state.Held;
    const TFileStamp stamp = StampOf(FilePath());
    if (!state.FileCached || !state.FileTrusted || !(stamp == state.FileStamp)) {
        std::string text;
        state.FileCached = settings::ReadWholeFile(FilePath(), text);
        state.File.Assign(std::move(text));
        if (!state.FileCached) return nullptr;
        state.FileStamp = stamp;
        state.FileTrusted = !RecentlyChanged(stamp);
    }
    if (state.Batches == 0) return &state.File;
    // The batch takes the file's text and index over (a copy would cost the whole store); they come back
    // when it ends.
    state.Held = std::move(state.File);
    state.File = {};
    state.FileCached = false;
    state.HeldLoaded = true;
    return &state.Held;
}

// The store as reads see it; an unreadable file reads as empty.
TIndexedStore& ReadStore() {
    TIndexedStore* store = LoadStore();
    return store != nullptr ? *store : State().File;
}

bool WriteStoreFile(TIndexedStore& Store) {
    TRegistryState& state = State();
    std::error_code error;
    std::filesystem::create_directories(settings::ConfigurationFolder(), error);
    state.FileCached = settings::ReplaceWholeFile(FilePath(), Store.Text);
    if (!state.FileCached) return false;
    // What was written is known, whenever it was written.
    state.FileStamp = StampOf(FilePath());
    state.FileTrusted = true;
    if (&Store != &state.File) state.File = std::move(Store);
    return true;
}

// A change to the store from LoadStore: written at once, or held until the batch ends.
bool SaveStore(TIndexedStore& Store) {
    TRegistryState& state = State();
    if (state.Batches == 0) return WriteStoreFile(Store);
    state.HeldChanged = true;
    return true;
}

LONG StoreValue(const std::string& Path, std::string_view Name, DWORD Type, std::string_view Data) {
    TIndexedStore* store = LoadStore();
    if (store == nullptr) return ERROR_ACCESS_DENIED;
    const std::string line = ValueLine(Path, Name, Type, Data);
    const TFoundValue old = FindValue(*store, Path, Name);
    if (old.Found && old.End > old.Begin) {
        ReplaceLine(*store, old.Begin, old.End, line);
    } else {
        AppendLine(*store, line);
    }
    return SaveStore(*store) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
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
    TIndexedStore* store = LoadStore();
    if (store == nullptr) return ERROR_ACCESS_DENIED;
    const bool exists = KeyExists(*store, path);
    if (!exists) {
        AppendLine(*store, path + '\\');
        if (!SaveStore(*store)) return ERROR_ACCESS_DENIED;
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
    TIndexedStore& store = ReadStore();
    if (!KeyExists(store, path)) return ERROR_FILE_NOT_FOUND;
    const TFoundValue value = FindValue(store, path, "");
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
    if (state.HeldLoaded && !state.HeldChanged) {
        state.File = std::move(state.Held);
        state.FileCached = true;
    }
    state.HeldLoaded = state.HeldChanged = false;
    state.Held = {};
    return written;
}
