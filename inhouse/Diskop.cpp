// File information and reading a slice of a file as text.
#include "Diskop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include <vcl/SysUtils.h>
#include <vcl/Windows.h>

#include "dater.h"

namespace Diskop {

using namespace Varpre;

namespace {

constexpr std::size_t ChunkSize = 4024;
// Handles below this are the standard streams: never ours, never closed here.
constexpr int FirstOwnHandle = 3;

// Windows-1252 names reach the file system as UTF-8.
std::string NameToUtf8(const AnsiString& Name) {
    std::string utf8;
    for (char16_t unit : AnsiToWide(Name)) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | (unit >> 6));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (unit >> 12));
            utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

// The platform's name of a path written with either separator.
std::string NativeName(const AnsiString& Path) {
    AnsiString slashed;
    BackslashToSlash(Path, slashed);
    return NameToUtf8(slashed);
}

bool StatPath(const AnsiString& Path, struct stat& Status) {
    return !Path.empty() && ::stat(NativeName(Path).c_str(), &Status) == 0;
}

// The platform's time stamp as a file time: 100-nanosecond steps since 1601, UTC.
FILETIME ToFileTime(const struct timespec& Stamp) {
    constexpr Int64 SecondsFrom1601To1970 = 11644473600;
    const Int64 ticks = (static_cast<Int64>(Stamp.tv_sec) + SecondsFrom1601To1970) * 10000000 + Stamp.tv_nsec / 100;
    const auto unsignedTicks = static_cast<std::uint64_t>(std::max<Int64>(ticks, 0));
    return FILETIME{static_cast<DWORD>(unsignedTicks & 0xFFFFFFFFu), static_cast<DWORD>(unsignedTicks >> 32)};
}

Integer AttributesOf(const struct stat& Status, const AnsiString& Name) {
    Integer attributes = S_ISDIR(Status.st_mode) ? faDirectory : faArchive;
    if (!(Status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= faReadOnly;
    if (Name.starts_with('.')) attributes |= faHidden;
    return attributes;
}

void FillPathTexts(FileInfoT& Info, const AnsiString& Path) {
    AnsiString full;
    AnsiString folder;
    AnsiString name;
    ExcludeTrailingSeparators(Path, full);
    folder = full;
    SplitLastPathPart(folder, name);
    Info.Texts[FileTextGiven] = Path;
    Info.Texts[FileTextFullName] = full;
    Info.Texts[FileTextFolder] = folder;
    Info.Texts[FileTextName] = name;
    ExtractPathRoot(full, Info.Texts[FileTextRoot]);
    ExtractParentDir(folder, Info.Texts[FileTextParent]);
    ExtractNameNoExt(name, Info.Texts[FileTextBaseName]);
    ExtractExtNoDot(name, Info.Texts[FileTextExt]);
    Info.Texts[FileTextDotExt] = name.find('.') == AnsiString::npos ? AnsiString() : "." + Info.Texts[FileTextExt];
    AnsiString parent = folder;
    SplitLastPathPart(parent, Info.Texts[FileTextFolderName]);
}

}  // namespace

bool PathIsDirectory(const AnsiString& Path) {
    struct stat status;
    return StatPath(Path, status) && S_ISDIR(status.st_mode);
}

bool PathIsFile(const AnsiString& Path) {
    struct stat status;
    return StatPath(Path, status) && !S_ISDIR(status.st_mode);
}

void FillFileInfo(FileInfoT& Info, const AnsiString& Path, Byte Mode) {
    FillPathTexts(Info, Path);
    if (Mode != FileInfoFromDisk) return;
    struct stat status;
    if (!StatPath(Path, status)) {
        Info.Exists = 0;
        Info.Size = UnknownSize;
        return;
    }
    Info.Exists = 1;
    Info.Size = S_ISDIR(status.st_mode) ? 0 : static_cast<Int64>(status.st_size);
    Info.Attributes = AttributesOf(status, Info.Texts[FileTextName]);
    dater::FileTimeToDateInfo(ToFileTime(status.st_mtim), Info.Dates[FileDateModified]);
    dater::FileTimeToDateInfo(ToFileTime(status.st_atim), Info.Dates[FileDateAccessed]);
    dater::FileTimeToDateInfo(ToFileTime(status.st_ctim), Info.Dates[FileDateChanged]);
}

void ClearFileInfo(FileInfoT& Info) {
    Info = FileInfoT{};
    Info.Size = UnknownSize;
    Info.Attributes = AnyFileAttributes;
    Info.Exists = 1;
}

bool IsOpenHandle(Integer Handle) { return Handle >= FirstOwnHandle; }

Integer OpenFileForReading(const AnsiString& FileName) {
    if (FileName.empty()) return NoValue;
    int fd = ::open(NameToUtf8(FileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && fd < FirstOwnHandle) {
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, FirstOwnHandle);
        ::close(fd);
        fd = moved;
    }
    return fd < 0 ? NoValue : fd;
}

void CloseFileHandle(Integer Handle) {
    if (IsOpenHandle(Handle)) ::close(Handle);
}

void ReadFileString(Integer Handle, Int64 Offset, Integer Count, AnsiString& Text) {
    if (Count < 1 || Handle < 0 || Offset < 0) return;
    if (::lseek(Handle, static_cast<off_t>(Offset), SEEK_SET) < 0) return;
    char chunk[ChunkSize];
    auto left = static_cast<std::size_t>(Count);
    while (left > 0) {
        const ssize_t got = ::read(Handle, chunk, std::min(left, ChunkSize));
        if (got <= 0) return;
        Text.append(chunk, static_cast<std::size_t>(got));
        left -= static_cast<std::size_t>(got);
    }
}

}  // namespace Diskop
