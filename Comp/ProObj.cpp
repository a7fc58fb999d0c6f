#include "ProObj.h"

#include <cstdint>
#include <iterator>

#include "ProUtil.h"
#include "vcl/Windows.h"

namespace ProObj {

// ---------------------------------------------------------------------------
// Integer lists

VCL_IMPLEMENT_CLASS(TIntList, nullptr, nullptr)

namespace {

void* AsItem(Integer Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }

Integer FromItem(void* Item) { return static_cast<Integer>(reinterpret_cast<std::intptr_t>(Item)); }

constexpr auto DescendingBit = static_cast<Integer>(0x80000000u);
constexpr Integer ColumnBits = 0x7FFFFFFF;

}  // namespace

TIntList::TIntList(Integer Param1, Integer Param2) : param1_(Param1), param2_(Param2) {}

Integer TIntList::Items(Integer Index) const { return FromItem(TList::Items(Index)); }

void TIntList::SetItems(Integer Index, Integer Value) {
    TList::SetItems(Index, AsItem(Value));
    Changed();
}

Integer TIntList::Add(Integer Value) {
    const Integer index = TList::Add(AsItem(Value));
    Changed();
    return index;
}

void TIntList::Insert(Integer Index, Integer Value) { TList::Insert(Index, AsItem(Value)); }

void TIntList::Delete(Integer Index) {
    TList::Delete(Index);
    Changed();
}

AnsiString TIntList::StrValue() const {
    AnsiString text;
    for (Integer i = 0; i < Count(); ++i) {
        if (i > 0) text += ',';
        text += IntToStr(Items(i));
    }
    return text;
}

void TIntList::SetStrValue(const AnsiString& Value) {
    TStringList items;
    items.SetCommaText(Value);
    // Every item is converted before the list changes.
    std::vector<Integer> values;
    values.reserve(static_cast<std::size_t>(items.Count()));
    for (Integer i = 0; i < items.Count(); ++i) values.push_back(StrToInt(items.Strings(i)));
    Clear();
    for (Integer value : values) Add(value);
}

void TIntList::Changed() {
    if (OnChange) OnChange(this, param1_, param2_);
}

VCL_IMPLEMENT_CLASS(TSortIndexList, nullptr, nullptr)

void TSortIndexList::AddIndex(Integer Column, bool Ascending) {
    Add((Column & ColumnBits) | (Ascending ? 0 : DescendingBit));
}

Integer TSortIndexList::FindIndex(Integer Column) const {
    for (Integer i = 0; i < Count(); ++i)
        if ((Items(i) & ColumnBits) == (Column & ColumnBits)) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(Integer Column) {
    const Integer index = FindIndex(Column);
    if (index >= 0) SetItems(index, Items(index) ^ DescendingBit);
}

// ---------------------------------------------------------------------------
// Arrow window

VCL_IMPLEMENT_CLASS(TArrowWindow, nullptr, nullptr)

namespace {

// The arrow outlines by direction: up, down, right, left.
constexpr TPoint ArrowShapes[4][7] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},
};

}  // namespace

// The direction is checked before anything is made.
TArrowWindow::TArrowWindow(TComponent* AOwner, Byte Direction)
    : TCustomPanel((CheckRange(Direction, 0, 3), AOwner)), direction_(Direction) {
    SetVisible(false);
    SetColor(clLime);
    SetBevelOuter(bvNone);
    SetParent(dynamic_cast<TWinControl*>(AOwner));
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
    TCustomPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TArrowWindow::CreateWnd() {
    TCustomPanel::CreateWnd();
    const TPoint(&shape)[7] = ArrowShapes[direction_];
    SetWindowRgn(Handle(), CreatePolygonRgn(shape, static_cast<int>(std::size(shape)), WINDING), TRUE);
}

// ---------------------------------------------------------------------------
// Pop-up button

VCL_IMPLEMENT_CLASS(TPopupButton, nullptr, nullptr)

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clBtnFace); }

void TPopupButton::SetGradFrom(TColor Value) {
    if (gradFrom_ == Value) return;
    gradFrom_ = Value;
    Invalidate();
}

void TPopupButton::SetGradTo(TColor Value) {
    if (gradTo_ == Value) return;
    gradTo_ = Value;
    Invalidate();
}

void TPopupButton::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    Invalidate();
}

void TPopupButton::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
}

void TPopupButton::CreateWnd() {
    TCustomControl::CreateWnd();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TPopupButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    if (!flat_) Frame3D(&canvas, r, clWhite, clGray, 1);
    if (gradFrom_ != clNone) ProUtil::DrawGradient(&canvas, gradFrom_, gradTo_, false, r, 64);
    canvas.Font()->Assign(Font());
    const AnsiString caption = Caption();
    const int mode = SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawText(canvas.Handle(), caption.c_str(), static_cast<int>(caption.size()), &r,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(canvas.Handle(), mode);
}

// ---------------------------------------------------------------------------
// Cell controls

VCL_IMPLEMENT_CLASS(TControlList, nullptr, nullptr)

TControlRec* TControlList::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return items_[static_cast<std::size_t>(Index)].get();
}

Integer TControlList::Add(Integer Col, Integer Row, TControl* Control) {
    items_.push_back(std::make_unique<TControlRec>(TControlRec{Col, Row, Control}));
    return Count() - 1;
}

void TControlList::Delete(Integer Index) {
    Items(Index);  // checks the index
    items_.erase(items_.begin() + Index);
}

bool TControlList::HasHandle(HWND Wnd) const {
    for (const auto& item : items_) {
        auto* windowed = dynamic_cast<TWinControl*>(item->Control);
        if (windowed && windowed->HandleAllocated() && windowed->Handle() == Wnd) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// File picture

namespace {

void PublishTFilePicture(TPublisher& p) {
    TPublishOf<TFilePicture>(p).Str("Filename", &TFilePicture::Filename, &TFilePicture::SetFilename);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TFilePicture, nullptr, &PublishTFilePicture)

namespace {

// The file as a picture; nullptr when it cannot be read.
std::unique_ptr<TPicture> LoadPicture(const AnsiString& FileName) {
    auto picture = std::make_unique<TPicture>();
    try {
        picture->LoadFromFile(FileName);
    } catch (const EStreamError&) {
        return nullptr;
    } catch (const EInvalidGraphic&) {
        return nullptr;
    }
    return picture;
}

}  // namespace

void TFilePicture::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TFilePicture*>(Source)) {
        filename_ = other->filename_;
        width_ = other->width_;
        height_ = other->height_;
        return;
    }
    TPersistent::Assign(Source);
}

void TFilePicture::SetFilename(const AnsiString& Value) {
    filename_ = Value;
    width_ = height_ = 0;
    if (Value.empty()) return;
    if (auto picture = LoadPicture(Value)) {
        width_ = picture->Width();
        height_ = picture->Height();
    }
}

void TFilePicture::Draw(TCanvas* Canvas, const TRect& Rect) {
    if (filename_.empty()) return;
    if (auto picture = LoadPicture(filename_); picture && picture->Graphic())
        Canvas->StretchDraw(Rect, picture->Graphic());
}

}  // namespace ProObj
