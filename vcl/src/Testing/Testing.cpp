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

}  // namespace Testing
