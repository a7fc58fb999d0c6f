#pragma once
// The CRC-32 table of the reflected polynomial 0xEDB88320, filled at start-up.

#include <array>
#include <cstdint>

namespace UtCRC32 {

constexpr std::uint32_t Polynomial = 0xEDB88320u;

// Start-up: fills the table (each entry: eight rounds of shift right, xor with the polynomial when the
// bit shifted out was 1).
void InitCRC32Table();
const std::array<std::uint32_t, 256>& CRC32Table();

}  // namespace UtCRC32
