// The case-insensitive file lookup: one directory listing per component that is not there as written.
#include "vcl/CaselessPath.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "System/Codepage.h"
#include "vcl/SysUtils.h"

namespace {

bool IsDelimiter(char C) { return C == '/' || C == '\\'; }

bool Exists(const std::string& NativeName) {
    struct stat info {};
    return ::lstat(NativeName.c_str(), &info) == 0;
}

std::vector<AnsiString> Components(const AnsiString& FileName) {
    std::vector<AnsiString> parts;
    AnsiString part;
    for (char c : FileName) {
        if (!IsDelimiter(c)) {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// The one entry of Folder (native, "" for the current folder) named Component without case; "" when
// there is none or more than one. Names the code page cannot hold never match.
std::string UniqueEntry(const std::string& Folder, const AnsiString& Component) {
    std::error_code error;
    std::filesystem::directory_iterator entries(Folder.empty() ? "." : Folder, error);
    std::string found;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string native = entries->path().filename().string();
        AnsiString name = codepage::Utf8ToAnsi(native);
        if (codepage::AnsiToUtf8(name) != native || !AnsiSameText(name, Component)) continue;
        if (!found.empty()) return {};
        found = native;
    }
    return error ? std::string() : found;
}

}  // namespace

AnsiString CaselessPath(const AnsiString& FileName) {
    if (FileName.empty() || Exists(codepage::AnsiToUtf8(FileName))) return FileName;
    std::string path = IsDelimiter(FileName.front()) ? "/" : "";
    for (const AnsiString& component : Components(FileName)) {
        std::string native = codepage::AnsiToUtf8(component);
        if (!Exists(path + native)) {
            native = UniqueEntry(path, component);
            if (native.empty()) return FileName;
        }
        path += native;
        path += '/';
    }
    if (path.size() > 1 && !IsDelimiter(FileName.back())) path.pop_back();
    return codepage::Utf8ToAnsi(path);
}
