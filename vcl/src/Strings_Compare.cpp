// Windows-1252 case folding for list comparisons.
#include "Strings_Compare.h"

namespace {

unsigned char UpperCase1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

template <typename Map>
int CompareBytes(std::string_view a, std::string_view b, Map map) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        int x = map(static_cast<unsigned char>(a[i]));
        int y = map(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareText1252(std::string_view a, std::string_view b) { return CompareBytes(a, b, UpperCase1252); }
int CompareStr1252(std::string_view a, std::string_view b) {
    return CompareBytes(a, b, [](unsigned char c) { return c; });
}
