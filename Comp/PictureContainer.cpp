// THTMLPicture: the bytes as loaded, decoded again by the OLE picture service on every load.
#include "PictureContainer.h"

#include <cstring>

#include "PictureContainer_Gif.h"
#include "vcl/CaselessPath.h"
#include "vcl/Windows.h"

namespace PictureContainer {

namespace {

void PublishTHTMLPicture(TPublisher& p) {
    TPublishOf<THTMLPicture> P(p);
    P.Bool("Stretch", &THTMLPicture::Stretch, &THTMLPicture::SetStretch);
    P.Int("Frame", &THTMLPicture::Frame, &THTMLPicture::SetFrame);
    P.Event("OnFrameChange", &THTMLPicture::OnFrameChange);
    P.Event("OnDownLoadError", &THTMLPicture::OnDownLoadError);
    P.Event("OnDownLoadComplete", &THTMLPicture::OnDownLoadComplete);
    P.Event("OnDownLoadCancel", &THTMLPicture::OnDownLoadCancel);
    P.Event("OnDownLoadProgress", &THTMLPicture::OnDownLoadProgress);
}

}  // namespace

VCL_IMPLEMENT_CLASS(THTMLPicture, nullptr, PublishTHTMLPicture)

THTMLPicture::THTMLPicture() : dataStream_(std::make_unique<TMemoryStream>()) {}

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Assign(TPersistent* Source) {
    if (Source == this) return;
    auto* source = dynamic_cast<THTMLPicture*>(Source);
    if (Source && !source) return inherited::Assign(Source);  // raises: nothing changed
    isEmpty_ = true;
    picture_.Reset();
    frameCount_ = -1;
    frame_ = 1;
    frameLeft_ = frameTop_ = frameWidth_ = frameHeight_ = screenWidth_ = screenHeight_ = 0;
    // An empty source has no bytes that could show: copying them would only fail to load.
    if (!source || source->Empty()) return dataStream_->Clear();
    dataStream_->LoadFromStream(source->dataStream_.get());
    isEmpty_ = false;
    LoadPicture();
    Changed(this);
}

Integer THTMLPicture::Width() const {
    OLE_XSIZE_HIMETRIC width = 0;
    if (!picture_ || FAILED(picture_->get_Width(&width))) return 0;
    return MulDiv(width, logPixelsX_, 2540);
}

Integer THTMLPicture::Height() const {
    OLE_YSIZE_HIMETRIC height = 0;
    if (!picture_ || FAILED(picture_->get_Height(&height))) return 0;
    return MulDiv(height, logPixelsY_, 2540);
}

Integer THTMLPicture::GetDisplayWidth() const {
    if (!picture_) return 0;
    return screenWidth_ != 0 ? screenWidth_ : Width();
}

Integer THTMLPicture::GetDisplayHeight() const {
    if (!picture_) return 0;
    return screenHeight_ != 0 ? screenHeight_ : Height();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (isEmpty_ || !picture_ || !ACanvas) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    HDC dc = ACanvas->Handle();
    if (stretch_) {
        picture_->Render(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), 0, height, width, -height, &Rect);
    } else {
        const LONG cx = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
        const LONG cy = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
        picture_->Render(dc, Rect.Left, Rect.Top, cx, cy, 0, height, width, -height, &Rect);
    }
}

void THTMLPicture::TakeBytes(TStream* Stream) {
    dataStream_->LoadFromStream(Stream);
    isEmpty_ = false;
    frameCount_ = -1;
}

void THTMLPicture::LoadFromFile(const AnsiString& FileName) {
    TMemoryStream bytes;
    bytes.LoadFromFile(CaselessPath(FileName));
    TakeBytes(&bytes);
    LoadPicture();
    Changed(this);
}

void THTMLPicture::SaveToFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    TakeBytes(Stream);
    LoadPicture();
    Changed(this);
}

void THTMLPicture::SaveToStream(TStream* Stream) {
    if (Stream) dataStream_->SaveToStream(Stream);
}

void THTMLPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    TakeBytes(Stream);
    LoadPicture();
}

void THTMLPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const AnsiString& Name) {
    HRSRC info = FindResource(Instance, Name.c_str(), RT_RCDATA);
    const void* bytes = info ? LockResource(LoadResource(Instance, info)) : nullptr;
    if (!bytes) return;
    TStringStream stream(std::string(static_cast<const char*>(bytes), SizeofResource(Instance, info)));
    LoadFromStream(&stream);
}

void THTMLPicture::LoadFromURL(const AnsiString& URL) {
    const AnsiString upper = UpperCase(URL);
    if (upper.starts_with("RES://")) {
        url_ = URL;
        if (URL.size() > 6) LoadFromResourceName(HInstance, URL.substr(6));
    } else if (upper.starts_with("FILE://")) {
        url_ = URL;
        if (URL.size() > 7) LoadFromFile(URL.substr(7));
    } else if (!asynchronous_) {
        pendingURL_ = URL;
        url_ = URL;
    } else if (!threadBusy_) {
        pendingURL_ = URL;
        threadBusy_ = true;
        (new TDownLoadThread(this))->Start();
    }
}

Integer THTMLPicture::GetFrameCount() {
    if (frameCount_ != -1) return frameCount_;
    if (!IsGifData(dataStream_->Bytes())) return -1;
    frameCount_ = CountGifFrames(dataStream_->Bytes());
    dataStream_->SetPosition(0);
    return frameCount_;
}

void THTMLPicture::SetFrame(Integer Value) {
    frame_ = Value;
    if (dataStream_->Size() == 0) return;
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::LoadPicture() {
    // Whatever happens below, the old picture is gone and no old frame value stays.
    picture_.Reset();
    frameLeft_ = frameTop_ = frameWidth_ = frameHeight_ = screenWidth_ = screenHeight_ = 0;
    const std::string& bytes = dataStream_->Bytes();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) throw Exception("Could not allocate memory for image");
    // All the bytes, or for GIF data the runs that show the selected frame first.
    TGifFrameSelection selection;
    selection.HeadEnd = selection.TailStart = bytes.size();
    if (IsGifData(bytes) && GetFrameCount() >= 1) {
        selection = SelectGifFrame(bytes, frame_);
        frameLeft_ = selection.Left;
        frameTop_ = selection.Top;
        frameWidth_ = selection.Width;
        frameHeight_ = selection.Height;
        screenWidth_ = selection.ScreenWidth;
        screenHeight_ = selection.ScreenHeight;
    }
    if (auto* target = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(target, bytes.data(), selection.HeadEnd);
        std::memcpy(target + selection.HeadEnd, bytes.data() + selection.TailStart, bytes.size() - selection.TailStart);
        GlobalUnlock(block);
    }
    ComPtr<IStream> stream;
    const HRESULT created = CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf());
    if (FAILED(created) || !stream) {
        GlobalFree(block);  // no stream took it over
        throw Exception(FAILED(created) ? "Could not create image stream" : "Empty image stream created");
    }
    const HRESULT loaded = OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(picture_.ReleaseAndGetAddressOf()));
    if (FAILED(loaded)) throw Exception("Could not load image. Invalid format");
    if (!picture_) throw Exception("Could not load image");
}

}  // namespace PictureContainer
