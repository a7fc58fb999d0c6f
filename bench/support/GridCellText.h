#pragma once
// The texts the grid benchmarks fill their cells with, made the same way for a grid and its peer: eight
// characters that differ per cell of a table of GridBenchCols columns.
#include <cstddef>
#include <string>

constexpr int GridBenchCols = 10;

inline std::string GridCellText(int Col, int Row) {
    std::string text = "r0000000";
    long long n = static_cast<long long>(Row) * GridBenchCols + Col;
    for (std::size_t i = 7; i > 0 && n > 0; --i, n /= 10) text[i] = static_cast<char>('0' + n % 10);
    return text;
}
