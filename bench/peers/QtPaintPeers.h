#pragma once
// Plain Qt doing what the stand-in's drawing does, for benchmarks to compare with in the same run. The
// header stays Qt-free so that the benchmarks themselves do not include Qt.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qtpeer {

// A QPainter held open on a white image, with the font the stand-in shows "MS Sans Serif" at 11 pixels in.
class HeldPainter {
public:
    HeldPainter(int Width, int Height);
    ~HeldPainter();
    // Black glyphs with their cell's top left at X, Y; the background stays.
    void TextOut(int X, int Y, const std::string& Text);
    void FillRect(int Left, int Top, int Right, int Bottom, std::uint32_t Rgb);
    std::uint32_t Pixel(int X, int Y) const;  // 0xRRGGBB

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A shown table view of Rows x Cols texts without headers, its sections ColWidth and RowHeight apart
// (grid line included), Width x Height pixels.
class ShownTable {
public:
    using TextOf = std::function<std::string(int Col, int Row)>;
    ShownTable(int Rows, int Cols, TextOf Text, int ColWidth, int RowHeight, int Width, int Height);
    ~ShownTable();
    // Paints the whole view now.
    void Repaint();
    // The cells whose texts the view asked for since the last call.
    int TakeCellsAsked();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qtpeer
