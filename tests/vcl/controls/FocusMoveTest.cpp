// A focus handler that raises never leaves the focus half-moved: the move completes, then the exception is
// reported.

#include <functional>
#include <string>
#include <vector>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class FocusMoveTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Application->OnException = [this](TObject*, Exception* E) { reported.push_back(E->Message()); };
        from = Place<TEdit>(10, 10, 100, 21);
        to = Place<TEdit>(10, 40, 100, 21);
        to->OnEnter = [this](TObject*) { ++enters; };
        original = from->WindowProc;
    }
    void TearDown() override {
        Application->OnException = nullptr;
        FormFixture::TearDown();
    }

public:
    TEdit* from = nullptr;
    TEdit* to = nullptr;
    TWndMethod original;
    int enters = 0;
    std::vector<std::string> reported;
};

TEST_F(FocusMoveTest, AnExceptionInAFocusHandlerIsReportedAfterTheMoveCompletes) {
    auto raise = [](TObject*) { throw Exception("no value"); };
    const struct {
        const char* Name;
        std::function<void(FocusMoveTest&)> Arm;
        int Enters;
    } cases[] = {
        {"OnExit", [raise](FocusMoveTest& t) { t.from->OnExit = raise; }, 1},
        {"OnEnter", [raise](FocusMoveTest& t) { t.to->OnEnter = raise; }, 0},
        {"WM_KILLFOCUS",
         [](FocusMoveTest& t) {
             TWndMethod inherited = t.from->WindowProc;
             t.from->WindowProc = [inherited](TMessage& M) {
                 inherited(M);
                 if (M.Msg == WM_KILLFOCUS) throw Exception("no value");
             };
         },
         1},
    };
    const struct {
        const char* Name;
        std::function<void(FocusMoveTest&)> Move;
    } moves[] = {
        {"Tab", [](FocusMoveTest& t) { Input::Key(t.from, VK_TAB); }},
        {"click", [](FocusMoveTest& t) { Input::Click(t.to); }},
    };
    for (const auto& c : cases)
        for (const auto& move : moves) {
            SCOPED_TRACE(std::string(c.Name) + " by " + move.Name);
            from->OnExit = nullptr;
            from->WindowProc = original;
            to->OnEnter = [this](TObject*) { ++enters; };
            Input::Click(from);
            ASSERT_TRUE(from->Focused());
            c.Arm(*this);
            enters = 0;
            reported.clear();
            move.Move(*this);
            EXPECT_TRUE(to->Focused());
            EXPECT_TRUE(Testing::PeerHasFocus(to));
            EXPECT_EQ(form->ActiveControl(), to);
            EXPECT_EQ(enters, c.Enters);
            EXPECT_EQ(reported, std::vector<std::string>{"no value"});
            from->OnExit = nullptr;
            to->OnEnter = nullptr;
        }
}

TEST_F(FocusMoveTest, SetFocusFromCodeCompletesTheMoveAndReportsTheException) {
    Input::Click(from);
    from->OnExit = [](TObject*) { throw Exception("no value"); };
    to->SetFocus();
    EXPECT_TRUE(to->Focused());
    EXPECT_EQ(form->ActiveControl(), to);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(reported, std::vector<std::string>{"no value"});
}

}  // namespace
