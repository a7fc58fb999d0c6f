// TStream and its memory, string and file descendants.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "System/Codepage.h"
#include "vcl/Classes.h"

VCL_IMPLEMENT_CLASS(TStream, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TMemoryStream, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TStringStream, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(THandleStream, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TFileStream, nullptr, nullptr)

Int64 TStream::Size() {
    Int64 position = Seek(0, soFromCurrent);
    Int64 size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::SetSize(Int64) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* Buffer, Integer Count) {
    if (Count != 0 && (Count < 0 || Read(Buffer, Count) != Count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count) {
    if (Count != 0 && (Count < 0 || Write(Buffer, Count) != Count)) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    constexpr Int64 chunk = 64 * 1024;
    std::string buffer(static_cast<std::size_t>(std::min(std::max<Int64>(Count, 0), chunk)), '\0');
    Int64 copied = 0;
    while (copied < Count) {
        auto n = static_cast<Integer>(std::min(Count - copied, chunk));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        copied += n;
    }
    return copied;
}

std::string TStream::ReadRest() {
    Int64 remaining = Size() - Position();
    if (remaining <= 0) return {};
    std::string bytes(static_cast<std::size_t>(remaining), '\0');
    ReadBuffer(bytes.data(), CheckedCast<Integer>(remaining));
    return bytes;
}

// ---------------------------------------------------------------------------

namespace {

// New position for a seek in a stream held in memory; never before the start.
Int64 SeekTarget(Int64 position, Int64 size, Int64 offset, Word origin) {
    Int64 base = origin == soFromCurrent ? position : origin == soFromEnd ? size : 0;
    Int64 target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0) throw EStreamError("Invalid stream position");
    return target;
}

Integer ReadFromBytes(const std::string& data, Int64& position, void* buffer, Integer count) {
    if (count <= 0 || position >= static_cast<Int64>(data.size())) return 0;
    auto n = static_cast<Integer>(std::min<Int64>(count, static_cast<Int64>(data.size()) - position));
    std::memcpy(buffer, data.data() + position, static_cast<std::size_t>(n));
    position += n;
    return n;
}

Integer WriteToBytes(std::string& data, Int64& position, const void* buffer, Integer count) {
    if (count <= 0) return 0;
    auto end = static_cast<std::size_t>(position) + static_cast<std::size_t>(count);
    if (end > data.size()) data.resize(end, '\0');
    std::memcpy(data.data() + position, buffer, static_cast<std::size_t>(count));
    position += count;
    return count;
}

// Windows-1252 file names become the bytes the file system expects.
std::string NativeFileName(const AnsiString& FileName) { return codepage::AnsiToUtf8(FileName); }

}  // namespace

Integer TMemoryStream::Read(void* Buffer, Integer Count) { return ReadFromBytes(data_, position_, Buffer, Count); }
Integer TMemoryStream::Write(const void* Buffer, Integer Count) {
    return WriteToBytes(data_, position_, Buffer, Count);
}
Int64 TMemoryStream::Seek(Int64 Offset, Word Origin) {
    return position_ = SeekTarget(position_, Size(), Offset, Origin);
}
void TMemoryStream::SetSize(Int64 NewSize) {
    if (NewSize < 0) throw EStreamError("Invalid stream size");
    data_.resize(static_cast<std::size_t>(NewSize), '\0');
    position_ = std::min(position_, NewSize);
}
void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}
void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    data_ = Stream->ReadRest();
    position_ = 0;
}
void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}
void TMemoryStream::SaveToStream(TStream* Stream) {
    Stream->WriteBuffer(data_.data(), CheckedCast<Integer>(data_.size()));
}
void TMemoryStream::SaveToFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

// ---------------------------------------------------------------------------

AnsiString TStringStream::ReadString(Integer Count) {
    AnsiString result(static_cast<std::size_t>(std::max(Count, 0)), '\0');
    result.resize(static_cast<std::size_t>(Read(result.data(), Count)));
    return result;
}
void TStringStream::WriteString(const AnsiString& AString) {
    Write(AString.data(), CheckedCast<Integer>(AString.size()));
}

// ---------------------------------------------------------------------------

Integer THandleStream::Read(void* Buffer, Integer Count) {
    if (Count <= 0) return 0;
    ssize_t n = ::read(handle_, Buffer, static_cast<std::size_t>(Count));
    return n < 0 ? 0 : static_cast<Integer>(n);
}

Integer THandleStream::Write(const void* Buffer, Integer Count) {
    if (Count <= 0) return 0;
    ssize_t n = ::write(handle_, Buffer, static_cast<std::size_t>(Count));
    return n < 0 ? 0 : static_cast<Integer>(n);
}

Int64 THandleStream::Seek(Int64 Offset, Word Origin) {
    int whence = Origin == soFromCurrent ? SEEK_CUR : Origin == soFromEnd ? SEEK_END : SEEK_SET;
    off_t result = ::lseek(handle_, static_cast<off_t>(Offset), whence);
    if (result < 0) throw EStreamError("Invalid stream position");
    return static_cast<Int64>(result);
}

void THandleStream::SetSize(Int64 NewSize) {
    if (NewSize < 0 || ::ftruncate(handle_, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Stream size cannot be changed");
    if (Position() > NewSize) SetPosition(NewSize);
}

TFileStream::TFileStream(const AnsiString& FileName, Word Mode) : THandleStream(-1), fileName_(FileName) {
    std::string native = NativeFileName(FileName);
    if (Mode == fmCreate) {
        handle_ = ::open(native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (handle_ < 0) throw EFCreateError("Cannot create file \"" + FileName + "\"");
        return;
    }
    int access = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    handle_ = ::open(native.c_str(), access | O_CLOEXEC);
    struct stat info {};
    if (handle_ >= 0 && (::fstat(handle_, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(handle_);  // a folder opens on Linux but is no file to read
        handle_ = -1;
    }
    if (handle_ < 0) throw EFOpenError("Cannot open file \"" + FileName + "\"");
}

TFileStream::~TFileStream() {
    if (handle_ >= 0) ::close(handle_);
}
