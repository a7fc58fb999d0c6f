#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"

TEST(Font, DefaultsAreTheClassLibrarys) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_TRUE(font.Style().Empty());
}

TEST(Font, SizeAndHeightConvertAt96PixelsPerInch) {
    struct Case {
        Integer Size, Height;
    };
    const Case cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {72, -96}};
    for (const Case& c : cases) {
        TFont font;
        font.SetSize(c.Size);
        EXPECT_EQ(font.Height(), c.Height) << c.Size;
        EXPECT_EQ(font.Size(), c.Size) << c.Size;
    }
    TFont cell;
    cell.SetHeight(16);  // a positive height is a cell height: the size comes out negative
    EXPECT_EQ(cell.Size(), -12);
}

TEST(Font, WindowsNamesMapToInstalledFamilies) {
    struct Case {
        const char* Windows;
        const char* Family;
    };
    const Case cases[] = {{"MS Sans Serif", "Liberation Sans"}, {"Tahoma", "Liberation Sans"},
                          {"Arial", "Liberation Sans"},         {"Microsoft Sans Serif", "Liberation Sans"},
                          {"Courier New", "Liberation Mono"},   {"Times New Roman", "Liberation Serif"},
                          {"No Such Font", "Liberation Sans"}};
    for (const Case& c : cases) EXPECT_EQ(MapFontName(c.Windows), c.Family) << c.Windows;
}

TEST(Font, ChangesFireOnChangeOnlyWhenSomethingChanges) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetName("Arial");
    font.SetName("Arial");
    font.SetStyle({fsBold});
    font.SetColor(clRed);
    font.SetSize(8);  // already -11
    EXPECT_EQ(changes, 3);
}

TEST(Font, PublishedPropertiesAreSetByName) {
    TFont font;
    TReadContext ctx;
    TFormValue style;
    style.Kind = TFormValue::vaSet;
    style.Set = {"fsBold", "fsItalic"};
    TFont::ClassInfo()->FindProperty("Style")->Write(font, style, ctx);
    TFont::ClassInfo()->FindProperty("Color")->Write(font, FormIdent("clHighlight"), ctx);
    TFont::ClassInfo()->FindProperty("Height")->Write(font, FormInt(-13), ctx);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Color(), clHighlight);
    EXPECT_EQ(font.Size(), 10);
}

TEST(Font, FixedMetricsProviderGivesExactTextSizes) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(50, 20);
    EXPECT_EQ(bitmap->Canvas()->TextWidth("Hello"), 30);
    EXPECT_EQ(bitmap->Canvas()->TextHeight("Hello"), 13);
    EXPECT_EQ(bitmap->Canvas()->TextWidth(""), 0);
}

TEST(Font, RealFontsMeasureSomething) {
    auto bitmap = WhiteBitmap(50, 20);
    TCanvas* canvas = bitmap->Canvas();
    Integer narrow = canvas->TextWidth("i");
    Integer wide = canvas->TextWidth("WWWW");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, 3 * narrow);
    EXPECT_GE(canvas->TextHeight("X"), 11);
}
