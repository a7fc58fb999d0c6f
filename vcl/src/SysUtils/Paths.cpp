// File names: Windows-1252 text outside, UTF-8 towards the file system.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "System/Codepage.h"
#include "vcl/SysUtils.h"

namespace {

bool IsDelimiter(char c) { return c == '/' || c == '\\'; }

// 1-based position of the last character of S found in Chars; 0 when none.
Integer LastDelimiter(const AnsiString& Chars, const AnsiString& S) {
    const std::size_t found = S.find_last_of(Chars);
    return found == AnsiString::npos ? 0 : static_cast<Integer>(found) + 1;
}

const AnsiString kDelimiters = "/\\";

bool Stat(const AnsiString& name, struct stat& info) {
    return !name.empty() && ::stat(codepage::AnsiToUtf8(name).c_str(), &info) == 0;
}

}  // namespace

bool FileExists(const AnsiString& FileName) {
    struct stat info {};
    return Stat(FileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const AnsiString& Directory) {
    struct stat info {};
    return Stat(Directory, info) && S_ISDIR(info.st_mode);
}

bool CreateDir(const AnsiString& Dir) { return ::mkdir(codepage::AnsiToUtf8(Dir).c_str(), 0777) == 0; }

bool ForceDirectories(const AnsiString& Dir) {
    if (Dir.empty()) throw EInOutError("Unable to create directory");
    const AnsiString dir = ExcludeTrailingPathDelimiter(Dir);
    if (dir.empty() || DirectoryExists(dir)) return true;
    const AnsiString parent = ExtractFilePath(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDir(dir) || (errno == EEXIST && DirectoryExists(dir));
}

bool DeleteFile(const AnsiString& FileName) { return ::unlink(codepage::AnsiToUtf8(FileName).c_str()) == 0; }

AnsiString ExtractFilePath(const AnsiString& FileName) {
    return Copy(FileName, 1, LastDelimiter(kDelimiters, FileName));
}

AnsiString ExtractFileDir(const AnsiString& FileName) {
    Integer i = LastDelimiter(kDelimiters, FileName);
    // Keep the delimiter of a root ("/") and of a doubled delimiter.
    if (i > 1 && !IsDelimiter(FileName[static_cast<std::size_t>(i - 2)])) --i;
    return Copy(FileName, 1, i);
}

AnsiString ExtractFileName(const AnsiString& FileName) {
    return Copy(FileName, LastDelimiter(kDelimiters, FileName) + 1, Length(FileName));
}

AnsiString ExtractFileExt(const AnsiString& FileName) {
    const Integer i = LastDelimiter("." + kDelimiters, FileName);
    return i > 0 && FileName[static_cast<std::size_t>(i - 1)] == '.' ? Copy(FileName, i, Length(FileName))
                                                                     : AnsiString();
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension) {
    Integer i = LastDelimiter("." + kDelimiters, FileName);
    if (i == 0 || FileName[static_cast<std::size_t>(i - 1)] != '.') i = Length(FileName) + 1;
    return Copy(FileName, 1, i - 1) + Extension;
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S) {
    return !S.empty() && S.back() == PathDelim ? S : S + PathDelim;
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S) {
    return !S.empty() && S.back() == PathDelim ? S.substr(0, S.size() - 1) : S;
}

AnsiString GetCurrentDir() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
    return codepage::Utf8ToAnsi(buffer.data());
}

AnsiString ExpandFileName(const AnsiString& FileName) {
    if (FileName.empty()) return {};
    const AnsiString full =
        FileName[0] == PathDelim ? FileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + FileName;
    std::vector<AnsiString> parts;
    std::size_t start = 0;
    while (start <= full.size()) {
        std::size_t end = full.find(PathDelim, start);
        if (end == AnsiString::npos) end = full.size();
        const AnsiString part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    AnsiString result;
    for (const AnsiString& part : parts) result += PathDelim + part;
    const bool trailing = full.back() == PathDelim && !parts.empty();
    return result.empty() ? AnsiString(1, PathDelim) : (trailing ? result + PathDelim : result);
}
