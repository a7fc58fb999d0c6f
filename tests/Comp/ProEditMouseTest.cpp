// The typed edit's address look opens the value on a click, and a value too wide for the edit shows whole
// in its hint; a password field does neither.
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditMouseTest : public ProEditFixture {
protected:
    void SetUp() override {
        ProEditFixture::SetUp();
        SetWinExecLauncherForTest([this](const std::vector<AnsiString>& Argv, UINT, TProgramExitEvent) {
            opened.push_back(Argv.back());
            return 33u;
        });
    }
    void TearDown() override {
        SetWinExecLauncherForTest(nullptr);
        ProEditFixture::TearDown();
    }

    std::vector<AnsiString> opened;
};

TEST_F(ProEditMouseTest, AClickOnAFocusedAddressOpensIt) {
    struct Case {
        const char* what;
        const char* value;
        bool password;
        bool looks;
        bool opens;
    };
    const std::vector<Case> cases{
        {"web address", "https://example.org/a", false, true, true},
        {"mail address", "me@example.org", false, true, true},
        {"leading at sign", "@example", false, false, false},
        {"desktop launcher", "file:///tmp/run.desktop", false, true, false},
        {"password", "https://example.org/secret", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        opened.clear();
        TProEdit* edit = Edit(c.password ? etPassword : etString);
        edit->SetShowURL(true);
        edit->SetText(c.value);
        EXPECT_EQ(edit->Font()->Style().Contains(fsUnderline), c.looks);
        // The first click only focuses; the next one, on the focused address, opens it.
        Input::Click(edit, 20, 8);
        Input::Click(edit, 20, 8);
        EXPECT_EQ(opened.size(), c.opens ? 1u : 0u);
        if (c.opens && !opened.empty()) {
            EXPECT_EQ(opened[0], c.value);
        }
        edit->Free();
    }
}

TEST_F(ProEditMouseTest, AValueWiderThanTheEditShowsWholeInTheHint) {
    struct Case {
        const char* what;
        const char* value;
        bool password;
        const char* hint;
    };
    const std::string wide(60, 'w');
    const std::vector<Case> cases{
        {"wide value", wide.c_str(), false, wide.c_str()},
        {"narrow value", "short", false, "tip"},
        {"wide password", wide.c_str(), true, "tip"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* edit = Edit(c.password ? etPassword : etString);
        edit->SetHint("tip");
        edit->SetShowHint(true);
        edit->SetHintShowLargeText(true);
        edit->SetText(c.value);
        Testing::MouseMove(edit, 10, 10);
        Testing::ShowHintNow(edit);
        const Testing::TShownHint shown = Testing::ShownHint();
        EXPECT_EQ(shown.Text, c.hint);
        if (std::string(c.hint) == wide) {
            EXPECT_EQ(shown.Bounds.Left, form->ClientToScreen(Point(edit->Left(), edit->Top())).X);
            EXPECT_EQ(shown.Bounds.Top, form->ClientToScreen(Point(edit->Left(), edit->Top())).Y);
        }
        Testing::MouseLeave(edit);
        edit->Free();
    }
}

}  // namespace
