// Image lists: images cut from a strip, drawn through their masks, nothing outside 0..Count-1.
#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"
#include "vcl/ImgList.h"

namespace {

// Three 4 x 4 images side by side: red, green, blue, each with a magenta top-left pixel.
std::unique_ptr<TBitmap> ThreeImages() {
    auto strip = WhiteBitmap(12, 4);
    const TColor colors[] = {clRed, clLime, clBlue};
    for (Integer i = 0; i < 3; ++i) {
        strip->Canvas()->Brush()->SetColor(colors[i]);
        strip->Canvas()->FillRect(Rect(i * 4, 0, i * 4 + 4, 4));
        strip->Canvas()->SetPixels(i * 4, 0, clFuchsia);
    }
    return strip;
}

}  // namespace

TEST(ImageListTest, ImagesAreCutFromTheStripAndDrawnThroughTheirMask) {
    TImageList& list = *new TImageList(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    auto strip = ThreeImages();
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    // A black-on-white mask: the white pixel (1, 1) of each image is left out.
    auto mask = WhiteBitmap(12, 4);
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(Rect(0, 0, 12, 4));
    for (Integer i = 0; i < 3; ++i) mask->Canvas()->SetPixels(i * 4 + 1, 1, clWhite);
    EXPECT_EQ(list.Add(strip.get(), mask.get()), 3);
    EXPECT_EQ(list.Count(), 6);

    struct Case {
        Integer index;
        TColor body;            // at (2, 2)
        TColor corner, middle;  // at (0, 0) and (1, 1)
    };
    const Case cases[] = {
        {0, clRed, clWhite, clRed},      {2, clBlue, clWhite, clBlue},   {3, clRed, clFuchsia, clWhite},
        {5, clBlue, clFuchsia, clWhite}, {6, clWhite, clWhite, clWhite}, {-1, clWhite, clWhite, clWhite},
    };
    for (const Case& c : cases) {
        auto target = WhiteBitmap(10, 10);
        list.Draw(target->Canvas(), 3, 3, c.index);
        EXPECT_EQ(target->Canvas()->Pixels(5, 5), c.body) << c.index;
        EXPECT_EQ(target->Canvas()->Pixels(3, 3), c.corner) << c.index;
        EXPECT_EQ(target->Canvas()->Pixels(4, 4), c.middle) << c.index;
        // The same through the handle.
        auto again = WhiteBitmap(10, 10);
        EXPECT_EQ(ImageList_Draw(list.Handle(), c.index, again->Canvas()->Handle(), 3, 3, ILD_TRANSPARENT),
                  c.index >= 0 && c.index < list.Count() ? TRUE : FALSE);
        EXPECT_EQ(again->Canvas()->Pixels(5, 5), c.body) << c.index;
        EXPECT_EQ(again->Canvas()->Pixels(3, 3), c.corner) << c.index;
        EXPECT_EQ(target->Canvas()->Pixels(7, 7), clWhite) << "drawn past the image's size";
    }
    list.Free();
}

TEST(ImageListTest, HandlesAnswerTheSizeUntilTheListIsGone) {
    int cx = 0, cy = 0;
    HIMAGELIST handle = nullptr;
    {
        TImageList& list = *new TImageList(nullptr);
        list.SetWidth(32);
        list.SetHeight(24);
        handle = list.Handle();
        EXPECT_EQ(ImageListFromHandle(handle), &list);
        ASSERT_EQ(ImageList_GetIconSize(handle, &cx, &cy), TRUE);
        EXPECT_EQ(cx, 32);
        EXPECT_EQ(cy, 24);
        EXPECT_EQ(ImageList_GetImageCount(handle), 0);
        EXPECT_EQ(list.Add(nullptr, nullptr), -1);
        list.Free();
    }
    EXPECT_EQ(ImageListFromHandle(handle), nullptr);
    EXPECT_EQ(ImageList_GetIconSize(handle, &cx, &cy), FALSE);
    auto target = WhiteBitmap(4, 4);
    EXPECT_EQ(ImageList_Draw(handle, 0, target->Canvas()->Handle(), 0, 0, ILD_NORMAL), FALSE);
}
