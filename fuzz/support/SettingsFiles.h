#pragma once
// What the settings targets share: a temporary folder for the files, the input cut into names and the
// file's bytes, and the test that a write left every line but one alone.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"

namespace fuzzsettings {

// Made at the first call, removed at exit. In memory where the system offers it: a run replaces the
// files tens of thousands of times, which a disk's journal makes slow.
inline const std::string& Folder() {
    struct TFolder {
        std::string Path = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        TFolder() {
            Path += "/halcyra_settings_fuzz_XXXXXX";
            Check(mkdtemp(Path.data()) != nullptr);
        }
        ~TFolder() { std::filesystem::remove_all(Path); }
    };
    static const TFolder folder;
    return folder.Path;
}

inline std::string Contents(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void SetContents(const std::string& File, const std::string& Bytes) {
    std::ofstream(File, std::ios::binary | std::ios::trunc) << Bytes;
}

// An input is a line of three names between tabs, then the bytes of the file.
struct TInput {
    std::vector<std::string> Names;  // always three
    std::string File;
};

inline TInput CutInput(const std::string& Data) {
    TInput input;
    const std::size_t lineFeed = Data.find('\n');
    const std::string line = Data.substr(0, lineFeed);
    input.File = lineFeed == std::string::npos ? std::string() : Data.substr(lineFeed + 1);
    std::size_t begin = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t tab = i < 2 ? line.find('\t', begin) : std::string::npos;
        input.Names.push_back(begin <= line.size() ? line.substr(begin, tab - begin) : std::string());
        begin = tab == std::string::npos ? line.size() + 1 : tab + 1;
    }
    return input;
}

// True when After differs from Before within one line of Before at most: whatever lies between their
// common start and their common end holds no line feed of Before.
inline bool ChangesAtMostOneLine(const std::string& Before, const std::string& After) {
    std::size_t prefix = 0;
    while (prefix < Before.size() && prefix < After.size() && Before[prefix] == After[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < Before.size() - prefix && suffix < After.size() - prefix &&
           Before[Before.size() - 1 - suffix] == After[After.size() - 1 - suffix])
        ++suffix;
    return Before.find('\n', prefix) >= Before.size() - suffix;
}

}  // namespace fuzzsettings
