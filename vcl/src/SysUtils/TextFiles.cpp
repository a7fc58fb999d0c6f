// Text files read a line at a time, with I/O checking off: failures leave a code for IOResult.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "System/Codepage.h"
#include "vcl/SysUtils.h"

namespace {

constexpr Integer ErrFileNotFound = 2;
constexpr Integer ErrPathNotFound = 3;
constexpr Integer ErrAccessDenied = 5;
constexpr Integer ErrReadFault = 100;
constexpr Integer ErrFileNotOpen = 103;

constexpr char CtrlZ = '\x1A';
constexpr std::size_t BufferSize = 64 * 1024;

thread_local Integer inOutRes = 0;

Integer OpenErrorCode(int Error) {
    switch (Error) {
        case ENOENT: return ErrFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG: return ErrPathNotFound;
        default: return ErrAccessDenied;
    }
}

}  // namespace

struct TextFile::TState {
    AnsiString name;
    int fd = -1;
    std::vector<char> buffer;
    std::size_t pos = 0;
    std::size_t end = 0;
    bool ended = false;  // the file's end, a Ctrl-Z or a read error was met

    ~TState() { Close(); }
    void Close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        pos = end = 0;
        ended = false;
    }
    // At least one byte ahead unless the text ended.
    bool Fill() {
        if (pos < end) return true;
        if (ended) return false;
        ssize_t got = 0;
        do {
            got = ::read(fd, buffer.data(), buffer.size());
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            if (got < 0) inOutRes = ErrReadFault;
            ended = true;
            return false;
        }
        pos = 0;
        end = static_cast<std::size_t>(got);
        return true;
    }
};

TextFile::TextFile() : state_(std::make_unique<TState>()) {}
TextFile::~TextFile() = default;

void AssignFile(TextFile& F, const AnsiString& FileName) {
    F.state_->Close();
    F.state_->name = FileName;
}

void Reset(TextFile& F) {
    TextFile::TState& state = *F.state_;
    state.Close();
    if (state.name.empty()) {
        inOutRes = ErrFileNotFound;
        return;
    }
    const int fd = ::open(codepage::AnsiToUtf8(state.name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        inOutRes = OpenErrorCode(errno);
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        inOutRes = ErrAccessDenied;
        return;
    }
    state.fd = fd;
    state.buffer.resize(BufferSize);
}

void ReadLn(TextFile& F, AnsiString& S) {
    TextFile::TState& state = *F.state_;
    S.clear();
    if (state.fd < 0) {
        inOutRes = ErrFileNotOpen;
        return;
    }
    while (state.Fill()) {
        const char* begin = state.buffer.data() + state.pos;
        const char* end = state.buffer.data() + state.end;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r' || c == CtrlZ; });
        S.append(begin, stop);
        state.pos += static_cast<std::size_t>(stop - begin);
        if (stop == end) continue;
        if (*stop == CtrlZ) {
            state.ended = true;
            state.pos = state.end;
            return;
        }
        ++state.pos;
        if (*stop == '\r' && state.Fill() && state.buffer[state.pos] == '\n') ++state.pos;
        return;
    }
}

bool Eof(TextFile& F) {
    TextFile::TState& state = *F.state_;
    if (state.fd < 0) {
        inOutRes = ErrFileNotOpen;
        return true;
    }
    if (!state.Fill()) return true;
    if (state.buffer[state.pos] != CtrlZ) return false;
    state.ended = true;
    state.pos = state.end;
    return true;
}

void CloseFile(TextFile& F) {
    if (F.state_->fd < 0) inOutRes = ErrFileNotOpen;
    F.state_->Close();
}

Integer IOResult() { return std::exchange(inOutRes, 0); }
