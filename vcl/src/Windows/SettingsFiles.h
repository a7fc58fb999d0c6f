#pragma once
// What the two stores of settings share, the registry's file and INI files: the configuration folder
// they live in, whole-file reads, replacement through a temporary file, and names compared without case.

#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

// $XDG_CONFIG_HOME/halcyra, else ~/.config/halcyra, unless a test chose another folder.
std::filesystem::path ConfigurationFolder();
// "" returns to the user's folder.
void SetConfigurationFolderForTest(const std::string& Folder);

// The file's bytes; a file that does not exist reads as "". False (and "") for one that exists but
// cannot be read, which a writer must not replace.
bool ReadWholeFile(const std::filesystem::path& File, std::string& Contents);
// Writes Contents to a new file beside File and renames it over File, so that a failed write leaves
// the old file whole. A symbolic link is followed; an existing file keeps its permissions.
bool ReplaceWholeFile(const std::filesystem::path& File, std::string_view Contents);

// Windows-1252 letters compare without case.
bool SameName(std::string_view A, std::string_view B);
// The name upper-cased, so that names SameName finds equal fold to equal texts.
std::string FoldedName(std::string_view Name);

}  // namespace settings
