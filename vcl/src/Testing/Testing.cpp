// Test seams that need no windowing system: message-box recording and the keyboard state.

#include "Controls/Internal.h"
#include "vcl/Testing.h"

namespace {
struct TRecording {
    bool on = false;
    int answer = 1;
    std::vector<Testing::TRecordedMessageBox> boxes;
};

TRecording& Recording() {
    static TRecording recording;
    return recording;
}
}  // namespace

namespace Testing {

void RecordMessageBoxes(bool On, int Answer) {
    Recording().on = On;
    Recording().answer = Answer;
}

bool RecordingMessageBoxes() { return Recording().on; }
int RecordedAnswer() { return Recording().answer; }
std::vector<TRecordedMessageBox>& RecordedMessageBoxes() { return Recording().boxes; }

void SetKeyboardShiftState(TShiftState Shift) { SetInputShiftState(Shift); }

void ShowHintNow(TControl* Control) { ::ShowHintNow(Control); }

THintWindow* ShownHintWindow() {
    THintWindow* w = ::ShownHintWindow();
    return w && w->HandleAllocated() && PeerVisible(w) ? w : nullptr;
}

// Read back from the window itself: its title and where the windowing system put it.
TShownHint ShownHint() {
    THintWindow* w = ShownHintWindow();
    if (!w) return {};
    return {PeerText(w), PeerGeometry(w)};
}

}  // namespace Testing
