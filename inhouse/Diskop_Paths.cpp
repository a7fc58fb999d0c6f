// Path helpers: tests, roots, splitting, joining, normalising, relocating, shortening.
#include "Diskop.h"

#include <vector>

#include <vcl/SysUtils.h>

#include "Varpre.h"
#include "repl.h"

namespace Diskop {

using namespace Varpre;
using namespace repl;

namespace {

bool IsDriveLetter(AnsiChar C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }

bool HasDrive(const AnsiString& Path) { return Path.size() >= 2 && IsDriveLetter(Path[0]) && Path[1] == ':'; }

bool StartsWithTwoSeparators(const AnsiString& Path) {
    return Path.size() >= 2 && IsPathSeparator(Path[0]) && IsPathSeparator(Path[1]);
}

// The first separator of the text, or '\' when it has none.
AnsiChar UsedSeparator(const AnsiString& S) {
    for (AnsiChar c : S)
        if (IsPathSeparator(c)) return c;
    return '\\';
}

void MakeSeparators(AnsiString& S, AnsiChar Separator) {
    for (AnsiChar& c : S)
        if (IsPathSeparator(c)) c = Separator;
}

bool SameCharNoCase(AnsiChar A, AnsiChar B) {
    if (IsPathSeparator(A) && IsPathSeparator(B)) return true;
    return UpperTable()[static_cast<Byte>(A)] == UpperTable()[static_cast<Byte>(B)];
}

bool SamePathNoCase(const AnsiString& A, const AnsiString& B) {
    if (A.size() != B.size()) return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (!SameCharNoCase(A[i], B[i])) return false;
    return true;
}

// The text after the root: 0-based offset of its first character.
std::size_t RootSize(const AnsiString& Path) { return static_cast<std::size_t>(PathRootLength(Path) - 1); }

// The root as written, separator included ("c:\", "\\srv\share\", "/").
AnsiString RootWithSeparator(const AnsiString& Path) { return Path.substr(0, RootSize(Path)); }

// "." and ".." parts resolved, repeated separators dropped; a root (or a leading separator) is kept
// as written and ".." never climbs above it. Relative paths keep their leading "..".
AnsiString NormalisePath(const AnsiString& Path) {
    AnsiString root = RootWithSeparator(Path);
    if (root.empty() && !Path.empty() && IsPathSeparator(Path[0])) root = Path.substr(0, 1);
    const bool hasRoot = !root.empty();
    const AnsiChar separator = UsedSeparator(Path);
    std::vector<AnsiString> parts;
    std::size_t start = root.size();
    while (start <= Path.size()) {
        std::size_t end = start;
        while (end < Path.size() && !IsPathSeparator(Path[end])) ++end;
        const AnsiString part = Path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") parts.pop_back();
            else if (!hasRoot) parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    AnsiString result = root;
    // A drive without its separator ("c:") gets one before its first part.
    if (!parts.empty() && hasRoot && !IsPathSeparator(result.back())) result += separator;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) result += separator;
        result += parts[i];
    }
    if (!parts.empty() && IsPathSeparator(Path.back())) result += separator;
    return result;
}

// Is Path the folder Base or inside it? Remainder gets the rest after Base's separator.
bool IsUnder(const AnsiString& Path, const AnsiString& Base, AnsiString& Remainder) {
    AnsiString base;
    ExcludeTrailingSeparators(Base, base);
    if (base.empty() || Path.size() < base.size()) return false;
    if (!SamePathNoCase(Path.substr(0, base.size()), base)) return false;
    if (Path.size() == base.size()) {
        Remainder.clear();
        return true;
    }
    if (!IsPathSeparator(Path[base.size()]) && !IsPathSeparator(base.back())) return false;
    Remainder = Path.substr(base.size());
    return true;
}

}  // namespace

bool IsPathSeparator(AnsiChar C) { return C == '\\' || C == '/'; }

bool IsAbsolutePath(const AnsiString& Path) {
    if (Path.size() >= 3 && Path[1] == ':' && IsPathSeparator(Path[2])) return true;
    return StartsWithTwoSeparators(Path) || (!Path.empty() && Path[0] == '/');
}

Byte PathKind(const AnsiString& Path) {
    if (HasDrive(Path)) return 1;
    if (Path.starts_with("\\\\")) return 2;
    if (Path.size() >= 7 && SamePathNoCase(Path.substr(0, 7), "http:\\\\")) return 3;
    return 4;
}

Integer PathRootLength(const AnsiString& Path) {
    std::size_t size = 0;
    if (HasDrive(Path)) {
        size = Path.size() >= 3 && IsPathSeparator(Path[2]) ? 3 : 2;
    } else if (StartsWithTwoSeparators(Path)) {
        // \\server\share\: the separator after the share belongs to the root.
        size = 2;
        for (int part = 0; part < 2 && size < Path.size(); ++part) {
            while (size < Path.size() && !IsPathSeparator(Path[size])) ++size;
            if (size < Path.size()) ++size;
        }
    } else if (!Path.empty() && Path[0] == '/') {
        size = 1;
    }
    return static_cast<Integer>(size) + 1;
}

void ExtractPathRoot(const AnsiString& Path, AnsiString& Root) {
    Root = RootWithSeparator(Path);
    if (Root.size() > 1 && IsPathSeparator(Root.back())) Root.pop_back();
}

void ExpandPath(const AnsiString& Path, const AnsiString& BaseDir, AnsiString& Result) {
    AnsiString joined;
    if (IsAbsolutePath(Path)) {
        joined = Path;
    } else if (!Path.empty() && IsPathSeparator(Path[0])) {
        AnsiString root;
        ExtractPathRoot(BaseDir, root);
        // "/" is a whole root: its separator stands for the path's own.
        joined = root == "/" ? root + Path.substr(1) : root + Path;
    } else {
        JoinPath(BaseDir, Path, NotGiven, joined);
    }
    Result = NormalisePath(joined);
}

void ShortenPath(const AnsiString& Path, Integer MaxLen, const AnsiString& Filler, AnsiString& Result) {
    if (MaxLen < 1) {
        Result.clear();
        return;
    }
    const auto maxLen = static_cast<std::size_t>(MaxLen);
    if (Path.size() <= maxLen) {
        Result = Path;
        return;
    }
    AnsiString head = RootWithSeparator(Path) + Filler;
    if (head.size() >= maxLen) {
        Result = head.substr(0, maxLen);
        return;
    }
    Result = head + Path.substr(Path.size() - (maxLen - head.size()));
}

void SplitLastPathPart(AnsiString& Path, AnsiString& LastPart) {
    AnsiString trimmed;
    ExcludeTrailingSeparators(Path, trimmed);
    const std::size_t rootSize = RootSize(trimmed);
    std::size_t cut = trimmed.size();
    while (cut > rootSize && !IsPathSeparator(trimmed[cut - 1])) --cut;
    LastPart = trimmed.substr(cut);
    // The separator before the last part goes, unless it belongs to the root.
    Path = trimmed.substr(0, cut > rootSize ? cut - 1 : cut);
}

void ExtractParentDir(const AnsiString& Path, AnsiString& Dir) {
    if (Path.size() == 1 && IsPathSeparator(Path[0])) {
        Dir.clear();
        return;
    }
    const std::size_t rootSize = RootSize(Path);
    std::size_t cut = Path.size();
    while (cut > rootSize && !IsPathSeparator(Path[cut - 1])) --cut;
    Dir = Path.substr(0, cut);
    ExcludeTrailingSeparators(Dir, Dir);
}

void ExcludeTrailingSeparators(const AnsiString& Path, AnsiString& Result) {
    const std::size_t rootSize = RootSize(Path);
    std::size_t size = Path.size();
    while (size > rootSize && IsPathSeparator(Path[size - 1])) --size;
    Result = Path.substr(0, size);
}

void ExtractNameNoExt(const AnsiString& Path, AnsiString& Name) {
    const AnsiString name = ExtractFileName(Path);
    Name = name.substr(0, name.rfind('.'));
}

void ExtractExtNoDot(const AnsiString& Path, AnsiString& Ext) {
    const AnsiString name = ExtractFileName(Path);
    const std::size_t dot = name.rfind('.');
    Ext = dot == AnsiString::npos ? AnsiString() : name.substr(dot + 1);
}

void SlashToBackslash(const AnsiString& S, AnsiString& Result) { ReplaceChar('/', '\\', S, 0, Result); }

void BackslashToSlash(const AnsiString& S, AnsiString& Result) { ReplaceChar('\\', '/', S, 0, Result); }

void ProgramFolder(AnsiString& Folder) {
    Folder = ExtractFileDir(ParamStr(0));
    if (Folder.empty()) Folder = GetCurrentDir();
}

void JoinPath(const AnsiString& Dir, const AnsiString& Name, const AnsiString& Separator, AnsiString& Result) {
    const bool fixed = Separator == "\\" || Separator == "/";
    const AnsiChar separator = fixed ? Separator[0] : UsedSeparator(Dir + Name);
    if (Dir.empty() || Name.empty()) {
        Result = Dir + Name;
    } else {
        const bool dirEnds = IsPathSeparator(Dir.back());
        const bool nameStarts = IsPathSeparator(Name[0]);
        if (dirEnds && nameStarts) Result = Dir + Name.substr(1);
        else if (dirEnds || nameStarts) Result = Dir + Name;
        else Result = Dir + separator + Name;
    }
    if (fixed) MakeSeparators(Result, separator);
}

void MakeValidFileName(const AnsiString& Name, AnsiString& Result) {
    Result = Name;
    for (AnsiChar& c : Result) {
        switch (c) {
            case ':': c = ';'; break;
            case '/': c = '('; break;
            case '\\': c = ')'; break;
            default:
                if (InvalidFileNameChars().find(c) != AnsiString::npos) c = FileNameReplacementChar;
        }
    }
    if (Result.empty()) Result = AnsiString(1, FileNameReplacementChar) + ".dat";
}

void RelocatePath(const AnsiString& BaseDir, const AnsiString& Path, const AnsiString& OldBase, AnsiString& Result,
                  Byte Options) {
    if (Options & RelocateAsRelative) {
        ExpandPath(Path, BaseDir, Result);
        return;
    }
    AnsiString path;
    AnsiString oldBase;
    ExpandPath(Path, BaseDir, path);
    ExpandPath(OldBase, BaseDir, oldBase);
    AnsiString remainder;
    if (!IsUnder(path, oldBase, remainder)) remainder = path.substr(RootSize(path));
    AnsiString joined;
    JoinPath(BaseDir, remainder, NotGiven, joined);
    Result = NormalisePath(joined);
}

void NearestExistingFolder(const AnsiString& Path, AnsiString& Folder) {
    Folder.clear();
    if (!IsAbsolutePath(Path)) {
        Folder = "/";
        return;
    }
    // A path rooted in "/" keeps the platform's separator; Windows paths get "\".
    const AnsiChar separator = Path[0] == '/' && !StartsWithTwoSeparators(Path) ? '/' : '\\';
    AnsiString path = Path;
    MakeSeparators(path, separator);
    AnsiString built = RootWithSeparator(path);
    if (!IsPathSeparator(built.back())) built += separator;
    if (!PathIsDirectory(built)) return;
    std::size_t start = RootSize(path);
    while (start < path.size()) {
        std::size_t end = path.find(separator, start);
        if (end == AnsiString::npos) end = path.size();
        if (end > start) {
            const AnsiString next = built + path.substr(start, end - start) + separator;
            if (!PathIsDirectory(next)) break;
            built = next;
        }
        start = end + 1;
    }
    Folder = built;
}

}  // namespace Diskop
