// Typing into the typed edit through the window: each type's key filter, the sign toggle, the float and
// money rules, Prefix and Suffix around the caret, the length limit.
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditKeysTest : public ProEditFixture {
protected:
    // Types Keys into a fresh edit of Type holding Start with the caret at its end.
    AnsiString Typed(TProEditType Type, const AnsiString& Start, const AnsiString& Keys,
                     const std::function<void(TProEdit*)>& Setup = {}) {
        TProEdit* edit = Edit(Type);
        if (Setup) Setup(edit);
        edit->SetText(Start);
        Focus(edit);
        Input::Key(edit, VK_END);
        Input::Type(edit, Keys);
        AnsiString shown = Shown(edit);
        edit->Free();
        return shown;
    }
};

TEST_F(ProEditKeysTest, EachTypeLetsInOnlyItsCharacters) {
    struct Case {
        TProEditType type;
        const char* keys;
        const char* shown;
    };
    const std::vector<Case> cases{
        {etString, "a1,-x ", "a1,-x "},
        {etNumeric, "1a2.3", "123"},
        {etFloat, "1a2x3", "123"},
        {etUppercase, "ab\xe9", "AB\xc9"},
        {etLowerCase, "AB\xc9", "ab\xe9"},
        {etHex, "1fGg-", "1f-"},
        {etAlphaNumeric, "a1 _B", "a1B"},
        {etRange, "1-5;7,9", "1-5;7,9"},
        {etRange, "1--;5,,", "1-5,"},
        {etRange, "-1", "1"},
        {etMoney, "12a", "12"},
        {etPassword, "p w", "p w"},
        {etString, "\x80\x9f", "\x80\x9f"},
        {etUppercase, "\x9a\x9c", "\x8a\x8c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(Typed(c.type, "", c.keys), c.shown);
    }
}

TEST_F(ProEditKeysTest, MinusTogglesTheSignOfASignedNumber) {
    auto signed_ = [](TProEdit* E) { E->SetSigned(true); };
    EXPECT_EQ(Typed(etNumeric, "12", "-", signed_), "-12");
    EXPECT_EQ(Typed(etNumeric, "12", "--", signed_), "12");
    EXPECT_EQ(Typed(etNumeric, "12", "-"), "12");
    EXPECT_EQ(Typed(etFloat, "1.5", "-", signed_), "-1.5");
    EXPECT_EQ(Typed(etMoney, "", "-5", signed_), "-5");
}

TEST_F(ProEditKeysTest, MoneyRegroupsWhileDigitsAreTypedAndDeleted) {
    TProEdit* edit = Edit(etMoney);
    Focus(edit);
    Input::Type(edit, "1234567");
    EXPECT_EQ(Shown(edit), "1,234,567");
    EXPECT_EQ(edit->SelStart(), 9);
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(Shown(edit), "123,456");
    Input::Key(edit, VK_HOME);
    Input::Key(edit, VK_DELETE);
    EXPECT_EQ(Shown(edit), "23,456");
}

TEST_F(ProEditKeysTest, FloatRulesForSeparatorsAndDecimals) {
    auto two = [](TProEdit* E) { E->SetPrecision(2); };
    // The decimal separator typed first gives "0." with the caret after it.
    EXPECT_EQ(Typed(etFloat, "", ".5", two), "0.5");
    // Without decimals no separator goes in; a second one never does.
    EXPECT_EQ(Typed(etFloat, "", "1.5"), "15");
    EXPECT_EQ(Typed(etFloat, "1.5", ".", two), "1.50");
    // A further digit after full decimals at the end is refused.
    EXPECT_EQ(Typed(etFloat, "3.14", "9", two), "3.14");
    // Separators that are neither the decimal nor the thousand one stay out.
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(Typed(etFloat, "", "1,5", two), "1,5");
    ThousandSeparator = '\'';
    EXPECT_EQ(Typed(etFloat, "", "1.5", two), "15");
}

TEST_F(ProEditKeysTest, ADigitAfterFullDecimalsOverwritesTheNextOne) {
    TProEdit* edit = Edit(etFloat);
    edit->SetPrecision(2);
    edit->SetText("3.14");
    Focus(edit);
    Input::Key(edit, VK_HOME);
    Input::Key(edit, VK_RIGHT);
    Input::Key(edit, VK_RIGHT);
    Input::Type(edit, "9");
    EXPECT_EQ(Shown(edit), "3.94");
}

TEST_F(ProEditKeysTest, TheKeypadDecimalKeyTypesTheLocaleSeparatorWhenAsked) {
    DecimalSeparator = ',';
    ThousandSeparator = '\'';
    TProEdit* edit = Edit(etFloat);
    edit->SetPrecision(2);
    Focus(edit);
    // Without the setting the keypad's point is a point, which this locale's numbers do not take.
    Input::Type(edit, "1");
    Input::Key(edit, VK_DECIMAL);
    EXPECT_EQ(Shown(edit), "1");
    edit->SetExcelStyleDecimalSeparator(true);
    Input::Key(edit, VK_OEM_PERIOD);
    EXPECT_EQ(Shown(edit), "1");
    Input::Key(edit, VK_DECIMAL);
    Input::Type(edit, "5");
    EXPECT_EQ(Shown(edit), "1,5");
}

TEST_F(ProEditKeysTest, TheLengthLimitStopsTheIntegerPartAndTabsOnWhenFull) {
    auto limit = [](TProEdit* E) { E->SetLengthLimit(3); };
    EXPECT_EQ(Typed(etNumeric, "123", "4", limit), "123");
    TProEdit* edit = Edit(etNumeric);
    edit->SetLengthLimit(3);
    edit->SetTabOnFullLength(true);
    Focus(edit);
    Input::Type(edit, "12");
    EXPECT_TRUE(edit->Focused());
    Input::Type(edit, "3");
    Input::Settle();
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(Shown(edit), "123");
}

TEST_F(ProEditKeysTest, MixedCaseRewritesTheValueAndKeepsTheCaret) {
    TProEdit* edit = Edit(etMixedCase);
    Focus(edit);
    Input::Type(edit, "o'neil-smith");
    EXPECT_EQ(Shown(edit), "O'Neil-Smith");
    EXPECT_EQ(edit->SelStart(), 12);
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(Shown(edit), "O'Neil-Smit");
    EXPECT_EQ(edit->SelStart(), 11);
}

TEST_F(ProEditKeysTest, TheCaretNeverEntersPrefixOrSuffix) {
    TProEdit* edit = Edit(etNumeric);
    edit->SetPrefix("No");
    edit->SetSuffix("kg");
    edit->SetText("100");
    Focus(edit);
    Input::Key(edit, VK_HOME);
    EXPECT_EQ(edit->SelStart(), 2);
    Input::Key(edit, VK_LEFT);
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(Shown(edit), "No100kg");
    EXPECT_EQ(edit->SelStart(), 2);
    Input::Key(edit, VK_END);
    EXPECT_EQ(edit->SelStart(), 5);
    Input::Key(edit, VK_RIGHT);
    Input::Key(edit, VK_DELETE);
    EXPECT_EQ(Shown(edit), "No100kg");
    EXPECT_EQ(edit->SelStart(), 5);
    Input::Key(edit, VK_HOME, {ssShift});
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 3);
}

TEST_F(ProEditKeysTest, ASelectionReachingIntoPrefixOrSuffixIsCutToTheValue) {
    TProEdit* edit = Edit();
    edit->SetPrefix("No");
    edit->SetSuffix("kg");
    edit->SetText("5");
    Focus(edit);
    Input::Key(edit, VK_END);
    Input::Key(edit, VK_LEFT, {ssCtrl, ssShift});
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 1);
    // Even a key that types nothing leaves the selection inside the value.
    edit->Perform(EM_SETSEL, 3, 5);
    Input::Key(edit, VK_RETURN);
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 0);
    edit->Perform(EM_SETSEL, 0, 5);
    Input::Key(edit, VK_DELETE);
    EXPECT_EQ(Shown(edit), "Nokg");
    EXPECT_EQ(edit->SelStart(), 2);
    Input::Type(edit, "7");
    EXPECT_EQ(Shown(edit), "No7kg");
}

TEST_F(ProEditKeysTest, NoKeyMakesTheIntegerPartLongerThanTheLimit) {
    TProEdit* edit = Edit(etFloat);
    edit->SetPrecision(2);
    edit->SetLengthLimit(3);
    edit->SetText("123.45");
    Focus(edit);
    Input::Key(edit, VK_HOME);
    for (int i = 0; i < 4; ++i) Input::Key(edit, VK_RIGHT);
    // Backspace or Delete of the decimal separator would join the parts.
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(Shown(edit), "123.45");
    Input::Key(edit, VK_LEFT);
    Input::Key(edit, VK_DELETE);
    EXPECT_EQ(Shown(edit), "123.45");
    // Before the separator the integer part is full; after it typing goes on.
    Input::Type(edit, "9");
    EXPECT_EQ(Shown(edit), "123.45");
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(Shown(edit), "12.45");
}

TEST_F(ProEditKeysTest, ReturnFiresOnKeyPressAndTypesNothing) {
    TProEdit* edit = Edit();
    EventCounter presses;
    edit->OnKeyPress = [](TObject*, char&) {};
    presses.Hook(edit->OnKeyPress);
    Focus(edit);
    Input::Type(edit, "a");
    Input::Key(edit, VK_RETURN);
    EXPECT_EQ(presses.Count(), 2);
    EXPECT_EQ(Shown(edit), "a");
}

TEST_F(ProEditKeysTest, OnChangeFiresOncePerTypedKeyWithTheRegroupedValue) {
    TProEdit* edit = Edit(etMoney);
    std::vector<std::string> seen;
    edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
    int validations = 0;
    edit->OnValueValidate = [&](TObject*, const AnsiString&, bool&) { ++validations; };
    Focus(edit);
    Input::Type(edit, "1234");
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "12", "123", "1,234"}));
    EXPECT_EQ(validations, 4);
}

TEST_F(ProEditKeysTest, NoKeyChangesAReadOnlyValue) {
    struct Case {
        const char* what;
        TProEditType type;
        SmallInt precision;
        const char* start;
        const char* keys;
    };
    const std::vector<Case> cases{
        {"sign toggle", etNumeric, 0, "12", "-"},      {"float sign toggle", etFloat, 1, "1.5", "-"},
        {"zero and separator", etFloat, 2, "", "."},   {"mixed case", etMixedCase, 0, "abc", "d"},
        {"money regrouping", etMoney, 0, "1234", "5"}, {"plain typing", etString, 0, "abc", "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const AnsiString shown = Typed(c.type, c.start, c.keys, [&](TProEdit* E) {
            E->SetSigned(true);
            E->SetPrecision(c.precision);
            E->SetReadOnly(true);
        });
        EXPECT_EQ(shown, c.start);
    }
    // Delete in a read-only money field neither deletes nor regroups.
    TProEdit* money = Edit(etMoney);
    money->SetText("123456");
    money->SetReadOnly(true);
    Focus(money);
    Input::Key(money, VK_HOME);
    Input::Key(money, VK_DELETE);
    EXPECT_EQ(Shown(money), "123456");
    EXPECT_FALSE(money->Modified());
}

}  // namespace
