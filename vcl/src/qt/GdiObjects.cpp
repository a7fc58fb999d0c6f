// The GDI handle table: creation, selection and deletion of fonts, pens, brushes, bitmaps and memory DCs.
#include "qt/GdiObjects.h"

#include <array>
#include <cstring>
#include <map>
#include <unordered_map>

#include "qt/CanvasState.h"
#include "qt/Surface.h"

namespace {

std::unordered_map<const void*, std::unique_ptr<TGdiObject>>& Table() {
    static std::unordered_map<const void*, std::unique_ptr<TGdiObject>> table;
    return table;
}

void* NextHandle() {
    // Small values stay free: (HBRUSH)(COLOR_x + 1) names a system colour brush.
    static std::uintptr_t next = 0x10000;
    next += 0x10;
    return reinterpret_cast<void*>(next);
}

struct TMemoryDc {
    std::unique_ptr<TCanvas> Canvas;
    std::unique_ptr<TBitmap> Default;  // the 1x1 bitmap a new memory DC starts with
};

std::map<HDC, TMemoryDc>& MemoryDcs() {
    static std::map<HDC, TMemoryDc> dcs;
    return dcs;
}

std::unique_ptr<TGdiObject> NewObject(TGdiKind kind) {
    auto object = std::make_unique<TGdiObject>();
    object->Kind = kind;
    return object;
}

HGDIOBJ MakeStock(int index) {
    auto object = std::make_unique<TGdiObject>();
    object->Stock = true;
    auto brush = [&](UINT style, COLORREF color) {
        object->Kind = TGdiKind::Brush;
        object->Brush = {style, color, 0, nullptr};
    };
    auto pen = [&](int style, COLORREF color) {
        object->Kind = TGdiKind::Pen;
        object->Pen = {style, 1, color};
    };
    auto font = [&](const char* name, Integer height, TFontStyles style) {
        object->Kind = TGdiKind::Font;
        object->Font.Name = name;
        object->Font.Height = height;
        object->Font.Style = style;
    };
    switch (index) {
        case WHITE_BRUSH: brush(BS_SOLID, RGB(255, 255, 255)); break;
        case LTGRAY_BRUSH: brush(BS_SOLID, RGB(192, 192, 192)); break;
        case GRAY_BRUSH: brush(BS_SOLID, RGB(128, 128, 128)); break;
        case DKGRAY_BRUSH: brush(BS_SOLID, RGB(64, 64, 64)); break;
        case BLACK_BRUSH: brush(BS_SOLID, RGB(0, 0, 0)); break;
        case NULL_BRUSH: brush(BS_NULL, 0); break;
        case WHITE_PEN: pen(PS_SOLID, RGB(255, 255, 255)); break;
        case BLACK_PEN: pen(PS_SOLID, 0); break;
        case NULL_PEN: pen(PS_NULL, 0); break;
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT: font("Courier New", -13, {}); break;
        case SYSTEM_FONT: font("System", -16, {fsBold}); break;
        case ANSI_VAR_FONT:
        case DEVICE_DEFAULT_FONT:
        case DEFAULT_GUI_FONT: font("MS Sans Serif", -11, {}); break;
        default: return nullptr;
    }
    return AddGdiObject(std::move(object));
}

}  // namespace

// ---------------------------------------------------------------------------

void* AddGdiObject(std::unique_ptr<TGdiObject> Object) {
    void* handle = NextHandle();
    Table()[handle] = std::move(Object);
    return handle;
}

TGdiObject* FindGdiObject(const void* Handle) {
    auto it = Table().find(Handle);
    return it == Table().end() ? nullptr : it->second.get();
}

TGdiObject* FindGdiObject(const void* Handle, TGdiKind Kind) {
    TGdiObject* object = FindGdiObject(Handle);
    return object && object->Kind == Kind ? object : nullptr;
}

void* RegisterOwnedGdiObject(TGdiKind Kind, TObject* Owner) {
    auto object = NewObject(Kind);
    object->Owner = Owner;
    return AddGdiObject(std::move(object));
}

void UnregisterGdiObject(void* Handle) { Table().erase(Handle); }

bool FontData(const void* Handle, TFontDesc& Font) {
    TGdiObject* object = FindGdiObject(Handle, TGdiKind::Font);
    if (!object) return false;
    Font = object->Owner ? static_cast<TFont*>(object->Owner)->Desc() : object->Font;
    return true;
}

bool PenData(const void* Handle, TGdiPenData& Pen) {
    TGdiObject* object = FindGdiObject(Handle, TGdiKind::Pen);
    if (!object) return false;
    if (auto* owner = static_cast<TPen*>(object->Owner)) {
        // TPenStyle follows the PS_ numbering.
        Pen = {static_cast<int>(owner->Style()), owner->Width(), ColorToRGB(owner->Color())};
    } else {
        Pen = object->Pen;
    }
    return true;
}

bool BrushData(const void* Handle, TGdiBrushData& Brush) {
    int sysColor = 0;
    if (SysColorBrushIndex(Handle, sysColor)) {
        Brush = {BS_SOLID, GetSysColor(sysColor), 0, nullptr};
        return true;
    }
    TGdiObject* object = FindGdiObject(Handle, TGdiKind::Brush);
    if (!object) return false;
    if (auto* owner = static_cast<TBrush*>(object->Owner)) {
        Brush = {BS_SOLID, ColorToRGB(owner->Color()), 0, nullptr};
        if (owner->Bitmap() && !owner->Bitmap()->Empty()) {
            Brush.Style = BS_PATTERN;
            Brush.Pattern = owner->Bitmap();
        } else if (owner->Style() == bsClear) {
            Brush.Style = BS_NULL;
        } else if (owner->Style() != bsSolid) {
            Brush.Style = BS_HATCHED;
            Brush.Hatch = owner->Style() - bsHorizontal;
        }
    } else {
        Brush = object->Brush;
        if (object->SysColor >= 0) Brush.Color = GetSysColor(object->SysColor);
    }
    return true;
}

TBitmap* BitmapOf(const void* Handle) {
    TGdiObject* object = FindGdiObject(Handle, TGdiKind::Bitmap);
    if (!object) return nullptr;
    return object->OwnedBitmap ? object->OwnedBitmap.get() : static_cast<TBitmap*>(object->Owner);
}

TCanvas* DcCanvas(HDC DC) {
    TGdiObject* object = FindGdiObject(DC, TGdiKind::DC);
    return object ? static_cast<TCanvas*>(object->Owner) : nullptr;
}

TCanvas* CanvasFromDC(HDC DC) { return DcCanvas(DC); }

bool SysColorBrushIndex(const void* Handle, int& Index) {
    auto value = reinterpret_cast<std::uintptr_t>(Handle);
    if (value < 1 || value > COLOR_ENDCOLORS + 1) return false;
    Index = static_cast<int>(value) - 1;
    return true;
}

// ---------------------------------------------------------------------------

HGDIOBJ GetStockObject(int fnObject) {
    static std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> stock{};
    if (fnObject < 0 || fnObject > DEFAULT_GUI_FONT) return nullptr;
    if (!stock[fnObject]) stock[fnObject] = MakeStock(fnObject);
    return stock[fnObject];
}

HBRUSH GetSysColorBrush(int nIndex) {
    static std::array<HBRUSH, COLOR_ENDCOLORS + 1> brushes{};
    if (nIndex < 0 || nIndex > COLOR_ENDCOLORS) return nullptr;
    if (!brushes[nIndex]) {
        auto object = NewObject(TGdiKind::Brush);
        object->Stock = true;
        object->SysColor = nIndex;
        brushes[nIndex] = static_cast<HBRUSH>(AddGdiObject(std::move(object)));
    }
    return brushes[nIndex];
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lplb) {
    if (!lplb || lplb->lbStyle > BS_HATCHED) return nullptr;
    if (lplb->lbStyle == BS_HATCHED && lplb->lbHatch > HS_DIAGCROSS) return nullptr;
    auto object = NewObject(TGdiKind::Brush);
    object->Brush = {lplb->lbStyle, lplb->lbColor & 0xFFFFFF, static_cast<int>(lplb->lbHatch), nullptr};
    return static_cast<HBRUSH>(AddGdiObject(std::move(object)));
}

HBRUSH CreateSolidBrush(COLORREF crColor) {
    LOGBRUSH brush{BS_SOLID, crColor, 0};
    return CreateBrushIndirect(&brush);
}

HBRUSH CreateHatchBrush(int fnStyle, COLORREF clrref) {
    if (fnStyle < 0) return nullptr;
    LOGBRUSH brush{BS_HATCHED, clrref, static_cast<std::uintptr_t>(fnStyle)};
    return CreateBrushIndirect(&brush);
}

HPEN CreatePen(int fnPenStyle, int nWidth, COLORREF crColor) {
    if (fnPenStyle < PS_SOLID || fnPenStyle > PS_INSIDEFRAME) return nullptr;
    auto object = NewObject(TGdiKind::Pen);
    object->Pen = {fnPenStyle, nWidth < 1 ? 1 : nWidth, crColor & 0xFFFFFF};
    return static_cast<HPEN>(AddGdiObject(std::move(object)));
}

HPEN CreatePenIndirect(const LOGPEN* lplgpn) {
    if (!lplgpn) return nullptr;
    return CreatePen(static_cast<int>(lplgpn->lopnStyle), lplgpn->lopnWidth.X, lplgpn->lopnColor);
}

HFONT CreateFontIndirect(const LOGFONT* lplf) {
    if (!lplf) return nullptr;
    auto object = NewObject(TGdiKind::Font);
    TFontDesc& font = object->Font;
    font.Name.assign(lplf->lfFaceName, strnlen(lplf->lfFaceName, LF_FACESIZE));
    if (font.Name.empty()) font.Name = "MS Sans Serif";
    font.Height = lplf->lfHeight;
    if (lplf->lfWeight >= 600) font.Style.Include(fsBold);
    if (lplf->lfItalic) font.Style.Include(fsItalic);
    if (lplf->lfUnderline) font.Style.Include(fsUnderline);
    if (lplf->lfStrikeOut) font.Style.Include(fsStrikeOut);
    font.Charset = lplf->lfCharSet;
    font.Escapement = lplf->lfEscapement;
    font.Orientation = lplf->lfOrientation;
    Byte pitch = lplf->lfPitchAndFamily & 0x03;
    font.Pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    return static_cast<HFONT>(AddGdiObject(std::move(object)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight) {
    if (hdc && !DcCanvas(hdc)) return nullptr;
    if (nWidth < 0 || nHeight < 0) return nullptr;
    auto object = NewObject(TGdiKind::Bitmap);
    object->OwnedBitmap = std::make_unique<TBitmap>();
    object->OwnedBitmap->SetSize(nWidth, nHeight);
    object->OwnedBitmap->Canvas()->Brush()->SetColor(clBlack);
    object->OwnedBitmap->Canvas()->FillRect(Rect(0, 0, nWidth, nHeight));
    return static_cast<HBITMAP>(AddGdiObject(std::move(object)));
}

int GetObject(HGDIOBJ hgdiobj, int cbBuffer, void* lpvObject) {
    TGdiObject* object = FindGdiObject(hgdiobj);
    if (!object) return 0;
    auto copy = [&](const auto& record) {
        int size = static_cast<int>(sizeof record);
        if (!lpvObject) return size;
        if (cbBuffer < size) return 0;
        std::memcpy(lpvObject, &record, sizeof record);
        return size;
    };
    switch (object->Kind) {
        case TGdiKind::Font: {
            TFontDesc desc;
            FontData(hgdiobj, desc);
            LOGFONT lf;
            lf.lfHeight = desc.Height;
            lf.lfEscapement = desc.Escapement;
            lf.lfOrientation = desc.Orientation;
            lf.lfWeight = desc.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
            lf.lfItalic = desc.Style.Contains(fsItalic);
            lf.lfUnderline = desc.Style.Contains(fsUnderline);
            lf.lfStrikeOut = desc.Style.Contains(fsStrikeOut);
            lf.lfCharSet = desc.Charset;
            lf.lfPitchAndFamily = desc.Pitch == fpFixed ? FIXED_PITCH : desc.Pitch == fpVariable ? VARIABLE_PITCH : 0;
            std::strncpy(lf.lfFaceName, desc.Name.c_str(), LF_FACESIZE - 1);
            return copy(lf);
        }
        case TGdiKind::Pen: {
            TGdiPenData pen;
            PenData(hgdiobj, pen);
            LOGPEN lp{static_cast<UINT>(pen.Style), {pen.Width, 0}, pen.Color};
            return copy(lp);
        }
        case TGdiKind::Brush: {
            TGdiBrushData brush;
            BrushData(hgdiobj, brush);
            LOGBRUSH lb{brush.Style, brush.Color, static_cast<std::uintptr_t>(brush.Hatch)};
            return copy(lb);
        }
        default: return 0;
    }
}

BOOL DeleteObject(HGDIOBJ hObject) {
    TGdiObject* object = FindGdiObject(hObject);
    if (!object || object->Kind == TGdiKind::DC || object->Owner) return FALSE;
    if (object->Stock) return TRUE;  // deleting a stock object is harmless in Win32
    if (object->SelectCount > 0) return FALSE;
    Table().erase(hObject);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Memory DCs

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !DcCanvas(hdc)) return nullptr;
    TMemoryDc dc{std::make_unique<TCanvas>(), std::make_unique<TBitmap>()};
    dc.Default->SetSize(1, 1);
    TCanvasAccess::SetSurface(*dc.Canvas, &dc.Default->Surface());
    HDC handle = dc.Canvas->Handle();
    TCanvasAccess::State(*dc.Canvas).Bitmap = dc.Default->Handle();
    MemoryDcs()[handle] = std::move(dc);
    return handle;
}

BOOL DeleteDC(HDC hdc) {
    auto it = MemoryDcs().find(hdc);
    if (it == MemoryDcs().end()) return FALSE;
    if (TGdiObject* selected = FindGdiObject(TCanvasAccess::State(*it->second.Canvas).Bitmap, TGdiKind::Bitmap))
        --selected->SelectCount;
    MemoryDcs().erase(it);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hgdiobj) {
    TCanvas* canvas = DcCanvas(hdc);
    TGdiObject* object = FindGdiObject(hgdiobj);
    if (!canvas || !object) return nullptr;
    TCanvasState& state = TCanvasAccess::State(*canvas);
    auto swap = [](HGDIOBJ& slot, HGDIOBJ value) {
        HGDIOBJ previous = slot;
        slot = value;
        return previous;
    };
    switch (object->Kind) {
        case TGdiKind::Font: return swap(state.Font, hgdiobj);
        case TGdiKind::Pen: return swap(state.Pen, hgdiobj);
        case TGdiKind::Brush: return swap(state.Brush, hgdiobj);
        case TGdiKind::Region:
            return reinterpret_cast<HGDIOBJ>(
                static_cast<std::intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(hgdiobj))));
        case TGdiKind::Bitmap: {
            auto it = MemoryDcs().find(hdc);
            TBitmap* bitmap = BitmapOf(hgdiobj);
            if (it == MemoryDcs().end() || !bitmap) return nullptr;  // only memory DCs take bitmaps
            HBITMAP previous = state.Bitmap;
            if (TGdiObject* old = FindGdiObject(previous, TGdiKind::Bitmap)) --old->SelectCount;
            ++object->SelectCount;
            state.Bitmap = static_cast<HBITMAP>(hgdiobj);
            TCanvasAccess::SelectSurface(*canvas, &bitmap->Surface());
            return previous;
        }
        default: return nullptr;
    }
}

void ReleaseBitmapSelections(const void* Handle) {
    for (auto& [dc, memory] : MemoryDcs()) {
        if (TCanvasAccess::State(*memory.Canvas).Bitmap != Handle) continue;
        TCanvasAccess::State(*memory.Canvas).Bitmap = memory.Default->Handle();
        TCanvasAccess::SelectSurface(*memory.Canvas, &memory.Default->Surface());
    }
}
