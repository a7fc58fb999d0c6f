// Arbitrary bytes as a picture's file: loaded, then shown at every frame it counts (up to 16). Each load
// decodes or fails with one of the five plain load errors, the bytes stay as given, and a picture that
// loaded draws inside its size.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <typeinfo>

#include <vcl/Graphics.h>
#include <vcl/SysUtils.h>

#include "PictureContainer.h"
#include "support/FuzzCheck.h"

namespace {

using namespace PictureContainer;

bool IsLoadError(const std::string& Message) {
    for (const char* text :
         {"Could not allocate memory for image", "Could not create image stream", "Empty image stream created",
          "Could not load image. Invalid format", "Could not load image"})
        if (Message == text) return true;
    return false;
}

template <typename F>
void Load(THTMLPicture& Picture, const std::string& Bytes, F&& Step) {
    try {
        Step();
    } catch (const Exception& e) {
        Check(typeid(e) == typeid(Exception) && IsLoadError(e.Message()));
        Check(Picture.Width() == 0 && Picture.GetDisplayWidth() == 0);
    }
    Check(!Picture.Empty());
    TStringStream kept;
    Picture.SaveToStream(&kept);
    Check(kept.DataString() == Bytes);
    if (Picture.Width() == 0) return;
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->Draw(0, 0, &Picture);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    auto picture = MakeOwned<THTMLPicture>();
    TStringStream stream(bytes);
    Load(*picture, bytes, [&] { picture->LoadFromStream(&stream); });
    const Integer frames = picture->GetFrameCount();
    Check(frames >= -1);
    for (Integer frame = 1; frame <= std::min<Integer>(frames, 16); ++frame)
        Load(*picture, bytes, [&] { picture->SetFrame(frame); });
    return 0;
}
