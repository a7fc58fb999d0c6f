// The grid's spin edit as a user meets it: keys and clicks step the value or the date or time field under
// the caret, typing takes what the type allows, and leaving keeps the value within its limits.
#include <vector>

#include "GridUnitFixture.h"
#include "grdspin.h"
#include "support/InputSimulator.h"
#include "support/LocalePresets.h"
#include "vcl/Windows.h"

using namespace grdspin;

namespace {

class GrdSpinTest : public GridUnitFixture {
protected:
    void SetUp() override {
        GridUnitFixture::SetUp();
        spin = Place<TGrdSpinEdit>(10, 10, 120, 24);
        spin->SetAutoSize(false);
        spin->SetHeight(24);
        next = Place<TEdit>(200, 10, 100, 24);
        Input::Settle();
    }
    void TearDown() override {
        LongTimeFormat = longTimeFormat;
        GridUnitFixture::TearDown();
    }

    // The text, and the caret at Caret with Selected characters after it selected, placed by keys.
    void Prepare(const AnsiString& Text, Integer Caret, Integer Selected = 0) {
        if (!spin->Focused()) Input::TabTo(spin);
        spin->SetText(Text);
        Input::Key(spin, VK_HOME);
        for (Integer i = 0; i < Caret; ++i) Input::Key(spin, VK_RIGHT);
        for (Integer i = 0; i < Selected; ++i) Input::Key(spin, VK_RIGHT, TShiftState{ssShift});
    }

    TGrdSpinEdit* spin = nullptr;
    TEdit* next = nullptr;
    AnsiString longTimeFormat = LongTimeFormat;
};

TEST_F(GrdSpinTest, UpAndDownStepTheDateOrTimeFieldUnderTheCaretInTextOrder) {
    struct Case {
        TLocalePreset locale;
        const char* timeFormat;
        TGrdSpinType type;
        const char* text;
        Integer caret;
        Word key;
        const char* expected;
    };
    const auto dayFirst = TLocalePreset::DayFirst;
    const auto us = TLocalePreset::EnUS;
    const std::vector<Case> cases{
        {dayFirst, "hh:nn:ss", sptDate, "05/06/2004", 4, VK_UP, "05/07/2004"},
        {us, "hh:nn:ss", sptDate, "5/6/2004", 3, VK_UP, "6/6/2004"},
        {dayFirst, "hh:nn:ss", sptDate, "05/06/2004", 2, VK_UP, "06/06/2004"},
        {dayFirst, "hh:nn:ss", sptDate, "05/06/2004", 6, VK_DOWN, "05/06/2003"},
        {dayFirst, "hh:nn:ss", sptDate, "31/01/2004", 3, VK_UP, "29/02/2004"},
        {dayFirst, "hh:nn:ss", sptDate, "29/02/2004", 10, VK_UP, "28/02/2005"},
        {dayFirst, "hh:nn:ss", sptDate, "31/12/9999", 0, VK_UP, "31/12/9999"},
        {dayFirst, "hh:nn:ss", sptDate, "31/12/9999", 4, VK_UP, "31/12/9999"},
        {dayFirst, "hh:nn:ss", sptDate, "31/12/9999", 8, VK_UP, "31/12/9999"},
        {dayFirst, "hh:nn:ss", sptDate, "01/01/0001", 0, VK_DOWN, "01/01/0001"},
        {dayFirst, "hh:nn:ss", sptDate, "01/01/0001", 4, VK_DOWN, "01/01/0001"},
        {dayFirst, "hh:nn:ss", sptDate, "01/01/0001", 8, VK_DOWN, "01/01/0001"},
        {us, "hh:nn:ss", sptTime, "12:30:00", 2, VK_UP, "13:30:00"},
        {us, "h:nn:ss AMPM", sptTime, "12:30:00", 2, VK_UP, "1:30:00 PM"},
        {us, "hh:nn:ss", sptTime, "12:30:00", 3, VK_UP, "12:31:00"},
        {us, "hh:nn:ss", sptTime, "12:30:05", 8, VK_DOWN, "12:30:04"},
        {us, "hh:nn:ss", sptTime, "23:59:59", 0, VK_UP, "23:59:59"},
        {us, "hh:nn:ss", sptTime, "23:59:59", 4, VK_UP, "23:59:59"},
        {us, "hh:nn:ss", sptTime, "23:59:59", 7, VK_UP, "23:59:59"},
        {us, "hh:nn:ss", sptTime, "00:00:00", 0, VK_DOWN, "00:00:00"},
        {us, "hh:nn:ss", sptTime, "00:00:00", 7, VK_DOWN, "00:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << PresetName(c.locale) << " " << c.text << " caret " << c.caret);
        TLocaleScope locale(c.locale);
        LongTimeFormat = c.timeFormat;
        spin->SetText("0");
        spin->SetSpinType(c.type);
        Prepare(c.text, c.caret);
        Input::Key(spin, c.key);
        EXPECT_EQ(spin->Text(), c.expected);
        EXPECT_EQ(Testing::PeerText(spin), c.expected);
        EXPECT_EQ(spin->SelStart(), c.caret);  // the caret stays in its field
    }
}

TEST_F(GrdSpinTest, NumbersStepByTheirIncrementWithinLimitsThatMeanNothingWhenEqual) {
    struct Case {
        TGrdSpinType type;
        Integer min, max;
        double minFloat, maxFloat;
        const char* text;
        Word key;
        const char* expected;
    };
    const std::vector<Case> cases{
        {sptNormal, 0, 100, 0, 0, "5", VK_UP, "8"},
        {sptNormal, 0, 100, 0, 0, "99", VK_UP, "100"},
        {sptNormal, 0, 100, 0, 0, "2", VK_DOWN, "0"},
        {sptNormal, 0, 0, 0, 0, "-5000", VK_DOWN, "-5003"},
        {sptNormal, 0, 0, 0, 0, "2147483646", VK_UP, "2147483647"},
        {sptNormal, 7, 7, 0, 0, "-2147483647", VK_DOWN, "-2147483648"},
        {sptNormal, 0, 100, 0, 0, "abc", VK_UP, "3"},          // no integer: from MinValue
        {sptNormal, 0, 100, 0, 0, "99999999999", VK_UP, "3"},  // beyond 32 bits
        {sptFloat, 0, 0, 0, 10, "1.5", VK_UP, "1.75"},
        {sptFloat, 0, 0, 0, 10, "9.9", VK_UP, "10"},
        {sptFloat, 0, 0, 1, 10, "", VK_UP, "1.25"},  // empty: from MinFloatValue
        {sptFloat, 0, 0, 1, 10, "-", VK_DOWN, "1"},
        {sptFloat, 0, 0, 5, 5, "-1e300", VK_DOWN, "-1E300"},
    };
    TLocaleScope locale(TLocalePreset::EnUS);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << (c.key == VK_UP ? " up" : " down"));
        spin->SetSpinType(c.type);
        spin->SetMinValue(c.min);
        spin->SetMaxValue(c.max);
        spin->SetIncrement(3);
        spin->SetMinFloatValue(c.minFloat);
        spin->SetMaxFloatValue(c.maxFloat);
        spin->SetIncrementFloat(0.25);
        Prepare(c.text, 0);
        Input::Key(spin, c.key);
        EXPECT_EQ(spin->Text(), c.expected);
    }
}

TEST_F(GrdSpinTest, AFloatIsWrittenWithItsPrecisionAndAReadOnlyEditBeepsInsteadOfStepping) {
    spin->SetSpinType(sptFloat);
    spin->SetIncrementFloat(0.5);
    spin->SetPrecision(2);
    spin->SetFloatValue(3);
    EXPECT_EQ(spin->Text(), "3.00");
    Input::TabTo(spin);
    Input::Key(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "3.50");
    spin->SetReadOnly(true);
    Testing::ResetMessageBeepCount();
    Input::Key(spin, VK_UP);
    Input::Click(spin->Button()->DownButton());
    EXPECT_EQ(spin->Text(), "3.50");
    EXPECT_EQ(Testing::MessageBeepCount(), 2u);
}

TEST_F(GrdSpinTest, TheArrowKeysAreConsumedAndTheButtonsStepToo) {
    std::vector<Word> seen;
    spin->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { seen.push_back(Key); };
    Prepare("10", 0);
    seen.clear();
    Input::Key(spin, VK_UP);
    Input::Key(spin, VK_DOWN);
    Input::Key(spin, VK_DOWN);
    EXPECT_EQ(spin->Value(), 9);
    EXPECT_TRUE(seen.empty());
    Input::TabTo(next);
    Input::Click(spin->Button()->UpButton());
    Input::Click(spin->Button()->UpButton());
    EXPECT_EQ(spin->Value(), 11);
    EXPECT_TRUE(spin->Focused());  // the press brought the focus
    Input::Click(spin->Button()->DownButton());
    EXPECT_EQ(spin->Value(), 10);
}

TEST_F(GrdSpinTest, LeavingLimitsTheValueAndNeverFailsOnTextThatIsNoValue) {
    struct Case {
        TGrdSpinType type;
        const char* text;
        const char* left;
    };
    const std::vector<Case> cases{
        {sptNormal, "150", "100"},
        {sptNormal, "-4", "0"},
        {sptNormal, "50", "50"},
        {sptFloat, "100.5", "100"},
        {sptFloat, "", ""},
        {sptFloat, "-", "-"},
        {sptDate, "1/1/2010", "12/31/2009"},
        {sptDate, "1/1/1990", "1/1/2000"},
        {sptDate, "5/5/2005", "5/5/2005"},
        {sptDate, "abc", "abc"},
    };
    TLocaleScope locale(TLocalePreset::EnUS);
    spin->SetMinDateValue(EncodeDate(2000, 1, 1));
    spin->SetMaxDateValue(EncodeDate(2009, 12, 31));
    Testing::RecordMessageBoxes(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        spin->SetText("0");
        spin->SetSpinType(c.type);
        Prepare(c.text, 0);
        Input::TabTo(next);
        EXPECT_EQ(spin->Text(), c.left);
    }
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
    Testing::RecordMessageBoxes(false);
    // A date edit holding no date still says so when asked for its date; stepping it only beeps.
    EXPECT_THROW(spin->DateValue(), EConvertError);
    Testing::ResetMessageBeepCount();
    Prepare("abc", 0);
    Input::Key(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "abc");
    EXPECT_EQ(Testing::MessageBeepCount(), 1u);
}

// A time is held within the date range: here 6:00 .. 18:00 of day 0.
TEST_F(GrdSpinTest, ATimeIsLimitedByTheDateRange) {
    TLocaleScope locale(TLocalePreset::EnUS);
    LongTimeFormat = "hh:nn:ss";
    spin->SetSpinType(sptTime);
    spin->SetMinDateValue(0.25);
    spin->SetMaxDateValue(0.75);
    struct Case {
        const char* typed;
        const char* left;
    };
    for (const Case& c :
         {Case{"20:00:00", "18:00:00"}, Case{"07:00:00", "07:00:00"}, Case{"1", "06:00:00"}, Case{"", "06:00:00"}}) {
        SCOPED_TRACE(c.typed);
        Prepare("", 0);
        Input::Type(spin, c.typed);
        Input::TabTo(next);
        EXPECT_EQ(spin->Text(), c.left);
    }
}

TEST_F(GrdSpinTest, TypingTakesWhatTheTypeAllowsAndBeepsAtTheRest) {
    struct Case {
        TLocalePreset locale;
        TGrdSpinType type;
        Integer precision;
        const char* text;
        Integer caret, selected;
        char key;
        bool accepted;
    };
    const auto us = TLocalePreset::EnUS;
    const auto comma = TLocalePreset::CommaDecimal;
    const std::vector<Case> cases{
        {us, sptNormal, 0, "12", 2, 0, '3', true},
        {us, sptNormal, 0, "12", 2, 0, 'a', false},
        {us, sptNormal, 0, "12", 1, 0, '-', false},  // a minus in the middle
        {us, sptNormal, 0, "12", 0, 0, '-', true},
        {us, sptNormal, 0, "-12", 0, 0, '-', false},  // a second minus
        {us, sptNormal, 0, "-12", 0, 1, '-', true},   // replacing the first
        {us, sptNormal, 0, "12", 2, 0, ',', true},
        {us, sptNormal, 0, "12", 2, 0, ':', false},  // a time separator outside times
        {us, sptNormal, 0, "12", 2, 0, '/', false},
        {us, sptFloat, 0, "12", 2, 0, '.', true},
        {us, sptFloat, 0, "1.2", 3, 0, '.', false},  // a second decimal separator
        {us, sptFloat, 0, "1.2", 1, 2, '.', true},
        {us, sptFloat, 0, "12", 2, 0, ',', false},    // no grouping in a float
        {us, sptFloat, 2, "1.25", 4, 0, '7', false},  // a third decimal
        {us, sptFloat, 2, "1.25", 1, 0, '7', true},   // the integer part grows
        {us, sptFloat, 2, "1.25", 3, 1, '7', true},
        {comma, sptFloat, 0, "1", 1, 0, ',', true},
        {comma, sptFloat, 0, "1", 1, 0, '.', false},  // the date and thousands separator
        {comma, sptNormal, 0, "1", 1, 0, '.', true},  // a separator that also groups digits
        {comma, sptDate, 0, "1", 1, 0, '.', true},
        {us, sptDate, 0, "1", 1, 0, '/', true},
        {us, sptDate, 0, "1", 1, 0, ':', false},
        {us, sptTime, 0, "1", 1, 0, ':', true},
        {us, sptTime, 0, "1:2:3", 5, 0, ':', false},  // a third time separator
        {us, sptTime, 0, "1:2", 3, 0, '/', false},
        {us, sptTime, 0, "1:2", 3, 0, ' ', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << PresetName(c.locale) << " " << c.text << " + '" << c.key << "' at " << c.caret);
        TLocaleScope locale(c.locale);
        spin->SetText("0");
        spin->SetSpinType(c.type);
        spin->SetPrecision(c.precision);
        Prepare(c.text, c.caret, c.selected);
        Testing::ResetMessageBeepCount();
        AnsiString expected = c.text;
        if (c.accepted)
            expected.replace(static_cast<std::size_t>(c.caret), static_cast<std::size_t>(c.selected), 1, c.key);
        Input::Type(spin, AnsiString(1, c.key));
        EXPECT_EQ(spin->Text(), expected);
        EXPECT_EQ(Testing::MessageBeepCount(), c.accepted ? 0u : 1u);
    }
}

TEST_F(GrdSpinTest, TheKeypadPointTypesTheDecimalSeparatorInExcelStyle) {
    TLocaleScope locale(TLocalePreset::CommaDecimal);
    spin->SetSpinType(sptFloat);
    Prepare("1", 1);
    Testing::ResetMessageBeepCount();
    Input::Key(spin, VK_DECIMAL);
    EXPECT_EQ(spin->Text(), "1");  // a point is the thousands separator here
    EXPECT_EQ(Testing::MessageBeepCount(), 1u);
    spin->SetExcelStyleDecimalSeparator(true);
    Input::Key(spin, VK_DECIMAL);
    EXPECT_EQ(spin->Text(), "1,");
    Input::Key(spin, VK_OEM_PERIOD);  // the main keyboard's point stays a point
    EXPECT_EQ(spin->Text(), "1,");
}

TEST_F(GrdSpinTest, WithTheEditorOffOnlyTheStepsChangeTheText) {
    spin->SetEditorEnabled(false);
    spin->SetValue(3);
    Prepare("3", 1);
    Testing::ResetMessageBeepCount();
    Input::Type(spin, "7");
    Input::Key(spin, VK_BACK);
    Input::Key(spin, VK_HOME);
    Input::Key(spin, VK_DELETE);
    Input::Key(spin, 'X', TShiftState{ssCtrl});
    Input::Key(spin, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(spin->Text(), "3");
    EXPECT_EQ(Testing::MessageBeepCount(), 2u);  // '7' and Backspace
    Input::Key(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "4");
    EXPECT_EQ(spin->SelLength(), 1);  // the stepped value is selected
}

TEST_F(GrdSpinTest, ReturnIsTabMovesOnAndEnteringByKeySelectsAll) {
    Prepare("12", 1);
    Input::Key(spin, VK_RETURN);
    EXPECT_TRUE(spin->Focused());
    spin->SetReturnIsTab(true);
    Input::Key(spin, VK_RETURN);
    Input::Settle();
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(spin->Text(), "12");
    Input::Key(next, VK_TAB, TShiftState{ssShift});
    EXPECT_TRUE(spin->Focused());
    EXPECT_EQ(spin->SelLength(), 2);
    Input::TabTo(next);
    Input::Click(spin, 5, 8);
    EXPECT_EQ(spin->SelLength(), 0);
}

TEST_F(GrdSpinTest, ATypeChangeRewritesTheValueInTheNewFormat) {
    TLocaleScope locale(TLocalePreset::EnUS);
    LongTimeFormat = "hh:nn:ss";
    spin->SetText("12.75");
    spin->SetSpinType(sptFloat);
    EXPECT_EQ(spin->Text(), "12.75");
    spin->SetPrecision(1);
    EXPECT_EQ(spin->Text(), "12.8");
    spin->SetSpinType(sptNormal);
    EXPECT_EQ(spin->Text(), "0");  // no integer: MinValue
    spin->SetText("6:05");
    spin->SetSpinType(sptTime);
    EXPECT_EQ(spin->Text(), "06:05:00");
    spin->SetText("2/29/2004");
    spin->SetSpinType(sptDate);
    EXPECT_EQ(spin->Text(), "2/29/2004");
    EXPECT_EQ(spin->DateValue(), EncodeDate(2004, 2, 29));
}

TEST_F(GrdSpinTest, TheAlignmentRecreatesTheWindowWithItsStyle) {
    struct Case {
        TEditAlign align;
        DWORD style;
    };
    spin->SetText("42");
    for (const Case& c : {Case{eaRight, ES_RIGHT}, Case{eaCenter, ES_CENTER}, Case{eaLeft, 0}}) {
        SCOPED_TRACE(c.align);
        spin->SetEditAlign(c.align);
        const auto style = static_cast<DWORD>(GetWindowLong(spin->Handle(), GWL_STYLE));
        EXPECT_EQ(style & (ES_RIGHT | ES_CENTER), c.style);
        EXPECT_TRUE(style & ES_MULTILINE);
        EXPECT_EQ(Testing::PeerText(spin), "42");
    }
}

TEST_F(GrdSpinTest, ADescriptionWritesTheStoredDateOrTimeOnceLoaded) {
    TLocaleScope locale(TLocalePreset::EnUS);
    LongTimeFormat = "hh:nn:ss";
    RegisterClass(TGrdSpinEdit::ClassInfo());
    ReadComponentFromText(R"(object Form1: TForm
  object Spin1: TGrdSpinEdit
    SpinType = sptDate
    DateValue = 38143.0
  end
  object Spin2: TGrdSpinEdit
    SpinType = sptTime
    TimeValue = 0.75
  end
  object Spin3: TGrdSpinEdit
    SpinType = sptFloat
    Precision = 2
    FloatValue = 1.5
  end
end
)",
                          form);
    const auto text = [this](const char* Name) {
        return dynamic_cast<TGrdSpinEdit*>(form->FindComponent(Name))->Text();
    };
    EXPECT_EQ(text("Spin1"), DateToStr(38143.0));
    EXPECT_EQ(text("Spin2"), "18:00:00");
    EXPECT_EQ(text("Spin3"), "1.50");
}

}  // namespace
