#pragma once
// A path in the temporary folder that belongs to this test process alone: ctest runs test processes side
// by side, and one process's clean-up must not remove another's file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

inline std::string ProcessTempPath(const std::string& Name) {
    return ::testing::TempDir() + std::to_string(getpid()) + "_" + Name;
}
