// Whole drags of a text between registered windows, through the scripted drag: what the target's hooks
// decide reaches the source, and other programs' drags arrive as the hooks expect them.
#include <string>
#include <vector>

#include "ProEddd.h"
#include "support/FormFixture.h"

using namespace ProEddd;

namespace {

class THookTarget : public TPEDropTarget {
public:
    std::vector<std::string> Calls;
    DWORD TextVerdict = 0xFFFF;  // 0xFFFF: as the keys say
    bool Allow = true;

protected:
    void DropText(TPoint, const AnsiString& Text, DWORD& Effect) override {
        Calls.push_back("text " + Text);
        if (TextVerdict != 0xFFFF) Effect = TextVerdict;
    }
    void DropFiles(TPoint, TStrings* Files, DWORD&) override { Calls.push_back("files " + Files->CommaText()); }
    void DragMouseMove(TPoint, bool& AllowDrop) override { AllowDrop = Allow; }
};

class ProEdddDragTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        source = Place<TPanel>(10, 10, 150, 100);
        target = Place<TPanel>(200, 10, 150, 100);
        hooks = ComPtr<THookTarget>(new THookTarget);
        ASSERT_EQ(RegisterDragDrop(target->Handle(), hooks.Get()), S_OK);
    }
    void TearDown() override {
        RevokeDragDrop(target->Handle());
        hooks.Reset();
        FormFixture::TearDown();
        OleUninitialize();
    }

    TPoint At(TControl* C) const { return C->ClientToScreen(Point(20, 20)); }

    // Press in the source, move over Over with Keys held, release there with Keys.
    std::vector<TDragStep> DragTo(TControl* Over, DWORD Keys = 0) {
        const DWORD held = Keys | MK_LBUTTON;
        return {{At(source), held}, {At(Over), held}, {At(Over), Keys}};
    }

    Integer Run(const std::vector<TDragStep>& Steps, DWORD& Effect) {
        SetDragScriptForTest(Steps);
        return StartTextDoDragDrop("dragged text", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    }

    TPanel* source = nullptr;
    TPanel* target = nullptr;
    ComPtr<THookTarget> hooks;
};

}  // namespace

TEST_F(ProEdddDragTest, ControlMakesTheDropACopy) {
    struct Case {
        DWORD keys;
        DWORD expected;
    };
    for (const Case& c :
         {Case{0, DROPEFFECT_MOVE}, Case{MK_CONTROL, DROPEFFECT_COPY}, Case{MK_SHIFT, DROPEFFECT_MOVE}}) {
        SCOPED_TRACE(c.keys);
        hooks->Calls.clear();
        DWORD effect = 0;
        EXPECT_EQ(Run(DragTo(target, c.keys), effect), DRAGDROP_S_DROP);
        EXPECT_EQ(effect, c.expected);
        EXPECT_EQ(hooks->Calls, std::vector<std::string>{"text dragged text"});
    }
}

TEST_F(ProEdddDragTest, TheHooksVerdictReachesTheSource) {
    struct Case {
        const char* name;
        DWORD verdict;
        Integer result;
        DWORD effect;
    };
    for (const Case& c : {Case{"downgraded to a copy", DROPEFFECT_COPY, DRAGDROP_S_DROP, DROPEFFECT_COPY},
                          Case{"refused at the drop", DROPEFFECT_NONE, DRAGDROP_S_CANCEL, DROPEFFECT_NONE}}) {
        SCOPED_TRACE(c.name);
        hooks->TextVerdict = c.verdict;
        DWORD effect = 99;
        EXPECT_EQ(Run(DragTo(target), effect), c.result);
        EXPECT_EQ(effect, c.effect);
    }
}

TEST_F(ProEdddDragTest, ARefusedDropCancelsSoTheSourceKeepsItsText) {
    struct Case {
        const char* name;
        bool allow;
        TControl* over;
    };
    for (const Case& c :
         {Case{"over a target that refuses", false, target}, Case{"over a window without one", true, source}}) {
        SCOPED_TRACE(c.name);
        hooks->Allow = c.allow;
        hooks->Calls.clear();
        DWORD effect = 99;
        EXPECT_EQ(Run(DragTo(c.over), effect), DRAGDROP_S_CANCEL);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_TRUE(hooks->Calls.empty());
    }
}

TEST_F(ProEdddDragTest, EscapeCancelsTheDrag) {
    DWORD effect = 99;
    EXPECT_EQ(Run({{At(source)}, {At(target)}, {At(target), MK_LBUTTON, true}}, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(hooks->Calls.empty());
}

TEST_F(ProEdddDragTest, AFileManagersDragOffersFilesAndNoText) {
    const std::vector<TDragStep> steps{{At(target)}, {At(target), 0}};
    EXPECT_EQ(RunForeignDragForTest({{"text/uri-list", "file:///home/u/a.txt\r\nfile:///home/u/caf%C3%A9\r\n"},
                                     {"text/plain", "/home/u/a.txt\n/home/u/caf\xC3\xA9"}},
                                    DROPEFFECT_COPY | DROPEFFECT_MOVE, steps),
              DROPEFFECT_MOVE);
    EXPECT_EQ(hooks->Calls, std::vector<std::string>{"files /home/u/a.txt,/home/u/caf\xE9"});

    hooks->Calls.clear();
    EXPECT_EQ(RunForeignDragForTest({{"text/plain", "two\nlines \xE2\x82\xAC"}}, DROPEFFECT_COPY, steps),
              DROPEFFECT_COPY);
    EXPECT_EQ(hooks->Calls, std::vector<std::string>{"text two\nlines \x80"});

    // Links to elsewhere are no files: their text is what a drop gets.
    hooks->Calls.clear();
    EXPECT_EQ(
        RunForeignDragForTest({{"text/uri-list", "https://example.org/\r\n"}, {"text/plain", "https://example.org/"}},
                              DROPEFFECT_COPY, steps),
        DROPEFFECT_COPY);
    EXPECT_EQ(hooks->Calls, std::vector<std::string>{"text https://example.org/"});
}
