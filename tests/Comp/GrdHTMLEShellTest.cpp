// Shell icons and scaled bitmaps for mark-up pictures (fixed icons through the shell's seam).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "GrdHTMLE.h"
#include "support/GraphicsTestSupport.h"
#include "vcl/ShellAPI.h"
#include "support/TempPath.h"

using namespace GrdHTMLE;

namespace {

constexpr TColor FixedFolder = 0x00C8FF;  // RGB(255, 200, 0)
constexpr TColor FixedFile = 0xFF0000;

}  // namespace

TEST(GrdHTMLEShellTest, ShellIconsDrawAtTheirSizeOrScaledForPrinting) {
    UseFixedShellIconsForTest(true);
    const std::string folder = ProcessTempPath("grdhtmle_shell_test");
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/a.txt") << "x";
    EXPECT_TRUE(IsDirectoryPath(folder));
    EXPECT_FALSE(IsDirectoryPath(folder + "/a.txt"));
    EXPECT_FALSE(IsDirectoryPath(folder + "/missing"));

    struct Case {
        std::string path;
        bool large, print, draw;
        double resFactor;
        Integer size;     // the icon size reported
        Integer drawnTo;  // the first column left white (X = 2)
        TColor color;
    };
    const Case cases[] = {
        {folder, false, false, true, 1.0, 16, 2 + 15, FixedFolder},
        {folder, true, false, true, 1.0, 32, 2 + 31, FixedFolder},
        {folder + "/a.txt", false, false, true, 1.0, 16, 2 + 15, FixedFile},
        {folder + "/missing.txt", false, false, true, 1.0, 16, 2 + 15, FixedFile},
        {folder + "/a.txt", false, true, true, 2.0, 16, 2 + 30, FixedFile},
        {folder, false, false, false, 1.0, 16, 2, clWhite},
        {"0", false, false, true, 1.0, 16, 2 + 15, FixedFolder},
        {"99", false, false, true, 1.0, 16, 2, clWhite},
    };
    for (const Case& c : cases) {
        auto target = WhiteBitmap(80, 80);
        TPoint size(-1, -1);
        DrawShellIcon(target->Canvas(), 2, 2, size, c.resFactor, c.print, c.draw, c.large, c.path);
        EXPECT_EQ(size.X, c.size) << c.path;
        EXPECT_EQ(size.Y, c.size) << c.path;
        EXPECT_EQ(target->Canvas()->Pixels(2 + 4, 2 + 4), c.color) << c.path;
        EXPECT_EQ(target->Canvas()->Pixels(c.drawnTo, 2 + 4), clWhite) << c.path;
        if (c.drawnTo > 3) {
            EXPECT_EQ(target->Canvas()->Pixels(c.drawnTo - 2, 2 + 4), c.color) << c.path;
        }
    }
    std::filesystem::remove_all(folder);
    UseFixedShellIconsForTest(false);
}

TEST(GrdHTMLEShellTest, ABitmapIsStretchedOverTheWholeRectangle) {
    auto picture = WhiteBitmap(2, 2);
    picture->Canvas()->SetPixels(1, 1, clRed);
    auto target = WhiteBitmap(20, 20);
    DrawBitmapScaled(target->Canvas(), Rect(4, 4, 12, 12), picture.get());
    const struct {
        Integer x, y;
        TColor color;
    } probes[] = {{4, 4, clWhite}, {7, 7, clWhite}, {8, 8, clRed}, {11, 11, clRed}, {12, 12, clWhite}, {3, 3, clWhite}};
    for (const auto& p : probes) EXPECT_EQ(target->Canvas()->Pixels(p.x, p.y), p.color) << p.x << "," << p.y;
}
