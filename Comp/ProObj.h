#pragma once
// The grid's small objects: integer lists, the sort index list, the drop-position arrow window, the
// pop-up button, the list of cell controls and the file picture.

#include <functional>
#include <memory>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Graphics.h"

namespace ProObj {

// ---------------------------------------------------------------------------
// Integer lists

using TIntListChangeEvent = std::function<void(TObject* Sender, Integer Param1, Integer Param2)>;

// Integers kept in the platform's pointer list. OnChange reports SetItems, Add and Delete (not Insert)
// with the two integers given at construction.
class TIntList : public TList {
    VCL_CLASS(TIntList, TList)
    TIntList(Integer Param1, Integer Param2);

    Integer Items(Integer Index) const;  // EListError outside 0..Count-1
    void SetItems(Integer Index, Integer Value);
    Integer Add(Integer Value);
    void Insert(Integer Index, Integer Value);
    void Delete(Integer Index);
    // The integers as decimal text joined by ",".
    AnsiString StrValue() const;
    // The items of the comma text, each converted strictly; a bad item raises EConvertError and leaves
    // the list as it was.
    void SetStrValue(const AnsiString& Value);

    Integer Param1() const { return param1_; }
    Integer Param2() const { return param2_; }

    TIntListChangeEvent OnChange;

protected:
    virtual void Changed();

private:
    Integer param1_;
    Integer param2_;
};

// Sort columns: each entry holds a column in bits 0..30 and bit 31 set for descending.
class TSortIndexList : public TIntList {
    VCL_CLASS(TSortIndexList, TIntList)
    TSortIndexList() : TIntList(0, 0) {}

    void AddIndex(Integer Column, bool Ascending);
    // The entry of Column; -1 when absent.
    Integer FindIndex(Integer Column) const;
    // Flips the direction of Column's entry; nothing when absent.
    void ToggleIndex(Integer Column);
};

// ---------------------------------------------------------------------------
// Windows

// A small clLime pop-up arrow marking a drop position: 0 up, 1 down, 2 right, 3 left. Created hidden with
// its owner as parent; its window is shaped to the arrow.
class TArrowWindow : public TCustomPanel {
    VCL_CLASS(TArrowWindow, TCustomPanel)
    TArrowWindow(TComponent* AOwner, Byte Direction);
    Byte Direction() const { return direction_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    Byte direction_;
};

// The button shown over a cell: a disabled topmost pop-up with a 3-D frame (unless flat), an optional
// vertical gradient and a centred caption.
class TPopupButton : public TCustomControl {
    VCL_CLASS(TPopupButton, TCustomControl)
    explicit TPopupButton(TComponent* AOwner);

    TColor GradFrom() const { return gradFrom_; }
    void SetGradFrom(TColor Value);
    TColor GradTo() const { return gradTo_; }
    void SetGradTo(TColor Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    TColor gradFrom_ = clNone;
    TColor gradTo_ = clNone;
    bool flat_ = false;
};

// ---------------------------------------------------------------------------
// Cell controls

struct TControlRec {
    Integer Col = 0;
    Integer Row = 0;
    TControl* Control = nullptr;  // not owned
};

// The controls placed on cells. The list owns its records, never the controls.
class TControlList : public TObject {
    VCL_CLASS(TControlList, TObject)
    TControlList() = default;

    Integer Count() const { return static_cast<Integer>(items_.size()); }
    TControlRec* Items(Integer Index) const;  // EListError outside 0..Count-1
    Integer Add(Integer Col, Integer Row, TControl* Control);
    void Delete(Integer Index);
    void Clear() { items_.clear(); }
    // True when some record's control is a windowed control with the handle Wnd.
    bool HasHandle(HWND Wnd) const;

private:
    std::vector<std::unique_ptr<TControlRec>> items_;
};

// ---------------------------------------------------------------------------
// File picture

// A picture named by its file: the size is read when the name is set, the image at every draw. A file
// that cannot be read gives the size 0 x 0 and draws nothing.
class TFilePicture : public TPersistent {
    VCL_CLASS(TFilePicture, TPersistent)
    TFilePicture() = default;
    void Assign(TPersistent* Source) override;

    const AnsiString& Filename() const { return filename_; }
    void SetFilename(const AnsiString& Value);
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    void Draw(TCanvas* Canvas, const TRect& Rect);

private:
    AnsiString filename_;
    Integer width_ = 0;
    Integer height_ = 0;
};

}  // namespace ProObj
