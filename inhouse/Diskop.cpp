// File information and reading a slice of a file as text.
#include "Diskop.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace Diskop {

namespace {

constexpr Integer NoHandle = -32000;
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

}  // namespace

void ClearFileInfo(FileInfoT& Info) {
    Info = FileInfoT{};
    Info.Size = UnknownSize;
    Info.Attributes = AnyFileAttributes;
    Info.Exists = 1;
}

bool IsOpenHandle(Integer Handle) { return Handle >= FirstOwnHandle; }

Integer OpenFileForReading(const AnsiString& FileName) {
    if (FileName.empty()) return NoHandle;
    int fd = ::open(NameToUtf8(FileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && fd < FirstOwnHandle) {
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, FirstOwnHandle);
        ::close(fd);
        fd = moved;
    }
    return fd < 0 ? NoHandle : fd;
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
