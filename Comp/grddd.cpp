// The grid's OLE drag and drop layer.
#include "grddd.h"

#include <cstdint>

namespace grddd {

using namespace OleDataShared;

namespace {

struct TUnitState {
    CLIPFORMAT ColumnFormat = 0;
    CLIPFORMAT RichTextFormat = 0;
    bool RichTextDrops = false;
};

TUnitState& Unit() {
    static TUnitState unit;
    return unit;
}

void RegisterFormats() {
    Unit().ColumnFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Grid Column"));
    Unit().RichTextFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
}

// What the object offers; a column block too short for its index is no column.
Byte OfferedFormats(TEnumFormats& Formats) {
    Byte mask = 0;
    if (Formats.HasText()) mask |= dfText;
    if (Formats.HasFiles()) mask |= dfFiles;
    if (Formats.Col() != -1) mask |= dfCol;
    if (Formats.HasRTF()) mask |= dfRTF;
    return mask;
}

}  // namespace

CLIPFORMAT ColumnFormat() { return Unit().ColumnFormat; }

CLIPFORMAT RichTextFormat() { return Unit().RichTextFormat; }

bool RichTextDrops() { return Unit().RichTextDrops; }

void SetDropRTF(bool Value) { Unit().RichTextDrops = Value; }

void FinalizeGrddd() { Unit() = {}; }

// ---------------------------------------------------------------------------
// TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* DataObject) : TFormatReader(DataObject, RegisterFormats) {}

bool TEnumFormats::HasRTF() { return HasFormat(RichTextFormat()); }

AnsiString TEnumFormats::RTF() { return GetFormatText(RichTextFormat()); }

bool TEnumFormats::HasCol() { return HasFormat(ColumnFormat()); }

Integer TEnumFormats::Col() {
    const std::string block = FormatBytes(ColumnFormat());
    if (block.size() < 4) return -1;
    const auto byte = [&](std::size_t i) { return static_cast<uint32_t>(static_cast<Byte>(block[i])) << (8 * i); };
    return static_cast<Integer>(byte(0) | byte(1) | byte(2) | byte(3));
}

// ---------------------------------------------------------------------------
// TGRDDropTarget

HRESULT TGRDDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL, DWORD* pdwEffect) {
    canDrop_ = false;
    dropFormats_ = 0;
    Reported(this, [&] {
        TEnumFormats formats(pDataObj);
        dropFormats_ = OfferedFormats(formats);
        const auto offered = [&](Byte Format) { return (dropFormats_ & Format) != 0; };
        canDrop_ = (offered(dfText) && acceptText_) || (offered(dfFiles) && acceptFiles_) ||
                   (offered(dfRTF) && RichTextDrops() && acceptText_) || (offered(dfCol) && acceptCols_);
    });
    if (pdwEffect) *pdwEffect = canDrop_ ? KeyStateEffect(grfKeyState) : DROPEFFECT_NONE;
    Reported(this, [&] { DragMouseEnter(); });
    return S_OK;
}

HRESULT TGRDDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    DWORD effect = canDrop_ ? KeyStateEffect(grfKeyState) : DROPEFFECT_NONE;
    bool allow = effect != DROPEFFECT_NONE;
    const bool ran = Reported(this, [&] { DragMouseMove(Point(pt.x, pt.y), allow, dropFormats_); });
    if (!allow || !ran) effect = DROPEFFECT_NONE;
    if (pdwEffect) *pdwEffect = effect;
    return S_OK;
}

HRESULT TGRDDropTarget::DragLeave() {
    Reported(this, [&] { DragMouseLeave(); });
    return S_OK;
}

HRESULT TGRDDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    DWORD result = DROPEFFECT_NONE;
    if (canDrop_) {
        TDropVerdict verdict(KeyStateEffect(grfKeyState));
        const TPoint point = Point(pt.x, pt.y);
        Reported(this, [&] {
            TEnumFormats formats(pDataObj);
            DWORD effect = verdict.KeyEffect();
            const Integer col = formats.Col();
            if (col != -1) {
                DropCol(point, col, effect);
                verdict.Report(effect);
            } else if (formats.HasRTF() && RichTextDrops()) {
                DropRTF(point, formats.RTF(), effect);
                verdict.Report(effect);
            } else if (formats.HasText()) {
                DropText(point, formats.Text(), effect);
                verdict.Report(effect);
            }
            // A name the code page cannot hold would open a '?'-mangled path: such a list is not taken.
            if (formats.ReadFiles() && formats.FileNamesExact()) {
                effect = verdict.KeyEffect();
                DropFiles(point, formats.FileList(), effect);
                verdict.Report(effect);
            }
        });
        result = verdict.Result();
    }
    if (pdwEffect) *pdwEffect = result;
    return S_OK;
}

void TGRDDropTarget::DropText(TPoint, const AnsiString&, DWORD&) {}
void TGRDDropTarget::DropCol(TPoint, Integer, DWORD&) {}
void TGRDDropTarget::DropRTF(TPoint, const AnsiString&, DWORD&) {}
void TGRDDropTarget::DropFiles(TPoint, TStrings*, DWORD&) {}
void TGRDDropTarget::DragMouseMove(TPoint, bool&, Byte) {}
void TGRDDropTarget::DragMouseEnter() {}
void TGRDDropTarget::DragMouseLeave() {}

// ---------------------------------------------------------------------------
// TGRDDropSource

HRESULT TGRDDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    const HRESULT answer = ContinueDragAnswer(fEscapePressed, grfKeyState);
    Reported(this, [&] { QueryDrag(); });
    return answer;
}

HRESULT TGRDDropSource::GiveFeedback(DWORD dwEffect) {
    cancelled_ = dwEffect == DROPEFFECT_NONE;
    Reported(this, [&] { CurrentEffect(dwEffect); });
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void TGRDDropSource::CurrentEffect(DWORD) {}
void TGRDDropSource::QueryDrag() {}

// ---------------------------------------------------------------------------
// TSourceDataObject

TSourceDataObject::TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, Integer Col)
    : text_(Text), rtf_(RTF), col_(Col) {}

bool TSourceDataObject::Offers(CLIPFORMAT Format) const {
    if (Format == ColumnFormat()) return col_ != -1;
    if (text_.empty()) return false;
    // No rich text to give: a target that prefers it would take nothing in place of the text.
    return Format == CF_TEXT || Format == CF_UNICODETEXT ||
           (RichTextDrops() && Format == RichTextFormat() && !rtf_.empty());
}

std::string TSourceDataObject::Block(CLIPFORMAT Format) const {
    if (Format == ColumnFormat()) {
        const auto index = static_cast<uint32_t>(col_);
        std::string block(4, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((index >> (8 * i)) & 0xFF);
        return block;
    }
    if (Format == CF_UNICODETEXT) return WideBlock(text_);
    return AnsiBlock(Format == CF_TEXT ? text_ : rtf_);
}

ComPtr<IEnumFORMATETC> TSourceDataObject::NewEnumerator() {
    return ComPtr<IEnumFORMATETC>(new TSourceEnumFormatEtc(this, col_ != -1));
}

// ---------------------------------------------------------------------------
// TSourceEnumFormatEtc

TSourceEnumFormatEtc::TSourceEnumFormatEtc(IDataObject* DataObject, bool HasCol)
    : TFormatEnumerator(AcceptedFormats(DataObject, {CF_TEXT, CF_UNICODETEXT, RichTextFormat(),
                                                     HasCol ? ColumnFormat() : CLIPFORMAT{0}}),
                        0) {}

// ---------------------------------------------------------------------------

Integer StartTextDoDragDrop(TGRDDropSource* DropSource, const AnsiString& Text, const AnsiString& RTF, DWORD& Effect,
                            DWORD OkEffects) {
    return RunDrag(new TSourceDataObject(Text, RTF, -1), DropSource, OkEffects, Effect);
}

Integer StartColumnDoDragDrop(TGRDDropSource* DropSource, Integer Col, DWORD OkEffects, DWORD& Effect) {
    return RunDrag(new TSourceDataObject("", "", Col), DropSource, OkEffects, Effect);
}

}  // namespace grddd
