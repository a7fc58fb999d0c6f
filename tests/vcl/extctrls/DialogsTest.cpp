#include <gtest/gtest.h>

#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

struct DialogsTest : ::testing::Test {
    void TearDown() override {
        Testing::RecordMessageBoxes(false);
        Testing::RecordedMessageBoxes().clear();
    }
};

TEST_F(DialogsTest, ShowMessageIsRecordedWithAnOkButton) {
    Testing::RecordMessageBoxes(true);
    ShowMessage("Disk size must be positive");
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "Disk size must be positive");
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Flags & 0x0F, MB_OK);
}

TEST_F(DialogsTest, MessageDlgAnswersWithTheModalResultOfTheButton) {
    struct Case {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        int Answer;
        TModalResult Expected;
        UINT Flags;
        const char* Caption;
    };
    const Case cases[] = {
        {mtConfirmation, {mbYes, mbNo}, IDYES, mrYes, MB_YESNO | MB_ICONQUESTION, "Confirm"},
        {mtWarning, mbOKCancel, IDCANCEL, mrCancel, MB_OKCANCEL | MB_ICONWARNING, "Warning"},
        {mtError, {mbOK}, IDOK, mrOk, MB_OK | MB_ICONERROR, "Error"},
        {mtInformation, mbAbortRetryIgnore, IDRETRY, mrRetry, MB_ABORTRETRYIGNORE | MB_ICONINFORMATION, "Information"},
        {mtConfirmation, mbYesNoCancel, IDNO, mrNo, MB_YESNOCANCEL | MB_ICONQUESTION, "Confirm"},
    };
    for (const Case& c : cases) {
        Testing::RecordedMessageBoxes().clear();
        Testing::RecordMessageBoxes(true, c.Answer);
        EXPECT_EQ(MessageDlg("Overwrite?", c.Type, c.Buttons, 0), c.Expected);
        ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
        EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Flags, c.Flags);
        EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Caption, c.Caption);
    }
}

TEST_F(DialogsTest, UnusualButtonSetsAreRecordedToo) {
    Testing::RecordMessageBoxes(true, mrYesToAll);
    EXPECT_EQ(MessageDlg("Replace all?", mtConfirmation, mbYesAllNoAllCancel, 0), mrYesToAll);
    EXPECT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
}

}  // namespace
