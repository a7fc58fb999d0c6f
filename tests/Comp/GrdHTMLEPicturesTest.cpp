// RenderHTML with cached and named pictures: sizes, stretching, tiling, loading once, failures skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "GrdHTMLE.h"
#include "support/GraphicsTestSupport.h"
#include "PictureContainer.h"
#include "support/TempPath.h"

using namespace GrdHTMLE;
using namespace PictureContainer;

namespace {

// A 2 x 2 picture file: red, lime / blue, yellow.
struct TPictureFile {
    const std::string Path = ProcessTempPath("grdhtmle_picture.bmp");
    TPictureFile() {
        TBitmap bitmap;
        bitmap.SetSize(2, 2);
        bitmap.Canvas()->SetPixels(0, 0, clRed);
        bitmap.Canvas()->SetPixels(1, 0, clLime);
        bitmap.Canvas()->SetPixels(0, 1, clBlue);
        bitmap.Canvas()->SetPixels(1, 1, clYellow);
        bitmap.SaveToFile(Path);
    }
    ~TPictureFile() { std::remove(Path.c_str()); }
};

struct TRendered {
    Integer Width = 0, Height = 0;
};

TRendered Render(TCanvas* Canvas, const AnsiString& Text, THTMLPictureCache* Cache, TPictureContainer* Container) {
    TRendered out;
    AnsiString anchor, plain, focus, id, value, type;
    Integer count = 0, link = 0;
    TRect mouseRect, controlRect;
    RenderHTML(Canvas, Text, Rect(0, 0, 60, 40), nullptr, -100, -100, -1, 0, 1, false, false, false, false, true, false,
               true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, out.Width, out.Height, count,
               link, mouseRect, controlRect, id, value, type, Cache, Container, nullptr);
    return out;
}

}  // namespace

TEST(GrdHTMLEPicturesTest, NamedAndCachedPicturesAreSizedStretchedAndTiled) {
    TFixedMetricsScope metrics;
    TPictureFile file;
    TPictureContainer& container = *new TPictureContainer(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName("Logo");
    item->Picture()->LoadFromFile(file.Path);
    THTMLPictureCache cache;
    const AnsiString url = "file://" + file.Path;

    struct Probe {
        Integer x, y;
        TColor color;
    };
    struct Case {
        AnsiString text;
        Integer width, height;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"<IMG SRC=\"logo\">b", 8, 13, {{1, 11, clRed}, {2, 12, clYellow}}},
        {"<IMG SRC=\"logo\" WIDTH=\"20\" HEIGHT=\"20\">b",
         26,
         20,
         {{1, 0, clRed}, {20, 19, clYellow}, {10, 9, clRed}, {11, 10, clYellow}}},
        {"<IMG SRC=\"logo\" WIDTH=\"20\">b", 8, 13, {}},
        {"<IMG SRC=\"" + url + "\">b", 8, 13, {{1, 11, clRed}}},
        {"<IMG SRC=\"" + UpperCase(url) + "\">b", 8, 13, {{1, 11, clRed}}},
        {"<IMG SRC=\"http://nowhere.invalid/x.bmp\">b", 6, 13, {}},
        {"<IMG SRC=\"missing\">b", 6, 13, {}},
        {"<BODY BACKGROUND=\"logo\">", 0, 13, {{0, 0, clRed}, {2, 0, clRed}, {3, 1, clYellow}, {59, 39, clYellow}}},
    };
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(70, 50);
        const TRendered out = Render(bitmap->Canvas(), c.text, &cache, &container);
        EXPECT_EQ(out.Width, c.width) << c.text;
        EXPECT_EQ(out.Height, c.height) << c.text;
        for (const Probe& p : c.probes)
            EXPECT_EQ(bitmap->Canvas()->Pixels(p.x, p.y), p.color) << c.text << " at " << p.x << "," << p.y;
        // Clipped to the rectangle.
        EXPECT_EQ(bitmap->Canvas()->Pixels(65, 45), clWhite) << c.text;
    }
    // Each URL (upper-cased with its tag) was loaded once and kept, the failed one empty.
    EXPECT_EQ(cache.Count(), 2);
    auto bitmap = WhiteBitmap(70, 50);
    Render(bitmap->Canvas(), "<IMG SRC=\"" + url + "\">", &cache, &container);
    EXPECT_EQ(cache.Count(), 2);
    ASSERT_NE(cache.FindPicture("HTTP://NOWHERE.INVALID/X.BMP"), nullptr);
    EXPECT_TRUE(cache.FindPicture("HTTP://NOWHERE.INVALID/X.BMP")->Empty());
    for (Integer i = 0; i < cache.Count(); ++i) cache.Pictures(i)->Free();
    container.Free();
}
