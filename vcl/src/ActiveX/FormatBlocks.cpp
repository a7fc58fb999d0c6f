// Reading and writing the blocks of the data formats, bounded by the block's own size.
#include "ActiveX/FormatBlocks.h"

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

std::string BytesOfGlobal(HGLOBAL Block) {
    const std::size_t size = Block ? GlobalSize(Block) : 0;
    const void* p = size ? GlobalLock(Block) : nullptr;
    if (!p) return {};
    std::string bytes(static_cast<const char*>(p), size);
    GlobalUnlock(Block);
    return bytes;
}

HGLOBAL GlobalFromBytes(const std::string& Bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, Bytes.size());
    if (!h || Bytes.empty()) return h;
    void* p = GlobalLock(h);
    std::memcpy(p, Bytes.data(), Bytes.size());
    GlobalUnlock(h);
    return h;
}

AnsiString AnsiTextOfBlock(const std::string& Block) { return Block.substr(0, Block.find('\0')); }

namespace {

WideString WideUnitsFrom(const std::string& Block, std::size_t From, bool& Terminated) {
    WideString text;
    Terminated = false;
    for (std::size_t at = From; at + 1 < Block.size(); at += 2) {
        char16_t unit = static_cast<char16_t>(static_cast<Byte>(Block[at]) | (static_cast<Byte>(Block[at + 1]) << 8));
        if (unit == 0) {
            Terminated = true;
            break;
        }
        text += unit;
    }
    return text;
}

}  // namespace

WideString WideTextOfBlock(const std::string& Block) {
    bool terminated;
    return WideUnitsFrom(Block, 0, terminated);
}

std::string AnsiTextBlock(const AnsiString& Text) { return Text + '\0'; }

std::string WideTextBlock(const WideString& Text) {
    std::string block;
    block.reserve(Text.size() * 2 + 2);
    for (char16_t unit : Text + u'\0') {
        block += static_cast<char>(unit & 0xFF);
        block += static_cast<char>(unit >> 8);
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
