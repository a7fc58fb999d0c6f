#pragma once
// Pictures that cell mark-up names. THTMLPicture keeps a picture's bytes exactly as loaded and shows them
// through the platform's OLE picture service, so any format the service reads can be shown; of GIF data
// it can pick one frame. THTMLPictureCache holds pictures by URL for the grid; TPictureContainer holds
// named pictures set up in a form description.

#include <functional>
#include <memory>

#include "vcl/ActiveX.h"
#include "vcl/Classes.h"
#include "vcl/Graphics.h"

namespace PictureContainer {

// Events of a background download; declared for it and never fired here (no download runs).
using TDownloadErrorEvent = std::function<void(TObject* Sender, const AnsiString& err)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadProgressEvent = std::function<void(TObject* Sender, DWORD dwSize, DWORD dwTotSize)>;

// A picture held as the bytes it was loaded from. Every load (Assign, LoadFromFile, LoadFromStream,
// ReadData, the Frame writer) decodes those bytes again; a load that fails raises Exception with one of
// "Could not allocate memory for image", "Could not create image stream", "Empty image stream created",
// "Could not load image. Invalid format" or "Could not load image", and leaves the bytes kept, the picture
// not empty and nothing to show.
class THTMLPicture : public TGraphic {
    VCL_CLASS(THTMLPicture, TGraphic)
    THTMLPicture();
    ~THTMLPicture() override;

    // Source nil empties the picture; a THTMLPicture Source gives a copy of its bytes, shown from frame 1
    // (an empty one empties this one too); Source this changes nothing. EConvertError for other classes.
    void Assign(TPersistent* Source) override;
    bool Empty() const override { return isEmpty_; }
    // The picture's size at LogPixelsX/Y; 0 while there is nothing to show.
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}  // the picture's own size rules
    void SetHeight(Integer) override {}
    // The natural size the renderer uses: the GIF logical screen when it has one, else Width/Height.
    Integer GetDisplayWidth() const;
    Integer GetDisplayHeight() const;

    // A file that is missing as named is looked up without letter case (as on Windows).
    void LoadFromFile(const AnsiString& FileName) override;
    void SaveToFile(const AnsiString& FileName) override;
    // Takes the whole stream from its start; nothing for nil.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;  // the bytes as loaded; nothing for nil
    void LoadFromClipboardFormat(Word, THandle, HPALETTE) override {}
    void SaveToClipboardFormat(Word&, THandle&, HPALETTE&) override {}
    // Loads the RT_RCDATA resource Name of Instance; nothing when there is none.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& Name);
    // "RES://name" loads a resource of the program, "FILE://path" a file (prefixes in any case, the rest
    // as written; nothing when the rest is empty). Any other address is only noted: with Asynchronous
    // it goes to a download thread, which does nothing, so the picture stays empty.
    void LoadFromURL(const AnsiString& URL);

    // The number of frames of GIF data, counted once and kept; -1 for other data (not kept).
    Integer GetFrameCount();

    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value) { stretch_ = Value; }
    // 1-based; setting it reloads the picture for that frame when there are bytes, then OnFrameChange.
    Integer Frame() const { return frame_; }
    void SetFrame(Integer Value);
    bool Asynchronous() const { return asynchronous_; }
    void SetAsynchronous(bool Value) { asynchronous_ = Value; }
    bool ThreadBusy() const { return threadBusy_; }
    const AnsiString& URL() const { return url_; }
    const AnsiString& PendingURL() const { return pendingURL_; }
    Integer LogPixelsX() const { return logPixelsX_; }
    Integer LogPixelsY() const { return logPixelsY_; }
    // The selected frame's box and the GIF logical screen, from the data; 0 when there are none.
    Word FrameLeft() const { return frameLeft_; }
    Word FrameTop() const { return frameTop_; }
    Word FrameWidth() const { return frameWidth_; }
    Word FrameHeight() const { return frameHeight_; }
    Word ScreenWidth() const { return screenWidth_; }
    Word ScreenHeight() const { return screenHeight_; }

    TNotifyEvent OnFrameChange;
    TDownloadErrorEvent OnDownLoadError;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadProgressEvent OnDownLoadProgress;

protected:
    // Not Stretch: the whole picture at Rect's top-left at its size for the canvas's pixels per inch;
    // Stretch: into Rect. Nothing while there is nothing to show.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    void ReadData(TStream* Stream) override;  // LoadFromStream without OnChange
    void WriteData(TStream* Stream) override;

private:
    // New bytes: the frame count is counted again.
    void TakeBytes(TStream* Stream);
    // Decodes the bytes for Frame (see the class comment for the errors).
    void LoadPicture();

    std::unique_ptr<TMemoryStream> dataStream_;
    ComPtr<IPicture> picture_;
    bool isEmpty_ = true;
    bool stretch_ = false;
    Integer logPixelsX_ = 96;
    Integer logPixelsY_ = 96;
    AnsiString pendingURL_;
    AnsiString url_;
    bool asynchronous_ = true;
    bool threadBusy_ = false;
    Integer frame_ = 1;
    Integer frameCount_ = -1;
    Word frameLeft_ = 0;
    Word frameTop_ = 0;
    Word frameWidth_ = 0;
    Word frameHeight_ = 0;
    Word screenWidth_ = 0;
    Word screenHeight_ = 0;
};

// Pictures by URL. It does not free them: its owner does.
class THTMLPictureCache : public TList {
    VCL_CLASS(THTMLPictureCache, TList)
    THTMLPictureCache() = default;

    THTMLPicture* Pictures(Integer Index) const { return static_cast<THTMLPicture*>(Items(Index)); }
    // A new empty picture, appended.
    THTMLPicture* AddPicture();
    // The first picture whose URL is exactly URL (letter case counts); nullptr when none.
    THTMLPicture* FindPicture(const AnsiString& URL) const;
};

class TPictureItem : public TCollectionItem {
    VCL_CLASS(TPictureItem, TCollectionItem)
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;
    // Name, Tag and a copy of the picture's content.
    void Assign(TPersistent* Source) override;

    THTMLPicture* Picture() const { return picture_.get(); }
    void SetPicture(THTMLPicture* Value) { picture_->Assign(Value); }
    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& Value) { name_ = Value; }
    Integer Tag() const { return tag_; }
    void SetTag(Integer Value) { tag_ = Value; }

private:
    TOwned<THTMLPicture> picture_;
    AnsiString name_;
    Integer tag_ = 0;
};

class TPictureContainer;

class TPictureCollection : public TOwnedCollection {
    VCL_CLASS(TPictureCollection, TOwnedCollection)
    explicit TPictureCollection(TPictureContainer* AOwner);

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Items(Integer Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
};

class TPictureContainer : public TComponent {
    VCL_CLASS(TPictureContainer, TComponent)
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return items_.get(); }
    // Copies the items of Value; the container keeps its own collection.
    void SetItems(TPictureCollection* Value) { items_->Assign(Value); }
    // The picture of the first item named Name in any letter case; nullptr when none.
    THTMLPicture* FindPicture(const AnsiString& Name) const;

private:
    TOwned<TPictureCollection> items_;
};

// The download that a URL picture would start: it holds its picture and frees itself; its Execute does
// nothing.
class TDownLoadThread : public TThread {
    VCL_CLASS(TDownLoadThread, TThread)
    explicit TDownLoadThread(THTMLPicture* Picture);
    THTMLPicture* Picture() const { return picture_; }

protected:
    void Execute() override {}

private:
    THTMLPicture* picture_;
};

// So that form descriptions can hold a TPictureContainer.
void RegisterPictureContainer();

}  // namespace PictureContainer
