// Streams on global memory, OLE pictures decoded by their signature and drawn by Render, and the
// resources of the program's module.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/PictureBytes.h"
#include "vcl/ActiveX.h"
#include "vcl/Graphics.h"
#include "vcl/Resources.h"
#include "vcl/Windows.h"

namespace {

using namespace picturebytes;

HGLOBAL BlockOf(const std::string& Bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
    if (void* p = GlobalLock(block)) {
        std::memcpy(p, Bytes.data(), Bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

HRESULT LoadPicture(const std::string& Bytes, ComPtr<IPicture>& Picture, LONG Size = 0) {
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(BlockOf(Bytes), TRUE, stream.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    return OleLoadPicture(stream.Get(), Size, FALSE, IID_IPicture,
                          reinterpret_cast<void**>(Picture.ReleaseAndGetAddressOf()));
}

TColor Rgb(std::uint32_t Rgb) {
    return static_cast<TColor>(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF));
}

// Four pixels: red top left, green top right, blue bottom left, white bottom right (a GIF of 2 x 2
// drawn as four 1 x 1 frames would be shown frame by frame, so this is one BMP built by hand).
std::string FourColourBmp() {
    std::string bmp = MakeBmp(2, 2, 0);
    const std::size_t rows = 54;  // bottom row first, 8 bytes a row (6 + padding)
    const std::uint32_t pixels[4] = {0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00};  // bottom-left, bottom-right, ...
    for (int i = 0; i < 4; ++i) {
        const std::size_t at = rows + (i / 2) * 8 + (i % 2) * 3;
        bmp[at] = static_cast<char>(pixels[i] & 0xFF);
        bmp[at + 1] = static_cast<char>((pixels[i] >> 8) & 0xFF);
        bmp[at + 2] = static_cast<char>(pixels[i] >> 16);
    }
    return bmp;
}

}  // namespace

TEST(OlePictureTest, PicturesAreKnownByTheirSignatureAndOtherFormatsAreRefused) {
    struct Case {
        const char* name;
        std::string bytes;
        HRESULT result;
        LONG width, height;  // pixels
    };
    const Case cases[] = {
        {"bmp", MakeBmp(3, 2, 0x123456), S_OK, 3, 2},
        {"icon", MakeIco(16, 0x00FF00), S_OK, 16, 16},
        {"jpeg", Jpeg8x8(), S_OK, 8, 8},
        {"gif", MakeGif(5, 4, {{0, 0, 5, 4, 1}}), S_OK, 5, 4},
        {"png, though readable", Png1x1(), CTL_E_INVALIDPICTURE, 0, 0},
        {"placeable metafile", std::string("\xD7\xCD\xC6\x9A\0\0\0\0", 8) + std::string(40, '\0'), CTL_E_INVALIDPICTURE,
         0, 0},
        {"bmp signature, no bitmap", "BM" + std::string(60, '\x7F'), CTL_E_INVALIDPICTURE, 0, 0},
        {"gif cut after the header", MakeGif(5, 4, {{0, 0, 5, 4, 1}}).substr(0, 25), CTL_E_INVALIDPICTURE, 0, 0},
        {"nothing", "", CTL_E_INVALIDPICTURE, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<IPicture> picture;
        EXPECT_EQ(LoadPicture(c.bytes, picture), c.result);
        EXPECT_EQ(picture.Get() != nullptr, c.result == S_OK);
        if (!picture) continue;
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        EXPECT_EQ(picture->get_Width(&width), S_OK);
        EXPECT_EQ(picture->get_Height(&height), S_OK);
        EXPECT_EQ(width, MulDiv(c.width, 2540, 96));
        EXPECT_EQ(height, MulDiv(c.height, 2540, 96));
    }
}

TEST(OlePictureTest, OnlyTheGivenNumberOfBytesIsReadAndOnlyPicturesAreHandedOut) {
    const std::string bmp = MakeBmp(3, 2, 0x123456);
    ComPtr<IPicture> picture;
    EXPECT_EQ(LoadPicture(bmp, picture, static_cast<LONG>(bmp.size())), S_OK);
    EXPECT_EQ(LoadPicture(bmp, picture, 20), CTL_E_INVALIDPICTURE);

    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(BlockOf(bmp), TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
    void* object = nullptr;
    EXPECT_EQ(OleLoadPicture(stream.Get(), 0, FALSE, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(OleLoadPicture(stream.Get(), 0, FALSE, IID_IPicture, nullptr), E_POINTER);
    EXPECT_EQ(OleLoadPicture(nullptr, 0, FALSE, IID_IPicture, &object), E_INVALIDARG);
}

TEST(OlePictureTest, RenderDrawsTheSourcePartIntoTheTargetAndNegativeExtentsMirror) {
    ComPtr<IPicture> picture;
    ASSERT_EQ(LoadPicture(FourColourBmp(), picture), S_OK);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    const TColor red = Rgb(0xFF0000), green = Rgb(0x00FF00), blue = Rgb(0x0000FF), white = Rgb(0xFFFFFF);
    struct Case {
        const char* name;
        LONG x, y, cx, cy;
        LONG xSrc, ySrc, cxSrc, cySrc;
        TColor topLeft, topRight, bottomLeft, bottomRight;  // of the 4 x 4 target at (2, 2)
    };
    const Case cases[] = {
        {"upright, doubled", 2, 2, 4, 4, 0, h, w, -h, red, green, blue, white},
        {"positive source height turns it over", 2, 2, 4, 4, 0, 0, w, h, blue, white, red, green},
        {"negative width mirrors", 6, 2, -4, 4, 0, h, w, -h, green, red, white, blue},
        {"the right half of the source", 2, 2, 4, 4, w / 2 + 1, h, w - (w / 2 + 1), -h, green, green, white, white},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        bitmap.SetSize(8, 8);
        ASSERT_EQ(
            picture->Render(bitmap.Canvas()->Handle(), c.x, c.y, c.cx, c.cy, c.xSrc, c.ySrc, c.cxSrc, c.cySrc, nullptr),
            S_OK);
        EXPECT_EQ(bitmap.Canvas()->Pixels(2, 2), c.topLeft);
        EXPECT_EQ(bitmap.Canvas()->Pixels(5, 2), c.topRight);
        EXPECT_EQ(bitmap.Canvas()->Pixels(2, 5), c.bottomLeft);
        EXPECT_EQ(bitmap.Canvas()->Pixels(5, 5), c.bottomRight);
        EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clWhite) << "nothing outside the target";
        EXPECT_EQ(bitmap.Canvas()->Pixels(6, 6), clWhite);
    }
    EXPECT_EQ(picture->Render(nullptr, 0, 0, 2, 2, 0, h, w, -h, nullptr), E_INVALIDARG);
}

TEST(OlePictureTest, AStreamReadsAndSeeksInsideItsBlockAndFreesItOnlyWhenItOwnsIt) {
    const std::size_t before = GlobalBlockCountForTest();
    HGLOBAL block = BlockOf("abcdef");
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, stream.ReleaseAndGetAddressOf()), S_OK);
        char buffer[8] = {};
        ULONG read = 0;
        EXPECT_EQ(stream->Read(buffer, 4, &read), S_OK);
        EXPECT_EQ(std::string(buffer, read), "abcd");
        EXPECT_EQ(stream->Read(buffer, 8, &read), S_OK);
        EXPECT_EQ(std::string(buffer, read), "ef");
        UInt64 position = 0;
        EXPECT_EQ(stream->Seek(-3, STREAM_SEEK_END, &position), S_OK);
        EXPECT_EQ(position, 3u);
        EXPECT_EQ(stream->Read(buffer, 8, &read), S_OK);
        EXPECT_EQ(std::string(buffer, read), "def");
        EXPECT_EQ(stream->Seek(-1, STREAM_SEEK_SET, &position), STG_E_INVALIDFUNCTION);
        EXPECT_EQ(stream->Seek(10, STREAM_SEEK_SET, &position), S_OK);  // past the end reads nothing
        EXPECT_EQ(stream->Read(buffer, 8, &read), S_OK);
        EXPECT_EQ(read, 0u);
        EXPECT_EQ(stream->Seek(0, 7, nullptr), STG_E_INVALIDFUNCTION);
    }
    EXPECT_EQ(GlobalBlockCountForTest(), before + 1) << "the block stays with its owner";
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
    }
    EXPECT_EQ(GlobalBlockCountForTest(), before);

    IStream* none = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &none), E_INVALIDARG);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(CreateStreamOnHGlobal(block, TRUE, nullptr), E_POINTER);
}

TEST(OlePictureTest, TheSeamsGiveTheOutcomesRealDataCannot) {
    HGLOBAL block = BlockOf(MakeBmp(1, 1, 0));
    ComPtr<IStream> stream;
    SetCreateStreamOnHGlobalForTest(E_OUTOFMEMORY, true);
    EXPECT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()), E_OUTOFMEMORY);
    SetCreateStreamOnHGlobalForTest(S_OK, false);
    EXPECT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_FALSE(stream);
    SetCreateStreamOnHGlobalForTest(S_OK, true);
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);

    SetOleLoadPictureGivesNoneForTest(true);
    ComPtr<IPicture> picture;
    EXPECT_EQ(OleLoadPicture(stream.Get(), 0, FALSE, IID_IPicture,
                             reinterpret_cast<void**>(picture.ReleaseAndGetAddressOf())),
              S_OK);
    SetOleLoadPictureGivesNoneForTest(false);
    EXPECT_FALSE(picture);
}

TEST(ResourceCallsTest, DataResourcesAreFoundByNameWithoutCaseInTheProgramsModuleOnly) {
    static const unsigned char logo[] = {'L', 'O', 'G', 'O'};
    static const unsigned char form[] = {'o', 'b', 'j'};
    static const TResourceEntry table[] = {
        {"Logo", "RCDATA", logo, sizeof logo}, {"Panel", "DFM", form, sizeof form}, {nullptr, nullptr, nullptr, 0}};
    RegisterResources(table);

    struct Case {
        HMODULE module;
        const char* name;
        const char* type;
        const char* bytes;  // nullptr: not found
    };
    const Case cases[] = {
        {HInstance, "logo", RT_RCDATA, "LOGO"},
        {nullptr, "LOGO", RT_RCDATA, "LOGO"},
        {HInstance, "Panel", "DFM", "obj"},
        {HInstance, "Panel", RT_RCDATA, nullptr},
        {HInstance, "logo.gif", RT_RCDATA, nullptr},
        {reinterpret_cast<HMODULE>(8), "logo", RT_RCDATA, nullptr},
        {HInstance, MAKEINTRESOURCE(1), RT_RCDATA, nullptr},
        {HInstance, "logo", MAKEINTRESOURCE(2), nullptr},
    };
    for (const Case& c : cases) {
        HRSRC info = FindResource(c.module, c.name, c.type);
        EXPECT_EQ(info != nullptr, c.bytes != nullptr);
        if (!info) continue;
        const void* data = LockResource(LoadResource(c.module, info));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(static_cast<const char*>(data), SizeofResource(c.module, info)), c.bytes);
    }
    // Handles are checked: a resource handle is no data handle, and made-up ones are nothing.
    HRSRC info = FindResource(HInstance, "logo", RT_RCDATA);
    EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(info)), nullptr);
    EXPECT_EQ(LoadResource(HInstance, reinterpret_cast<HRSRC>(0x1234)), nullptr);
    EXPECT_EQ(SizeofResource(HInstance, reinterpret_cast<HRSRC>(0x1234)), 0u);
}
