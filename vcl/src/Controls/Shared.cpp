// Small pieces every control shares: size constraints, cursor names, shift states.

#include <cstring>

#include "Controls/Internal.h"
#include "vcl/Windows.h"

// ---------------------------------------------------------------------------
// Size constraints

static void PublishTSizeConstraints(TPublisher& p) {
    TPublishOf<TSizeConstraints> P(p);
    P.Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
    P.Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
    P.Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
    P.Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
}

VCL_IMPLEMENT_CLASS(TSizeConstraints, nullptr, PublishTSizeConstraints)

TSizeConstraints::TSizeConstraints(TControl* Control) : control_(Control) {}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* other = dynamic_cast<TSizeConstraints*>(Source);
    if (!other) return TPersistent::Assign(Source);
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
    Change();
}

// A limit is never negative; a minimum above the maximum lifts the maximum and the other way round.
void TSizeConstraints::SetLimit(Integer& Field, Integer Value) {
    if (Value < 0) Value = 0;
    if (Field == Value) return;
    Field = Value;
    if (&Field == &minWidth_ && maxWidth_ > 0 && minWidth_ > maxWidth_) maxWidth_ = minWidth_;
    if (&Field == &maxWidth_ && maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
    if (&Field == &minHeight_ && maxHeight_ > 0 && minHeight_ > maxHeight_) maxHeight_ = minHeight_;
    if (&Field == &maxHeight_ && maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
    Change();
}

void TSizeConstraints::SetMinWidth(Integer Value) { SetLimit(minWidth_, Value); }
void TSizeConstraints::SetMinHeight(Integer Value) { SetLimit(minHeight_, Value); }
void TSizeConstraints::SetMaxWidth(Integer Value) { SetLimit(maxWidth_, Value); }
void TSizeConstraints::SetMaxHeight(Integer Value) { SetLimit(maxHeight_, Value); }

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// Cursor names

namespace {
const std::pair<const char*, TCursor> kCursorNames[] = {
    {"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
    {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
    {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
    {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
    {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
    {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll},     {"crSize", crSize},
};
}  // namespace

bool CursorToIdent(Integer Cursor, AnsiString& Ident) {
    for (const auto& [name, value] : kCursorNames)
        if (value == Cursor) {
            Ident = name;
            return true;
        }
    return false;
}

bool IdentToCursor(const std::string& Ident, Int64& Cursor) {
    for (const auto& [name, value] : kCursorNames)
        if (SameIdent(name, Ident)) {
            Cursor = value;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------
// Shift states

TShiftState MouseKeysToShiftState(WPARAM Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardStateToShiftState() {
    Byte state[256];
    GetKeyboardState(state);
    TShiftState s;
    if (state[VK_SHIFT] & 0x80) s.Include(ssShift);
    if (state[VK_CONTROL] & 0x80) s.Include(ssCtrl);
    if (state[VK_MENU] & 0x80) s.Include(ssAlt);
    if (state[VK_LBUTTON] & 0x80) s.Include(ssLeft);
    if (state[VK_RBUTTON] & 0x80) s.Include(ssRight);
    if (state[VK_MBUTTON] & 0x80) s.Include(ssMiddle);
    return s;
}
