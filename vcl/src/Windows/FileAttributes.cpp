// File attributes on Linux terms; a name is found without letter case when the exact one is missing.
#include <filesystem>

#include "System/Codepage.h"
#include "vcl/CaselessPath.h"
#include "vcl/Windows.h"

DWORD GetFileAttributesA(const char* lpFileName) {
    if (!lpFileName || !*lpFileName) return INVALID_FILE_ATTRIBUTES;
    const std::filesystem::path path(codepage::AnsiToUtf8(CaselessPath(lpFileName)));
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = 0;
    if (std::filesystem::is_directory(status)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    const std::string name = path.filename().string();
    if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
    if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}
