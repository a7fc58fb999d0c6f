#pragma once
// The common controls' peer entry points, kept out of the public headers.

#include <vcl/ComCtrls.h>

struct TComCtrlsAccess {
    static void DateTimeFromPeer(TDateTimePicker& C, TDateTime Day, TDateTime TimeOfDay) {
        C.DateTimeFromPeer(Day, TimeOfDay);
    }
    static TRect CheckBoxRect(const TDateTimePicker& C) { return C.CheckBoxRect(); }
    static AnsiString ShownFormat(const TDateTimePicker& C) { return C.ShownFormat(); }
    // The value as the control holds it, date and time together.
    static TDateTime DateTime(const TDateTimePicker& C) { return C.dateTime_; }
    static void PositionFromPeer(TTrackBar& C, Integer Value) { C.PositionFromPeer(Value); }
    static void ContentFromPeer(TCustomRichEdit& C, const TRichText& Value, Integer SelStart, Integer SelLength) {
        C.ContentFromPeer(Value, SelStart, SelLength);
    }
    static void SelectionFromPeer(TCustomRichEdit& C, Integer SelStart, Integer SelLength) {
        C.SelectionFromPeer(SelStart, SelLength);
    }
};

// What the picker's peer does besides mirroring the common state.
class TPickerPeer {
public:
    virtual ~TPickerPeer() = default;
    // Takes every picker property again.
    virtual void Mirror() = 0;
    // Drops the calendar, when the picker has one and it is not down.
    virtual void DropDown() = 0;
};
