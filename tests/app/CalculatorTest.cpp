// The calculator as a user drives it: typing into the size fields and the position list, clicking
// the radios and check boxes, and reading the derived fields and the result list.
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "ProgramStart.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

class Calculator : public ::testing::Test {
protected:
    void SetUp() override {
        CreateCalculatorWindow();
        Input::Show(Form1);
    }
    void TearDown() override { FreeAndNil(Form1); }

    // Replaces the edit's whole text by typing, as a user who selects all and types.
    static void Retype(TEdit* Edit, const AnsiString& Text) {
        Input::Click(Edit);
        Input::Key(Edit, 'A', {ssCtrl});
        Input::Type(Edit, Text);
    }
    // Types the lines into the empty position list, pressing Return between them.
    static void TypeLines(const std::vector<std::string>& Lines) {
        Input::Click(Form1->Memo1);
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            if (i > 0) Input::Key(Form1->Memo1, VK_RETURN);
            Input::Type(Form1->Memo1, Lines[i]);
        }
    }
    static AnsiString Results() { return Form1->Memo2->Text(); }
};

TEST_F(Calculator, StartsFromThirtyDecimalGigabytesWithAnEmptyResultList) {
    EXPECT_EQ(Form1->Edit3->Text(), "30'000'000'000");
    EXPECT_EQ(Form1->Edit1->Text(), "58'593'751");
    EXPECT_EQ(Form1->Edit5->Text(), "7'324'220");
    EXPECT_EQ(Results(), "");
    // Only the gigabyte description can be edited.
    EXPECT_TRUE(Form1->Edit4->Enabled());
    EXPECT_TRUE(Form1->CheckBox1->Enabled());
    EXPECT_TRUE(Form1->SpinButton__edit4->Enabled());
    for (TControl* output : std::vector<TControl*>{Form1->Edit1, Form1->Edit2, Form1->Edit3, Form1->Edit5, Form1->Edit6,
                                                   Form1->SpinButton__edit1, Form1->SpinButton__edit5})
        EXPECT_FALSE(output->Enabled()) << output->Name();
}

TEST_F(Calculator, BinaryGigabytesRederiveTheOtherDescriptions) {
    Input::Click(Form1->CheckBox1);
    EXPECT_EQ(Form1->Edit3->Text(), "32'212'254'720");
    EXPECT_EQ(Form1->Edit1->Text(), "62'914'561");
    EXPECT_EQ(Form1->Edit5->Text(), "7'864'321");
}

TEST_F(Calculator, BytesTypedGiveGigabytesWithTrimmedDecimals) {
    Input::Click(Form1->RadioButton2);
    ASSERT_TRUE(Form1->Edit3->Enabled());
    Retype(Form1->Edit3, "1500000000");
    EXPECT_EQ(Form1->Edit4->Text(), "1.5");
    EXPECT_EQ(Form1->Edit1->Text(), "2'929'689");  // 1500000000 / 512 + 1 = 2929688.5, rounded
}

// The radios and the check box choose the unit and the display (the lines themselves: ResultLinesTest).
TEST_F(Calculator, RadiosChooseTheUnitAndTheDisplayOfEveryLine) {
    auto check = [](TRadioButton* positionUnit, TRadioButton* display, bool split,
                    const std::vector<std::string>& lines, const char* expected) {
        Input::Click(positionUnit);
        Input::Click(display);
        if (Form1->CheckBox2->Checked() != split) Input::Click(Form1->CheckBox2);
        Form1->Memo1->Clear();
        TypeLines(lines);
        EXPECT_EQ(Results(), expected);
    };
    check(Form1->RadioButton7, Form1->RadioButton4, false, {"1000"}, "0.0017% (= sector #1000)");
    check(Form1->RadioButton7, Form1->RadioButton5, false, {"1000"}, "1000 (= sector #1000)");
    check(Form1->RadioButton12, Form1->RadioButton4, false, {"50"}, "50% (= 50%)");
    check(Form1->RadioButton6, Form1->RadioButton4, false, {"30000000000", "30000000001"},
          "100% (= byte #30000000000)\r\n>100% Out of Bounds (= byte #30000000001)");
    check(Form1->RadioButton6, Form1->RadioButton10, true, {"1234567"}, "1'234'567 (= byte #1234567)");
    check(Form1->RadioButton11, Form1->RadioButton9, false, {"7"}, "7 (= cluster #7)");
    // Empty and blank lines give no result line (Tab would leave the list, so the blanks are spaces).
    check(Form1->RadioButton6, Form1->RadioButton10, false, {"1", "", "  ", "2"}, "1 (= byte #1)\r\n2 (= byte #2)");
}

TEST_F(Calculator, AHundredPercentOfABinaryDiskIsTheWholeDisk) {
    Input::Click(Form1->CheckBox1);
    Retype(Form1->Edit4, "7");
    Input::Click(Form1->RadioButton12);
    TypeLines({"100", "50"});
    EXPECT_EQ(Results(), "100% (= 100%)\r\n50% (= 50%)");
}

TEST_F(Calculator, AHundredPercentOfAVeryLargeDiskIsWithinBounds) {
    Input::Click(Form1->RadioButton2);
    Retype(Form1->Edit3, "541769782978051");
    Input::Click(Form1->RadioButton12);
    TypeLines({"100", "100.0001"});
    EXPECT_EQ(Results(), "100% (= 100%)\r\n>100% Out of Bounds (= 100.0001%)");
}

// A divisor of 0 makes a derived count infinite; it is shown as the conversion writes it, ungrouped.
TEST_F(Calculator, AnInfiniteDerivedCountIsShownWithoutSeparators) {
    Input::Click(Form1->RadioButton1);
    Retype(Form1->Edit2, "0");
    Input::Click(Form1->RadioButton3);
    Retype(Form1->Edit4, "30");
    EXPECT_EQ(Form1->Edit3->Text(), "30'000'000'000");
    EXPECT_EQ(Form1->Edit1->Text(), "+Inf");
}

TEST_F(Calculator, ANonPositiveFieldLeavesTheResultListAsItWas) {
    TypeLines({"1000"});
    const AnsiString before = Results();
    ASSERT_NE(before, "");
    Input::Click(Form1->RadioButton1);  // sectors: Edit2 becomes editable
    Retype(Form1->Edit2, "0");
    EXPECT_EQ(Results(), before);
    Retype(Form1->Edit2, "");
    EXPECT_EQ(Results(), before);
}

// From the position list to the gigabyte field and back, as a new user goes: the typing follows each click.
TEST_F(Calculator, AClickInAnotherFieldTakesTheTypingThereAndThePositionListKeepsItsLines) {
    Input::Click(Form1->Memo1);
    Input::Type(Form1->Memo1, "1000");
    Input::Click(Form1->Edit4);
    Input::Key(Form1->Edit4, 'A', {ssCtrl});
    Input::Type(Form1->Edit4, "50");
    EXPECT_EQ(Form1->Memo1->Text(), "1000");
    EXPECT_EQ(Form1->Edit4->Text(), "50");
    EXPECT_EQ(Form1->Edit3->Text(), "50'000'000'000");
    Input::Click(Form1->Memo1);
    Input::Key(Form1->Memo1, VK_END, {ssCtrl});
    Input::Type(Form1->Memo1, "0");
    EXPECT_EQ(Form1->Memo1->Text(), "10000");
    EXPECT_EQ(Results(), "0% (= byte #10000)");
}

// Each edit of the list, and each new choice, gives the results the same lines typed afresh give.
TEST_F(Calculator, EditsInsideTheListGiveTheResultsOfTheListTypedAfresh) {
    Input::Click(Form1->RadioButton6);
    Input::Click(Form1->RadioButton10);
    TypeLines({"1000", "2000", "3000", "4000"});
    auto resultsAfresh = [] {
        const AnsiString lines = Form1->Memo1->Text();
        const AnsiString shown = Results();
        Form1->Memo1->Clear();
        Form1->Memo1->SetText(lines);
        const AnsiString computed = Results();
        EXPECT_EQ(Form1->Memo1->Text(), lines);
        return std::pair{shown, computed};
    };
    Input::Key(Form1->Memo1, VK_HOME, {ssCtrl});
    Input::Key(Form1->Memo1, VK_DOWN);
    Input::Key(Form1->Memo1, VK_END);
    Input::Type(Form1->Memo1, "5");  // line 2 becomes 20005
    auto [shown, computed] = resultsAfresh();
    EXPECT_EQ(shown, computed);
    EXPECT_NE(shown.find("#20005)\r\n"), AnsiString::npos) << shown;

    Input::Key(Form1->Memo1, VK_HOME, {ssCtrl});
    Input::Key(Form1->Memo1, VK_RETURN);  // a new empty first line, then a position on it
    Input::Key(Form1->Memo1, VK_UP);
    Input::Type(Form1->Memo1, "7");
    std::tie(shown, computed) = resultsAfresh();
    EXPECT_EQ(shown, computed);
    EXPECT_TRUE(shown.starts_with("7 (= byte #7)\r\n")) << shown;

    Input::Click(Form1->RadioButton5);  // sectors: every line anew
    std::tie(shown, computed) = resultsAfresh();
    EXPECT_EQ(shown, computed);
    EXPECT_TRUE(shown.starts_with("0 (= byte #7)\r\n")) << shown;
}

TEST_F(Calculator, OneKeystrokeGivesOneDerivationAndOneComputation) {
    TypeLines({"1", "2"});
    EventCounter results;
    results.Hook(Form1->Memo2->OnChange);
    Form1->calculate(nullptr);
    const int perComputation = results.Count();
    ASSERT_GT(perComputation, 0);
    EventCounter derivedBytes;
    derivedBytes.Hook(Form1->Edit3->OnChange);
    results.Reset();
    Input::Click(Form1->Edit4);
    Input::Key(Form1->Edit4, VK_END);
    Input::Type(Form1->Edit4, "1");  // 301 GB
    EXPECT_EQ(Form1->Edit3->Text(), "301'000'000'000");
    EXPECT_EQ(derivedBytes.Count(), 1);
    EXPECT_EQ(results.Count(), perComputation);
}

TEST_F(Calculator, RendersHeadlessWithTheResultListInItsGrey) {
    Input::Click(Form1->RadioButton7);
    TypeLines({"1000", "58593750", "99999999"});
    TBitmap* shot = Testing::RenderControl(Form1);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->Width(), Form1->ClientWidth());
    EXPECT_EQ(shot->Height(), Form1->ClientHeight());
    // Below the last result line the result list shows its own grey.
    TPoint inside = Form1->Memo2->ClientToScreen(Point(40, Form1->Memo2->Height() - 40));
    TPoint origin = Form1->ClientToScreen(Point(0, 0));
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(inside.X - origin.X, inside.Y - origin.Y)), 0xE9E9E9u);
    // HALCYRA_SCREENSHOT=<file.png> keeps the picture (the README's screenshot comes from here).
    if (const char* path = std::getenv("HALCYRA_SCREENSHOT")) {
        EXPECT_TRUE(Testing::SaveBitmapAsPng(shot, path));
    }
    delete shot;
}

}  // namespace
