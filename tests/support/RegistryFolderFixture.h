#pragma once
// A test in its own temporary configuration folder: the registry's file and relative INI names lie there.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "vcl/Windows.h"

class RegistryFolderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/halcyra_settings_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        SetRegistryFolderForTest(folder_);
    }
    void TearDown() override {
        SetRegistryFolderForTest("");
        std::filesystem::remove_all(folder_);
    }

    static std::string Contents(const std::string& File) {
        std::ifstream in(File, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void SetContents(const std::string& File, const std::string& Bytes) {
        std::ofstream(File, std::ios::binary | std::ios::trunc) << Bytes;
    }
    // Files in the folder, so that a test sees no temporary file left behind.
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_), {}));
    }

    std::string folder_;
};
