// HTML pictures: GIF frames, the load errors, Assign, URLs, the cache, the container and its streaming.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <typeinfo>

#include "PictureContainer.h"
#include "support/PictureBytes.h"
#include "vcl/Resources.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

extern const TResourceEntry PictureTestResources[];

namespace {

using namespace PictureContainer;
using namespace picturebytes;

TColor Rgb(std::uint32_t Rgb) {
    return static_cast<TColor>(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF));
}
const TColor Red = Rgb(0xFF0000), Green = Rgb(0x00FF00), Blue = Rgb(0x0000FF);

// Frame 1 red over the whole 4 x 4 screen, frame 2 green over it, frame 3 blue at (1, 2) size 3 x 2.
const std::string ThreeFrames = MakeGif(4, 4, {{0, 0, 4, 4, 0}, {0, 0, 4, 4, 1}, {1, 2, 3, 2, 2}});

void Load(THTMLPicture& Picture, const std::string& Bytes) {
    TStringStream stream(Bytes);
    Picture.LoadFromStream(&stream);
}

// Loads and swallows the load error: the bytes stay whatever the decoder thinks of them.
void LoadKeepingBytes(THTMLPicture& Picture, const std::string& Bytes) {
    try {
        Load(Picture, Bytes);
    } catch (const Exception&) {
    }
}

std::string BytesOf(THTMLPicture& Picture) {
    TStringStream stream;
    Picture.SaveToStream(&stream);
    return stream.DataString();
}

// The pixel at (X, Y) of a white 12 x 12 bitmap with the picture drawn at natural size at (0, 0).
TColor DrawnPixel(THTMLPicture& Picture, Integer X, Integer Y) {
    TBitmap bitmap;
    bitmap.SetSize(12, 12);
    bitmap.Canvas()->Draw(0, 0, &Picture);
    return bitmap.Canvas()->Pixels(X, Y);
}

struct TFrameBox {
    Word Left, Top, Width, Height;
    friend bool operator==(const TFrameBox&, const TFrameBox&) = default;
};
TFrameBox BoxOf(const THTMLPicture& P) { return {P.FrameLeft(), P.FrameTop(), P.FrameWidth(), P.FrameHeight()}; }

}  // namespace

TEST(HTMLPictureTest, OnlyGifDataHasAFrameCountAndEveryFrameStartIsCounted) {
    const std::string graphicControl("!\xF9\x04\0\0\0\0\0,", 9);
    struct Case {
        const char* name;
        std::string bytes;
        Integer count;
    };
    const Case cases[] = {
        {"three frames", ThreeFrames, 3},
        {"a still GIF", MakeGif(2, 2, {{0, 0, 2, 2, 1}}), 1},
        {"a bitmap", MakeBmp(2, 2, 0), -1},
        {"GIF8 alone is too short", "GIF8", -1},
        {"GIF89 is GIF", "GIF89", 0},
        {"a frame start needs 9 bytes after its !", "GIF89a" + graphicControl, 0},
        {"with the 9th byte", "GIF89a" + graphicControl + "x", 1},
        {"no image descriptor at ! + 8", "GIF89a" + std::string("!\xF9\x04\0\0\0\0\0;xxxx", 13), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        THTMLPicture picture;
        LoadKeepingBytes(picture, c.bytes);
        EXPECT_EQ(picture.GetFrameCount(), c.count);
        EXPECT_EQ(picture.GetFrameCount(), c.count) << "the same on every call";
    }
}

TEST(HTMLPictureTest, SettingTheFrameShowsThatFrameWithItsBoxAndFiresOnFrameChange) {
    THTMLPicture picture;
    int frameChanges = 0;
    picture.OnFrameChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &picture);
        ++frameChanges;
    };
    picture.SetFrame(2);  // no bytes yet: stored only
    EXPECT_EQ(frameChanges, 0);
    picture.SetFrame(1);
    Load(picture, ThreeFrames);

    struct Case {
        Integer frame;
        TPoint at;
        TColor colour;
        TFrameBox box;
    };
    const Case cases[] = {
        {2, {0, 0}, Green, {0, 0, 4, 4}},
        {3, {1, 2}, Blue, {1, 2, 3, 2}},
        {1, {3, 3}, Red, {0, 0, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        const int before = frameChanges;
        picture.SetFrame(c.frame);
        EXPECT_EQ(frameChanges, before + 1);
        EXPECT_EQ(DrawnPixel(picture, c.at.X, c.at.Y), c.colour);
        EXPECT_EQ(BoxOf(picture), c.box);
        EXPECT_EQ(picture.ScreenWidth(), 4);
        EXPECT_EQ(picture.GetDisplayWidth(), 4);
        EXPECT_EQ(BytesOf(picture), ThreeFrames) << "the bytes stay as loaded";
    }
}

TEST(HTMLPictureTest, TheLogicalScreenIsTheDisplaySizeOfAGif) {
    THTMLPicture picture;
    Load(picture, MakeGif(9, 7, {{2, 1, 3, 3, 1}}));
    EXPECT_EQ(picture.GetDisplayWidth(), 9);
    EXPECT_EQ(picture.GetDisplayHeight(), 7);
    EXPECT_EQ(BoxOf(picture), (TFrameBox{2, 1, 3, 3}));
}

TEST(HTMLPictureTest, EveryLoadStartsFromFreshFrameValues) {
    THTMLPicture picture;
    Load(picture, ThreeFrames);
    picture.SetFrame(3);
    ASSERT_EQ(BoxOf(picture), (TFrameBox{1, 2, 3, 2}));

    Load(picture, MakeBmp(6, 5, 0x0000FF));  // a still picture over the animation
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_EQ(BoxOf(picture), (TFrameBox{0, 0, 0, 0}));
    EXPECT_EQ(picture.ScreenWidth(), 0);
    EXPECT_EQ(picture.GetDisplayWidth(), 6);
    EXPECT_EQ(picture.GetDisplayHeight(), 5);
    EXPECT_EQ(DrawnPixel(picture, 5, 4), Blue);

    picture.SetFrame(1);
    Load(picture, ThreeFrames);
    ASSERT_EQ(picture.GetFrameCount(), 3);
    Load(picture, MakeGif(2, 2, {{0, 0, 2, 2, 1}}));
    EXPECT_EQ(picture.GetFrameCount(), 1) << "new data is counted again";
}

TEST(HTMLPictureTest, TheFiveLoadErrorsArePlainExceptionsThatKeepTheBytesAndDropThePicture) {
    struct Case {
        const char* message;
        std::function<void(bool)> seam;  // on, then off
        std::string bytes;
    };
    const std::string still = MakeBmp(2, 2, 0x00FF00);
    const Case cases[] = {
        {"Could not allocate memory for image", [](bool on) { SetGlobalAllocFailsForTest(on); }, still},
        {"Could not create image stream",
         [](bool on) { SetCreateStreamOnHGlobalForTest(on ? E_OUTOFMEMORY : S_OK, true); }, still},
        {"Empty image stream created", [](bool on) { SetCreateStreamOnHGlobalForTest(S_OK, !on); }, still},
        {"Could not load image. Invalid format", [](bool) {}, Png1x1()},
        {"Could not load image", [](bool on) { SetOleLoadPictureGivesNoneForTest(on); }, still},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        THTMLPicture picture;
        Load(picture, MakeBmp(3, 3, 0xFF0000));
        ASSERT_EQ(picture.Width(), 3);
        const std::size_t blocks = GlobalBlockCountForTest();
        int changes = 0;
        picture.OnChange = [&](TObject*) { ++changes; };

        c.seam(true);
        try {
            Load(picture, c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), typeid(Exception));
            EXPECT_EQ(e.Message(), c.message);
        }
        c.seam(false);

        EXPECT_EQ(changes, 0);
        EXPECT_FALSE(picture.Empty());
        EXPECT_EQ(BytesOf(picture), c.bytes);
        EXPECT_EQ(picture.Width(), 0) << "the old picture is released";
        EXPECT_EQ(picture.GetDisplayWidth(), 0);
        EXPECT_EQ(DrawnPixel(picture, 0, 0), clWhite);
        EXPECT_EQ(GlobalBlockCountForTest(), blocks) << "no block left behind";
    }
}

TEST(HTMLPictureTest, AssignCopiesTheBytesFromFrameOneAndFromItselfChangesNothing) {
    THTMLPicture source;
    Load(source, ThreeFrames);
    source.SetFrame(2);

    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Frame(), 1);
    EXPECT_EQ(BytesOf(copy), ThreeFrames);
    EXPECT_EQ(DrawnPixel(copy, 0, 0), Red);

    source.Assign(&source);
    EXPECT_EQ(source.Frame(), 2);
    EXPECT_EQ(DrawnPixel(source, 0, 0), Green);

    TBitmap bitmap;
    EXPECT_THROW(copy.Assign(&bitmap), EConvertError);
    EXPECT_EQ(DrawnPixel(copy, 0, 0), Red) << "a refused source changes nothing";

    THTMLPicture empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);

    Load(copy, ThreeFrames);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(BytesOf(copy), "");
    EXPECT_EQ(copy.GetFrameCount(), -1);
}

TEST(HTMLPictureTest, DrawShowsTheNaturalSizeOrStretchesIntoTheRectangle) {
    THTMLPicture picture;
    Load(picture, MakeBmp(2, 2, 0xFF0000));
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Draw(3, 3, &picture);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 3), Red);
    EXPECT_EQ(bitmap.Canvas()->Pixels(4, 4), Red);
    EXPECT_EQ(bitmap.Canvas()->Pixels(5, 5), clWhite);

    bitmap.Canvas()->StretchDraw(Rect(5, 5, 9, 9), &picture);
    EXPECT_EQ(bitmap.Canvas()->Pixels(8, 8), clWhite) << "not Stretch: the natural size at the top-left";
    picture.SetStretch(true);
    bitmap.Canvas()->StretchDraw(Rect(5, 5, 9, 9), &picture);
    EXPECT_EQ(bitmap.Canvas()->Pixels(8, 8), Red);
    EXPECT_EQ(bitmap.Canvas()->Pixels(9, 9), clWhite);
}

TEST(HTMLPictureTest, URLsLoadResourcesAndFilesAndOtherAddressesStayEmpty) {
    RegisterResources(PictureTestResources);
    char pattern[] = "/tmp/halcyra_pictures_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::filesystem::path folder = pattern;
    std::filesystem::create_directories(folder / "Pics");
    std::ofstream(folder / "Pics" / "Small.gif", std::ios::binary) << MakeGif(5, 3, {{0, 0, 5, 3, 1}});
    const std::string file = (folder / "Pics" / "Small.gif").string();

    struct Case {
        std::string url;
        bool asynchronous;
        bool loaded;
        Integer width;
        const char* storedURL;  // nullptr: the URL itself
        const char* pending;    // nullptr: the URL itself
    };
    const Case cases[] = {
        {"res://logo", true, true, 3, nullptr, ""},
        {"Res://LOGO", true, true, 3, nullptr, ""},
        {"res://", true, false, 0, nullptr, ""},
        {"res://nothing", true, false, 0, nullptr, ""},
        {"FILE://", true, false, 0, nullptr, ""},
        {"file://" + file, true, true, 5, nullptr, ""},
        {"FILE://" + UpperCase(file), true, true, 5, nullptr, ""},
        {"http://example.invalid/a.gif", false, false, 0, nullptr, nullptr},
        {"http://example.invalid/a.gif", true, false, 0, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        THTMLPicture picture;
        picture.SetAsynchronous(c.asynchronous);
        picture.LoadFromURL(c.url);
        EXPECT_EQ(!picture.Empty(), c.loaded);
        EXPECT_EQ(picture.Width(), c.width);
        EXPECT_EQ(picture.URL(), c.storedURL ? c.storedURL : c.url);
        EXPECT_EQ(picture.PendingURL(), c.pending ? c.pending : c.url);
    }

    THTMLPicture downloading;
    downloading.LoadFromURL("http://example.invalid/1.gif");
    EXPECT_TRUE(downloading.ThreadBusy());
    downloading.LoadFromURL("http://example.invalid/2.gif");
    EXPECT_EQ(downloading.PendingURL(), "http://example.invalid/1.gif") << "one download at a time";
    EXPECT_TRUE(downloading.Empty());
    EXPECT_TRUE(TThread::WaitUntilNoThreadsForTest(10000)) << "the download thread frees itself";
    EXPECT_TRUE(downloading.ThreadBusy()) << "and never reports back";

    EXPECT_THROW(downloading.LoadFromFile(file + ".missing"), EFOpenError);
    EXPECT_TRUE(downloading.Empty());
    std::filesystem::remove_all(folder);
}

TEST(PictureStoresTest, TheCacheFindsURLsExactlyAndTheContainerFindsNamesInAnyCase) {
    THTMLPictureCache cache;
    for (const char* url : {"http://A", "http://a"}) {
        THTMLPicture* picture = cache.AddPicture();
        picture->SetAsynchronous(false);
        picture->LoadFromURL(url);
    }
    ASSERT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.FindPicture("http://a"), cache.Pictures(1));
    EXPECT_EQ(cache.FindPicture("http://A"), cache.Pictures(0));
    EXPECT_EQ(cache.FindPicture("HTTP://A"), nullptr);
    for (Integer i = 0; i < cache.Count(); ++i) cache.Pictures(i)->Free();  // the owner frees them

    auto container = MakeOwned<TPictureContainer>(nullptr);
    for (const char* name : {"logo", "LOGO", "Other"}) container->Items()->Add()->SetName(name);
    EXPECT_EQ(container->FindPicture("Logo"), container->Items()->Items(0)->Picture());
    EXPECT_EQ(container->FindPicture("other"), container->Items()->Items(2)->Picture());
    EXPECT_EQ(container->FindPicture("missing"), nullptr);
}

TEST(PictureStoresTest, TheItemsWriterCopiesTheItemsAndKeepsItsOwnCollection) {
    auto container = MakeOwned<TPictureContainer>(nullptr);
    TPictureCollection* own = container->Items();
    {
        auto other = MakeOwned<TPictureContainer>(nullptr);
        TPictureItem* item = other->Items()->Add();
        item->SetName("logo");
        item->SetTag(7);
        Load(*item->Picture(), ThreeFrames);
        item->Picture()->SetFrame(3);
        container->SetItems(other->Items());
    }  // the foreign collection goes with its container
    ASSERT_EQ(container->Items(), own);
    ASSERT_EQ(own->Count(), 1);
    EXPECT_EQ(own->Items(0)->Name(), "logo");
    EXPECT_EQ(own->Items(0)->Tag(), 7);
    EXPECT_EQ(BytesOf(*own->Items(0)->Picture()), ThreeFrames);
    EXPECT_EQ(own->Items(0)->Picture()->Frame(), 1);
    EXPECT_EQ(own->Owner(), container.get());
}

TEST(PictureStoresTest, AFormDescriptionHoldsAPictureContainer) {
    RegisterPictureContainer();
    const std::string logo = MakeGif(3, 2, {{0, 0, 3, 2, 2}});
    std::string hex;
    for (unsigned char b : logo) hex += IntToHex(b, 2);
    const std::string text =
        "object Root: TComponent\n"
        "  object Pictures: TPictureContainer\n"
        "    Items = <\n"
        "      item\n"
        "        Picture.Data = {" +
        hex +
        "}\n"
        "        Picture.Stretch = True\n"
        "        Name = 'logo'\n"
        "        Tag = 5\n"
        "      end>\n"
        "  end\n"
        "end\n";
    auto root = MakeOwned<TComponent>(nullptr);
    ReadComponentFromText(text, root.get());
    auto* container = dynamic_cast<TPictureContainer*>(root->FindComponent("Pictures"));
    ASSERT_NE(container, nullptr);
    THTMLPicture* picture = container->FindPicture("LOGO");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(container->Items()->Items(0)->Tag(), 5);
    EXPECT_TRUE(picture->Stretch());
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(DrawnPixel(*picture, 2, 1), Blue);

    const TPropertyInfo* data = THTMLPicture::ClassInfo()->FindProperty("Data");
    ASSERT_NE(data, nullptr);
    TFormValue written = data->Read(*picture);
    EXPECT_EQ(written.Kind, TFormValue::vaBinary);
    EXPECT_EQ(written.Str, logo);

    EXPECT_THROW(ReadComponentFromText("object Root: TComponent\n object P: TPictureContainer\n Items = <\n item\n"
                                       " Picture.Data = {89504E47}\n end>\n end\nend\n",
                                       root.get()),
                 EReadError)
        << "bytes that are no picture fail the reading";
}
