#include "Windows/SettingsFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "vcl/SysUtils.h"

namespace settings {

namespace {

struct TFolderChoice {
    std::mutex Lock;
    std::string ForTest;
};

TFolderChoice& FolderChoice() {
    static TFolderChoice choice;
    return choice;
}

bool WriteAll(int Handle, std::string_view Contents) {
    while (!Contents.empty()) {
        const ssize_t written = ::write(Handle, Contents.data(), Contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        Contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name no other writer uses, in the target's folder so that the rename stays on one file system.
int CreateTemporary(const std::filesystem::path& Target, std::string& Name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        Name = Target.string() + '.' + std::to_string(::getpid()) + '.' + std::to_string(counter++) + ".tmp";
        const int handle = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST) return handle;
    }
    return -1;
}

}  // namespace

std::filesystem::path ConfigurationFolder() {
    {
        std::lock_guard guard(FolderChoice().Lock);
        if (!FolderChoice().ForTest.empty()) return FolderChoice().ForTest;
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::filesystem::path(config) / "halcyra";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "halcyra";
}

void SetConfigurationFolderForTest(const std::string& Folder) {
    std::lock_guard guard(FolderChoice().Lock);
    FolderChoice().ForTest = Folder;
}

bool ReadWholeFile(const std::filesystem::path& File, std::string& Contents) {
    Contents.clear();
    const int handle = ::open(File.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) return errno == ENOENT;
    // Read straight into the string, sized to the file and grown should the file grow meanwhile.
    struct stat info {};
    const std::size_t expected =
        ::fstat(handle, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
    std::size_t used = 0;
    Contents.resize(expected + 1);
    for (;;) {
        if (used == Contents.size()) Contents.resize(2 * Contents.size());
        const ssize_t got = ::read(handle, Contents.data() + used, Contents.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ::close(handle);
            Contents.resize(got < 0 ? 0 : used);
            return got == 0;
        }
        used += static_cast<std::size_t>(got);
    }
}

bool ReplaceWholeFile(const std::filesystem::path& File, std::string_view Contents) {
    std::error_code error;
    struct stat link {};
    const bool isLink = ::lstat(File.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    const std::filesystem::path target = isLink ? std::filesystem::weakly_canonical(File, error) : File;
    if (error) return false;
    std::string temporary;
    const int handle = CreateTemporary(target, temporary);
    if (handle < 0) return false;
    struct stat existing {};
    bool written = ::stat(target.c_str(), &existing) != 0 || ::fchmod(handle, existing.st_mode & 07777) == 0;
    written = written && WriteAll(handle, Contents);
    written = (::close(handle) == 0) && written;
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool SameName(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    for (std::size_t i = 0; i < A.size(); ++i) {
        if (A[i] != B[i] && AnsiUpperChar(A[i]) != AnsiUpperChar(B[i])) return false;
    }
    return true;
}

std::string FoldedName(std::string_view Name) {
    std::string folded(Name);
    for (char& c : folded) c = AnsiUpperChar(c);
    return folded;
}

}  // namespace settings
