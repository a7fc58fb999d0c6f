#pragma once
// The clipboard's blocks as bytes, for tests that check what a copy left there.
#include <optional>
#include <string>

#include "vcl/OleBlocks.h"
#include "vcl/Windows.h"

// The bytes the clipboard gives for Format; none when it cannot be opened or holds no such format.
inline std::optional<std::string> ClipboardBytes(UINT Format) {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    HGLOBAL block = GetClipboardData(Format);
    std::optional<std::string> bytes;
    if (block) bytes = BytesOfGlobal(block);
    CloseClipboard();
    return bytes;
}

// Text as a CF_UNICODETEXT block holds it: UTF-16 little-endian, zero-terminated.
inline std::string WideTextBytes(const std::u16string& Text) {
    std::string bytes;
    for (char16_t unit : Text + u'\0') bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}
