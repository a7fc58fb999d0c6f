// A form description with one typed edit per type: it loads with each type's formatted value, and the
// user's keys, pastes and Tab give each type's value. An empty value of a numeric type reads as 0 once
// the type is set.
#include <memory>
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Clipbrd.h"
#include "vcl/Resources.h"
#include "vcl/Windows.h"

extern const TResourceEntry ProEditFormResources[];

using namespace ProEdit;

namespace {

class ProEditFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResources(ProEditFormResources);
        window.reset(new TForm(nullptr));
        ReadComponentRes("TProEditForm", window.get());
        Testing::ShowAndActivate(window.get());
    }

    TProEdit* Named(const char* Name) {
        auto* edit = dynamic_cast<TProEdit*>(window->FindComponent(Name));
        if (!edit) throw Exception(std::string("no typed edit ") + Name);
        return edit;
    }

    TOwned<TForm> window;
};

TEST_F(ProEditFormTest, TheDescriptionGivesEachEditItsTypeAndFormattedValue) {
    struct Case {
        const char* name;
        TProEditType type;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"StringEdit", etString, "text"}, {"NumericEdit", etNumeric, "12 kg"}, {"FloatEdit", etFloat, "1.50"},
        {"UpperEdit", etUppercase, ""},   {"MixedEdit", etMixedCase, ""},      {"LowerEdit", etLowerCase, ""},
        {"PasswordEdit", etPassword, ""}, {"MoneyEdit", etMoney, "$ 0.00"},    {"RangeEdit", etRange, ""},
        {"HexEdit", etHex, "FF"},         {"AlphaEdit", etAlphaNumeric, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TProEdit* edit = Named(c.name);
        EXPECT_EQ(edit->EditType(), c.type);
        EXPECT_EQ(edit->TCustomEdit::Text(), c.shown);
        EXPECT_EQ(Testing::PeerText(edit), c.shown);
        EXPECT_FALSE(edit->Modified());
    }
    EXPECT_EQ(Named("FloatEdit")->FocusColor(), clAqua);
    EXPECT_EQ(Named("StringEdit")->DisabledColor(), clSilver);
    EXPECT_TRUE(Named("StringEdit")->AutoThousandSeparator());
    EXPECT_FALSE(Named("PasswordEdit")->CanUndo());
}

TEST_F(ProEditFormTest, TypingIntoEachEditAndTabbingOnGivesItsValue) {
    struct Case {
        const char* name;
        const char* typed;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"StringEdit", "Any text", "Any text"},
        {"NumericEdit", "-7x", "-7 kg"},
        {"FloatEdit", "2.5", "2.50"},
        {"UpperEdit", "abc", "ABC"},
        {"MixedEdit", "mary o'hara", "Mary O'Hara"},
        {"LowerEdit", "ABC", "abc"},
        {"PasswordEdit", "secret", "secret"},
        {"MoneyEdit", "1234567", "$ 1,234,567.00"},
        {"RangeEdit", "1-3;5", "1-3;5"},
        {"HexEdit", "c0ffee", "c0ffee"},
        {"AlphaEdit", "ab 123", "ab12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TProEdit* edit = Named(c.name);
        Input::TabTo(edit);
        Input::Key(edit, VK_END);
        while (!edit->Text().empty()) Input::Key(edit, VK_BACK);
        Input::Type(edit, c.typed);
        Input::Key(edit, VK_TAB);
        EXPECT_FALSE(edit->Focused());
        EXPECT_EQ(edit->TCustomEdit::Text(), c.shown);
    }
}

TEST_F(ProEditFormTest, PastingThroughTheEditMenuIsFilteredByType) {
    struct Case {
        const char* name;
        const char* clipboard;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"AlphaEdit", "abc123", "abc123"},
        {"AlphaEdit", "ab c", ""},
        {"NumericEdit", "42", "42 kg"},
        {"NumericEdit", "4.2", "0 kg"},
        {"FloatEdit", "3.25", "3.25"},
        {"FloatEdit", ".", "0.00"},
        {"MoneyEdit", "1234567", "$ 1,234,567.00"},
        {"HexEdit", "ff", ""},
        {"RangeEdit", "1-2", ""},
        {"UpperEdit", "abc\r\ndef", "ABC"},
        {"MixedEdit", "ann mcx", "Ann McX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " <- " + c.clipboard);
        TProEdit* edit = Named(c.name);
        Input::TabTo(edit);
        edit->SetText("");
        Clipboard()->SetAsText(c.clipboard);
        edit->Perform(WM_PASTE, 0, 0);
        Input::Key(edit, VK_TAB);
        EXPECT_EQ(edit->TCustomEdit::Text(), c.shown);
    }
}

}  // namespace
