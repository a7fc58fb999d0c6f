#pragma once
// The walk over GIF bytes behind THTMLPicture's frame count and frame selection. A frame starts at a
// graphic control extension ("!", 0xF9, 0x04 with at least 9 bytes after the "!") whose image descriptor
// (",") follows at the "!" + 8. Every read stays inside the bytes; a value cut off by the end reads 0.

#include <string>

#include "vcl/System.h"

namespace PictureContainer {

// "GIF8" and at least 5 bytes.
bool IsGifData(const std::string& Bytes);
// The frame starts in Bytes.
Integer CountGifFrames(const std::string& Bytes);

// The selected bytes are two runs of the data, so that a loader copies them once, straight to where they
// go: [0, HeadEnd), the bytes before the first frame start, then [TailStart, end), the frames from the
// selected one on.
struct TGifFrameSelection {
    std::size_t HeadEnd = 0;
    std::size_t TailStart = 0;
    Word Left = 0, Top = 0, Width = 0, Height = 0;  // the selected frame's descriptor
    Word ScreenWidth = 0, ScreenHeight = 0;         // the logical screen (bytes 6-9)
};
// Frame is 1-based; for a frame past the last only the bytes before the first frame start remain, and
// frame 1 (or less) keeps all.
TGifFrameSelection SelectGifFrame(const std::string& Bytes, Integer Frame);

}  // namespace PictureContainer
