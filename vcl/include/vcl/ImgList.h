#pragma once
// Image lists: equal-sized images kept side by side, each drawn through its mask, and the common
// controls' calls on their handles.

#include <memory>

#include "Classes.h"
#include "Graphics.h"

VCL_DECLARE_HANDLE(HIMAGELIST);

class TImageStrip;

class TCustomImageList : public TComponent {
    VCL_CLASS(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // A new size drops the images, as the common controls do.
    void SetWidth(Integer Value);
    void SetHeight(Integer Value);
    Integer Count() const;

    // Adds Image.Width / Width images (at least one) cut from Image; a white pixel of Mask leaves the
    // image's pixel out. Returns the index of the first, or -1 when Image is empty.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    // As Add, with the pixels of MaskColor left out.
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    void Clear();
    // Image Index at (X, Y), its masked pixels left as they are; greyed when not Enabled. Nothing for an
    // index outside 0..Count-1.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    HIMAGELIST Handle();

    // Internal to the stand-in: the pixels.
    TImageStrip& Strip() { return *strip_; }

private:
    Integer width_ = 16;
    Integer height_ = 16;
    std::unique_ptr<TImageStrip> strip_;
};

class TImageList : public TCustomImageList {
    VCL_CLASS(TImageList, TCustomImageList)
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

// The list behind a handle; nullptr for an unknown one.
TCustomImageList* ImageListFromHandle(HIMAGELIST himl);
// Draws image i at (x, y) of the DC; FALSE for an unknown list or DC and for an index outside
// 0..Count-1. ILD_NORMAL and ILD_TRANSPARENT both leave masked pixels as they are.
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
int ImageList_GetImageCount(HIMAGELIST himl);
