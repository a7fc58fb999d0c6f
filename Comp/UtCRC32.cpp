#include "UtCRC32.h"

namespace UtCRC32 {

namespace {
std::array<std::uint32_t, 256> Table{};
}

void InitCRC32Table() {
    for (std::uint32_t n = 0; n < Table.size(); ++n) {
        std::uint32_t entry = n;
        for (int round = 0; round < 8; ++round) entry = (entry & 1u) ? (entry >> 1) ^ Polynomial : entry >> 1;
        Table[n] = entry;
    }
}

const std::array<std::uint32_t, 256>& CRC32Table() { return Table; }

}  // namespace UtCRC32
