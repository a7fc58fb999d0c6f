#pragma once
// Data formats as the bytes of their global blocks: plain and wide text zero-terminated, files as a
// DROPFILES block. Every reader stays inside the bytes it is given.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/ActiveX.h"
#include "vcl/OleBlocks.h"

struct TFormatBlock {
    CLIPFORMAT Format;
    std::string Bytes;
};

// The whole block a data object gives for the format in global memory; the medium is released.
std::optional<std::string> FetchBlock(IDataObject* Data, CLIPFORMAT Format);
// A new global block holding Bytes; nullptr when memory runs out.
HGLOBAL GlobalFromBytes(const std::string& Bytes);

std::string AnsiTextBlock(const AnsiString& Text);
std::string WideTextBlock(std::u16string_view Text);
std::string DropFilesBlock(const std::vector<WideString>& Files);

// "Rich Text Format", registered on first use.
CLIPFORMAT RichTextClipboardFormat();
