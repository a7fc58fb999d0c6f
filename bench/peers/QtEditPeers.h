#pragma once
// Plain Qt line edits repainting, for the edit benchmarks to compare with in the same run. Qt-free header.
#include <memory>

namespace qtpeer {

// A shown window of Count line edits (with a frame or without), each Width x Height, holding a short text.
class ShownLineEdits {
public:
    ShownLineEdits(int Count, bool Framed, int Width, int Height);
    ~ShownLineEdits();
    // Asks every edit to be painted again and lets the window paint them.
    void RepaintAll();
    // Whether the first edit's text shows dark ink in the window.
    bool ShowsText();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qtpeer
