#pragma once
// The stand-in's reader of the blocks another program hands over in drags and on the clipboard: a global
// block's bytes, zero-terminated text, and the names of a DROPFILES block. Every read stays inside the
// bytes it is given, so one reader serves the stand-in, the components and the fuzz targets.

#include <string>
#include <string_view>
#include <vector>

#include "vcl/ActiveX.h"

// The bytes of a global block, as many as GlobalSize says it holds ("" for none or one that won't lock).
std::string BytesOfGlobal(HGLOBAL Block);
// The same bytes where they lie, for a reader done with them before the block is freed.
std::string_view GlobalBytesInPlace(HGLOBAL Block);

AnsiString AnsiTextOfBlock(std::string_view Block);  // up to the first zero byte
WideString WideTextOfBlock(std::string_view Block);  // up to the first zero character
// The names of a DROPFILES block, wide or ANSI (code page 1252) as its header says, up to an empty name;
// a header, offset or name that runs past the block ends the list.
std::vector<WideString> FilesOfDropBlock(const std::string& Block);
