#pragma once
// Test seams: simulated user input, what the window shows, probes of what a peer shows, message-box
// recording and image output.

#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "Types.h"

namespace Testing {

// Simulated input arrives at the top-level window of a form at window coordinates, as the windowing system
// delivers a user's input: its own routing, hit-testing, mouse grabs and focus decide which control gets
// it. Every simulation processes the resulting messages before it returns.

// Keys go to the active window of Window's form (any control of it, or the form) and reach whatever has
// the focus there; the form must be the active window.
void KeyPress(TWinControl* Window, Word VirtualKey, TShiftState Shift = {});  // down and up
void KeyDown(TWinControl* Window, Word VirtualKey, TShiftState Shift = {});
void KeyUp(TWinControl* Window, Word VirtualKey, TShiftState Shift = {});
// Types Windows-1252 text character by character (each a key press producing that character).
void TypeText(TWinControl* Window, const AnsiString& Text);
// Types UTF-16 text unit by unit, each a key press producing that unit (as a keyboard layout that has it).
void TypeWideText(TWinControl* Window, const WideString& Text);
// The input method commits Text to the focused widget of Window's form, as it does at the end of a
// composition.
void CommitInputMethod(TWinControl* Window, const WideString& Text);

// The mouse at a point given in Target's client coordinates, delivered to the window point over it: what
// covers that point gets it. A press on a window that is not active activates it first.
void MouseDown(TControl* Target, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
void MouseUp(TControl* Target, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Buttons held in Shift (ssLeft ...) are held during the move besides those pressed with MouseDown.
void MouseMove(TControl* Target, Integer X, Integer Y, TShiftState Shift = {});
void Click(TControl* Target, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
void Click(TControl* Target);  // at the centre
void DoubleClick(TControl* Target, Integer X, Integer Y);
void Wheel(TControl* Target, Integer X, Integer Y, Integer Delta, TShiftState Shift = {});
// The mouse moves over the centre of Target.
void MouseEnter(TControl* Target);
// The mouse leaves the window that shows Target.
void MouseLeave(TControl* Target);
// The cursor shown at the mouse's last point: the one SetCursor shows over every window, else the screen's,
// else that of the control under the mouse; as Screen->Cursors gives it.
HCURSOR ShownCursor();
// Shows the form's window and makes it the active window.
void ShowAndActivate(TWinControl* Form);
// Resizes a shown form's window as the user does by dragging its edge; Width and Height are the form's.
void ResizeWindow(TWinControl* Form, Integer Width, Integer Height);

// Probes of the peer's own state (what the user sees), converted back to the stand-in's terms.
AnsiString PeerText(TWinControl* Control);      // edit/memo text, button/label caption, combo text, window title
WideString PeerWideText(TWinControl* Control);  // the same as UTF-16, as the widget holds it
bool PeerEnabled(TWinControl* Control);
bool PeerVisible(TWinControl* Control);  // shown on screen
bool PeerChecked(TWinControl* Control);  // check box / radio button
bool PeerHasFocus(TWinControl* Control);
TRect PeerGeometry(TWinControl* Control);  // in the parent peer's coordinates
// Any property of the peer widget by its windowing-system name ("readOnly", "currentIndex"), as text.
AnsiString PeerProperty(TWinControl* Control, const char* Name);

// Picks Day in the date picker's dropped calendar as a click on that day does (the calendar closes).
// EInvalidOperation when Picker's calendar is not down.
void PickCalendarDate(TWinControl* Picker, TDateTime Day);

// Message boxes: while recording, each message box is appended here and answered with Answer.
struct TRecordedMessageBox {
    AnsiString Text;
    AnsiString Caption;
    UINT Flags = 0;
};
void RecordMessageBoxes(bool On, int Answer = 1 /* IDOK */);
bool RecordingMessageBoxes();
int RecordedAnswer();
std::vector<TRecordedMessageBox>& RecordedMessageBoxes();

// The beeps MessageBeep sounded (silently) since the last reset.
unsigned MessageBeepCount();
void ResetMessageBeepCount();

// The keyboard state that GetKeyboardState reports until the next input arrives.
void SetKeyboardShiftState(TShiftState Shift);

// Renders a windowed control with its children into a new bitmap of its size (caller owns it).
TBitmap* RenderControl(TWinControl* Control);
// The form's window as the windowing system shows it, once the pending updates have reached the screen:
// a new bitmap of its client area (caller owns it). EInvalidOperation when the window is not shown.
TBitmap* GrabWindow(TWinControl* Window);  // a form or another top-level window
// A combo's dropped list, a window of its own: where it stands on the screen, and its pixels as the
// windowing system shows them (a new bitmap, caller owns it). EInvalidOperation while the list is closed.
TRect DroppedListBounds(TWinControl* Combo);
TBitmap* GrabDroppedList(TWinControl* Combo);
// Hints: the mouse cannot rest in a headless test, so this runs Control's hint at once, as the pause
// would, at the mouse's last position.
void ShowHintNow(TControl* Control);
// The hint on the screen as its window shows it (text, screen bounds); empty Text when none shows.
struct TShownHint {
    AnsiString Text;
    TRect Bounds;
};
TShownHint ShownHint();
// The hint window on the screen (for a grab); nullptr when none shows.
THintWindow* ShownHintWindow();

// PNG output of a bitmap; false when the file cannot be written.
bool SaveBitmapAsPng(TBitmap* Bitmap, const AnsiString& Path);

}  // namespace Testing
