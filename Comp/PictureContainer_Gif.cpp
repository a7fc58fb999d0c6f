// GIF frame walk: memchr finds each "!", so a walk costs about one scan of the bytes.
#include "PictureContainer_Gif.h"

#include <cstring>
#include <limits>

namespace PictureContainer {

namespace {

// The little-endian 16-bit value at At; 0 when it runs past the end.
Word WordAt(const std::string& Bytes, std::size_t At) {
    if (At + 2 > Bytes.size()) return 0;
    return static_cast<Word>(static_cast<Byte>(Bytes[At]) | static_cast<Byte>(Bytes[At + 1]) << 8);
}

bool IsFrameStart(const std::string& Bytes, std::size_t At) {
    return Bytes.size() - At > 9 && static_cast<Byte>(Bytes[At + 1]) == 0xF9 &&
           static_cast<Byte>(Bytes[At + 2]) == 0x04 && Bytes[At + 8] == ',';
}

// Calls Visit(position) for every frame start, in order.
template <typename F>
void ForEachFrameStart(const std::string& Bytes, F&& Visit) {
    const char* data = Bytes.data();
    const std::size_t size = Bytes.size();
    std::size_t at = 0;
    while (at < size) {
        const void* bang = std::memchr(data + at, '!', size - at);
        if (!bang) break;
        at = static_cast<std::size_t>(static_cast<const char*>(bang) - data);
        if (IsFrameStart(Bytes, at)) Visit(at);
        ++at;
    }
}

}  // namespace

bool IsGifData(const std::string& Bytes) { return Bytes.size() >= 5 && Bytes.starts_with("GIF8"); }

Integer CountGifFrames(const std::string& Bytes) {
    Integer count = 0;
    ForEachFrameStart(Bytes, [&](std::size_t) {
        if (count < std::numeric_limits<Integer>::max()) ++count;
    });
    return count;
}

TGifFrameSelection SelectGifFrame(const std::string& Bytes, Integer Frame) {
    TGifFrameSelection result;
    result.ScreenWidth = WordAt(Bytes, 6);
    result.ScreenHeight = WordAt(Bytes, 8);
    if (Bytes.size() < 10) result.ScreenWidth = result.ScreenHeight = 0;
    result.HeadEnd = result.TailStart = Bytes.size();
    Integer counter = 1;
    bool copying = true;
    ForEachFrameStart(Bytes, [&](std::size_t at) {
        if (counter == Frame) {
            result.Left = WordAt(Bytes, at + 9);
            result.Top = WordAt(Bytes, at + 11);
            result.Width = WordAt(Bytes, at + 13);
            result.Height = WordAt(Bytes, at + 15);
        }
        if (counter < std::numeric_limits<Integer>::max()) ++counter;
        const bool copyNext = Frame < counter;
        // Copying stops at most once (the first frame start) and starts again at most once (the selected one).
        if (copying && !copyNext) result.HeadEnd = at;
        if (!copying && copyNext) result.TailStart = at;
        copying = copyNext;
    });
    return result;
}

}  // namespace PictureContainer
