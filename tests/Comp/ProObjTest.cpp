// The grid's small objects: integer lists, sort indexes, the cell control list, the file picture and the
// two pop-up windows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "ProObj.h"
#include "support/FormFixture.h"
#include "vcl/Windows.h"

using namespace ProObj;

namespace {

std::vector<Integer> ItemsOf(const TIntList& List) {
    std::vector<Integer> items;
    for (Integer i = 0; i < List.Count(); ++i) items.push_back(List.Items(i));
    return items;
}

bool SamePixelsInRow(TBitmap& A, TBitmap& B, Integer Y) {
    for (Integer x = 0; x < A.Width(); ++x)
        if (A.Canvas()->Pixels(x, Y) != B.Canvas()->Pixels(x, Y)) return false;
    return true;
}

}  // namespace

TEST(IntListTest, ChangesAreReportedExceptForInsert) {
    struct Case {
        const char* name;
        std::function<void(TIntList&)> change;
        int reports;
        std::vector<Integer> items;
    };
    const Case cases[] = {
        {"Add", [](TIntList& l) { l.Add(7); }, 1, {1, 2, 7}},
        {"SetItems", [](TIntList& l) { l.SetItems(1, 9); }, 1, {1, 9}},
        {"Delete", [](TIntList& l) { l.Delete(0); }, 1, {2}},
        {"Insert", [](TIntList& l) { l.Insert(1, 5); }, 0, {1, 5, 2}},
        {"SetStrValue", [](TIntList& l) { l.SetStrValue("4,5,6"); }, 3, {4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TIntList list(11, 22);
        list.Insert(0, 1);
        list.Insert(1, 2);
        int reports = 0;
        list.OnChange = [&](TObject* Sender, Integer Param1, Integer Param2) {
            EXPECT_EQ(Sender, &list);
            EXPECT_EQ(Param1, 11);
            EXPECT_EQ(Param2, 22);
            ++reports;
        };
        c.change(list);
        EXPECT_EQ(reports, c.reports);
        EXPECT_EQ(ItemsOf(list), c.items);
    }
}

TEST(IntListTest, CommaTextRoundTrips) {
    TIntList list(0, 0);
    for (Integer value : {3, -40, 0, 2147483647, -2147483647 - 1}) list.Add(value);
    EXPECT_EQ(list.StrValue(), "3,-40,0,2147483647,-2147483648");
    TIntList copy(0, 0);
    copy.SetStrValue(list.StrValue());
    EXPECT_EQ(ItemsOf(copy), ItemsOf(list));
    copy.SetStrValue("");
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copy.StrValue(), "");
}

TEST(IntListTest, ABadCommaTextItemRaisesAndLeavesTheList) {
    for (const char* text : {"1,x,3", "1,,3", "1,2.5", "99999999999"}) {
        SCOPED_TRACE(text);
        TIntList list(0, 0);
        list.Add(8);
        list.Add(9);
        int reports = 0;
        list.OnChange = [&](TObject*, Integer, Integer) { ++reports; };
        EXPECT_THROW(list.SetStrValue(text), EConvertError);
        EXPECT_EQ(ItemsOf(list), (std::vector<Integer>{8, 9}));
        EXPECT_EQ(reports, 0);
    }
}

TEST(IntListTest, ItemsOutsideTheListRaise) {
    TIntList list(0, 0);
    list.Add(1);
    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.SetItems(-1, 0), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
}

TEST(SortIndexListTest, EntriesHoldTheColumnAndTheDescendingBit) {
    TSortIndexList sorts;
    sorts.AddIndex(3, true);
    sorts.AddIndex(5, false);
    EXPECT_EQ(sorts.Items(0), 3);
    EXPECT_EQ(static_cast<std::uint32_t>(sorts.Items(1)), 0x80000005u);
    EXPECT_EQ(sorts.FindIndex(5), 1);
    EXPECT_EQ(sorts.FindIndex(3), 0);
    EXPECT_EQ(sorts.FindIndex(7), -1);

    int reports = 0;
    sorts.OnChange = [&](TObject*, Integer, Integer) { ++reports; };
    sorts.ToggleIndex(5);
    sorts.ToggleIndex(3);
    EXPECT_EQ(sorts.Items(1), 5);
    EXPECT_EQ(static_cast<std::uint32_t>(sorts.Items(0)), 0x80000003u);
    sorts.ToggleIndex(9);  // absent: nothing
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(sorts.Count(), 2);
}

class ProObjFormTest : public FormFixture {};

TEST_F(ProObjFormTest, TheControlListFreesItsRecordsNotTheControls) {
    TEdit* edit = Place<TEdit>(10, 10, 80, 20);
    TLabel* label = new TLabel(form);
    label->SetParent(form);
    auto* list = new TControlList();
    EXPECT_EQ(list->Add(1, 2, edit), 0);
    EXPECT_EQ(list->Add(3, 4, label), 1);
    EXPECT_EQ(list->Items(0)->Control, edit);
    EXPECT_EQ(list->Items(1)->Col, 3);
    EXPECT_EQ(list->Items(1)->Row, 4);
    EXPECT_THROW(list->Items(2), EListError);

    EXPECT_TRUE(list->HasHandle(edit->Handle()));
    EXPECT_FALSE(list->HasHandle(form->Handle()));
    EXPECT_FALSE(list->HasHandle(nullptr));
    list->Delete(0);
    EXPECT_FALSE(list->HasHandle(edit->Handle()));
    list->Free();
    // Both controls are still the form's.
    EXPECT_EQ(edit->Parent(), form);
    EXPECT_EQ(label->Parent(), form);
    edit->SetText("alive");
    EXPECT_EQ(edit->Text(), "alive");
}

TEST_F(ProObjFormTest, ArrowWindowsAreLimePopupsShapedAsTheirArrow) {
    struct Case {
        Byte direction;
        TPoint inside[2];
        TPoint outside[2];
    };
    const Case cases[] = {
        {0, {{5, 2}, {5, 7}}, {{0, 0}, {1, 8}}},  // up
        {1, {{5, 1}, {5, 6}}, {{0, 0}, {1, 7}}},  // down
        {2, {{2, 5}, {6, 5}}, {{0, 0}, {7, 1}}},  // right
        {3, {{2, 5}, {6, 5}}, {{0, 0}, {1, 1}}},  // left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.direction));
        auto* arrow = new TArrowWindow(form, c.direction);
        EXPECT_FALSE(arrow->Visible());
        EXPECT_EQ(arrow->Parent(), form);
        EXPECT_EQ(arrow->Color(), clLime);
        arrow->SetBounds(150, 120, 11, 11);
        arrow->HandleNeeded();
        EXPECT_EQ(static_cast<DWORD>(GetWindowLong(arrow->Handle(), GWL_STYLE)), WS_POPUP);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(arrow->Handle(), region), ERROR);
        for (TPoint p : c.inside) EXPECT_TRUE(PtInRegion(region, p.X, p.Y)) << p.X << "," << p.Y;
        for (TPoint p : c.outside) EXPECT_FALSE(PtInRegion(region, p.X, p.Y)) << p.X << "," << p.Y;
        DeleteObject(region);

        arrow->Show();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(arrow));
        const TPoint p = c.inside[0];
        EXPECT_EQ(shown->Canvas()->Pixels(p.X, p.Y), clLime);
        // A window of its own on the screen, not a child of the form.
        EXPECT_EQ(Testing::PeerGeometry(arrow), Rect(150, 120, 161, 131));
        arrow->Free();
    }
    EXPECT_THROW(new TArrowWindow(form, 4), ERangeError);
}

TEST_F(ProObjFormTest, PopupButtonIsADisabledTopmostPopupWithFrameGradientAndCaption) {
    auto* button = new TPopupButton(form);
    button->SetParent(form);
    EXPECT_EQ(button->GradFrom(), clNone);
    EXPECT_EQ(button->GradTo(), clNone);
    EXPECT_EQ(button->Color(), clBtnFace);
    button->SetBounds(100, 100, 60, 40);
    button->HandleNeeded();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(button->Handle(), GWL_STYLE)), 0x88800000u);

    button->Show();
    std::unique_ptr<TBitmap> plain(Testing::GrabWindow(button));
    // The grab holds the window with its border; the client area sits inside it.
    const Integer inset = (plain->Width() - button->ClientWidth()) / 2;
    const TRect client = Bounds(inset, inset, button->ClientWidth(), button->ClientHeight());
    EXPECT_EQ(plain->Canvas()->Pixels(client.Left, client.Top), clWhite) << "the raised frame's light edge";
    EXPECT_EQ(plain->Canvas()->Pixels(client.Right - 1, client.Bottom - 1), clGray);
    EXPECT_EQ(plain->Canvas()->Pixels(client.Left + client.Width() / 2, client.Top + 3),
              static_cast<TColor>(ColorToRGB(clBtnFace)));

    button->SetGradFrom(clRed);
    button->SetGradTo(clBlue);
    button->SetFlat(true);
    std::unique_ptr<TBitmap> gradient(Testing::GrabWindow(button));
    EXPECT_EQ(gradient->Canvas()->Pixels(client.Left, client.Top), clRed) << "flat: no frame";
    EXPECT_EQ(gradient->Canvas()->Pixels(client.Left + 3, client.Bottom - 1), static_cast<TColor>(RGB(4, 0, 251)));

    button->SetCaption("Go");
    std::unique_ptr<TBitmap> captioned(Testing::GrabWindow(button));
    EXPECT_FALSE(SamePixelsInRow(*gradient, *captioned, client.Top + client.Height() / 2));
    button->Free();
}

class FilePictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("filepicture_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    AnsiString Path(const char* Name) const { return (folder_ / Name).string(); }

    std::filesystem::path folder_;
};

TEST_F(FilePictureTest, TheSizeIsReadWhenTheNameIsSetAndTheImageAtEveryDraw) {
    TBitmap image;
    image.SetSize(4, 2);
    image.Canvas()->Brush()->SetColor(clBlue);
    image.Canvas()->FillRect(Rect(0, 0, 4, 2));
    image.SaveToFile(Path("blue.bmp"));

    TFilePicture picture;
    picture.SetFilename(Path("blue.bmp"));
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 2);

    TBitmap target;
    target.SetSize(20, 20);
    picture.Draw(target.Canvas(), Rect(2, 2, 18, 10));
    EXPECT_EQ(target.Canvas()->Pixels(17, 9), clBlue) << "stretched into the rect";
    EXPECT_NE(target.Canvas()->Pixels(17, 11), clBlue);

    // Read again at each draw: a changed file shows.
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(Rect(0, 0, 4, 2));
    image.SaveToFile(Path("blue.bmp"));
    picture.Draw(target.Canvas(), Rect(2, 2, 18, 10));
    EXPECT_EQ(target.Canvas()->Pixels(10, 5), clRed);

    TFilePicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Filename(), picture.Filename());
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 2);
}

TEST_F(FilePictureTest, AnUnreadableFileHasNoSizeAndDrawsNothing) {
    std::FILE* junk = std::fopen(Path("junk.bmp").c_str(), "wb");
    ASSERT_NE(junk, nullptr);
    std::fputs("not an image", junk);
    std::fclose(junk);
    for (const char* name : {"junk.bmp", "missing.bmp"}) {
        SCOPED_TRACE(name);
        TFilePicture picture;
        EXPECT_NO_THROW(picture.SetFilename(Path(name)));
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(picture.Height(), 0);
        TBitmap target;
        target.SetSize(10, 10);
        target.Canvas()->Brush()->SetColor(clWhite);
        target.Canvas()->FillRect(Rect(0, 0, 10, 10));
        EXPECT_NO_THROW(picture.Draw(target.Canvas(), Rect(0, 0, 10, 10)));
        EXPECT_EQ(target.Canvas()->Pixels(5, 5), clWhite);
    }
}
