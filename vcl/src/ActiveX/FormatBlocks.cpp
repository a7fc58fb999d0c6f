// Reading and writing the blocks of the data formats, bounded by the block's own size.
#include "ActiveX/FormatBlocks.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "vcl/ShellAPI.h"

std::optional<std::string> FetchBlock(IDataObject* Data, CLIPFORMAT Format) {
    if (!Data) return std::nullopt;
    FORMATETC format{Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (Data->GetData(&format, &medium) != S_OK) return std::nullopt;
    std::optional<std::string> bytes;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) bytes = BytesOfGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
}

std::string BytesOfGlobal(HGLOBAL Block) { return std::string(GlobalBytesInPlace(Block)); }

// The stand-in's global memory never moves, so the bytes stay where the lock found them.
std::string_view GlobalBytesInPlace(HGLOBAL Block) {
    const std::size_t size = Block ? GlobalSize(Block) : 0;
    const void* p = size ? GlobalLock(Block) : nullptr;
    if (!p) return {};
    GlobalUnlock(Block);
    return {static_cast<const char*>(p), size};
}

HGLOBAL GlobalFromBytes(const std::string& Bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, Bytes.size());
    if (!h || Bytes.empty()) return h;
    void* p = GlobalLock(h);
    std::memcpy(p, Bytes.data(), Bytes.size());
    GlobalUnlock(h);
    return h;
}

AnsiString AnsiTextOfBlock(std::string_view Block) { return AnsiString(Block.substr(0, Block.find('\0'))); }

namespace {

char16_t UnitAt(std::string_view Block, std::size_t At) {
    return static_cast<char16_t>(static_cast<Byte>(Block[At]) | (static_cast<Byte>(Block[At + 1]) << 8));
}

// Found first, then copied at once: a clipboard's text holds millions of units.
WideString WideUnitsFrom(std::string_view Block, std::size_t From, bool& Terminated) {
    std::size_t end = From;
    // Four units at a time while none is zero (a zero unit is a zero 16-bit lane in either byte order).
    for (std::uint64_t four; end + sizeof four <= Block.size(); end += sizeof four) {
        std::memcpy(&four, Block.data() + end, sizeof four);
        if (((four - 0x0001000100010001ull) & ~four & 0x8000800080008000ull) != 0) break;
    }
    while (end + 1 < Block.size() && UnitAt(Block, end) != 0) end += 2;
    Terminated = end + 1 < Block.size();
    WideString text(end > From ? (end - From) / 2 : 0, u'\0');
    if constexpr (std::endian::native == std::endian::little) {
        if (!text.empty()) std::memcpy(text.data(), Block.data() + From, text.size() * 2);
    } else {
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = UnitAt(Block, From + 2 * i);
    }
    return text;
}

}  // namespace

WideString WideTextOfBlock(std::string_view Block) {
    bool terminated;
    return WideUnitsFrom(Block, 0, terminated);
}

std::string AnsiTextBlock(const AnsiString& Text) { return Text + '\0'; }

std::string WideTextBlock(std::u16string_view Text) {
    std::string block(Text.size() * 2 + 2, '\0');
    if constexpr (std::endian::native == std::endian::little) {
        if (!Text.empty()) std::memcpy(block.data(), Text.data(), Text.size() * 2);
    } else {
        for (std::size_t i = 0; i < Text.size(); ++i) {
            block[2 * i] = static_cast<char>(Text[i] & 0xFF);
            block[2 * i + 1] = static_cast<char>(Text[i] >> 8);
        }
    }
    return block;
}

std::vector<WideString> FilesOfDropBlock(const std::string& Block) {
    std::vector<WideString> files;
    DROPFILES header;
    if (Block.size() < sizeof header) return files;
    std::memcpy(&header, Block.data(), sizeof header);
    std::size_t at = header.pFiles;
    while (at < Block.size()) {
        bool terminated;
        WideString name;
        if (header.fWide) {
            name = WideUnitsFrom(Block, at, terminated);
            at += (name.size() + 1) * 2;
        } else {
            const std::size_t end = Block.find('\0', at);
            terminated = end != std::string::npos;
            if (!terminated) break;
            name = AnsiToWide(Block.substr(at, end - at));
            at = end + 1;
        }
        if (!terminated || name.empty()) break;
        files.push_back(std::move(name));
    }
    return files;
}

std::string DropFilesBlock(const std::vector<WideString>& Files) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const WideString& file : Files) block += WideTextBlock(file);
    return block + std::string(2, '\0');
}

CLIPFORMAT RichTextClipboardFormat() { return static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format")); }
