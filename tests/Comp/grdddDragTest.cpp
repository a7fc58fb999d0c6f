// Whole drags of columns and texts between registered windows through the scripted drag: the index and
// the target's verdict travel, and the grid's drop source hears every step.
#include <algorithm>
#include <string>
#include <vector>

#include "grddd.h"
#include "support/FormFixture.h"

using namespace grddd;

namespace {

class TColumnTarget : public TGRDDropTarget {
public:
    std::vector<std::string> Calls;
    DWORD Verdict = 0xFFFF;  // 0xFFFF: as the keys say

protected:
    void DropText(TPoint, const AnsiString& Text, DWORD& Effect) override { Take("text " + Text, Effect); }
    void DropCol(TPoint, Integer Col, DWORD& Effect) override { Take("col " + std::to_string(Col), Effect); }
    void DropFiles(TPoint, TStrings* Files, DWORD& Effect) override { Take("files " + Files->CommaText(), Effect); }

private:
    void Take(const std::string& Call, DWORD& Effect) {
        Calls.push_back(Call);
        if (Verdict != 0xFFFF) Effect = Verdict;
    }
};

class TCountingSource : public TGRDDropSource {
public:
    int Queries = 0;
    std::vector<DWORD> Effects;

protected:
    void CurrentEffect(DWORD Effect) override { Effects.push_back(Effect); }
    void QueryDrag() override { ++Queries; }
};

class grdddDragTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        source = Place<TPanel>(10, 10, 150, 100);
        target = Place<TPanel>(200, 10, 150, 100);
        hooks = ComPtr<TColumnTarget>(new TColumnTarget);
        ASSERT_EQ(RegisterDragDrop(target->Handle(), hooks.Get()), S_OK);
        dropSource = ComPtr<TCountingSource>(new TCountingSource);
    }
    void TearDown() override {
        RevokeDragDrop(target->Handle());
        hooks.Reset();
        dropSource.Reset();
        FormFixture::TearDown();
        OleUninitialize();
    }

    TPoint At(TControl* C) const { return C->ClientToScreen(Point(20, 20)); }

    std::vector<TDragStep> DragTo(TControl* Over, DWORD Keys = 0) {
        const DWORD held = Keys | MK_LBUTTON;
        return {{At(source), held}, {At(Over), held}, {At(Over), Keys}};
    }

    Integer DragColumn(Integer Col, const std::vector<TDragStep>& Steps, DWORD& Effect) {
        SetDragScriptForTest(Steps);
        return StartColumnDoDragDrop(dropSource.Get(), Col, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    }

    TPanel* source = nullptr;
    TPanel* target = nullptr;
    ComPtr<TColumnTarget> hooks;
    ComPtr<TCountingSource> dropSource;
};

}  // namespace

TEST_F(grdddDragTest, AColumnReachesATargetThatAcceptsColumns) {
    struct Case {
        const char* name;
        bool acceptCols;
        DWORD keys;
        DWORD verdict;
        Integer result;
        DWORD effect;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"moved", true, 0, 0xFFFF, DRAGDROP_S_DROP, DROPEFFECT_MOVE, {"col 12"}},
        {"copied with Control", true, MK_CONTROL, 0xFFFF, DRAGDROP_S_DROP, DROPEFFECT_COPY, {"col 12"}},
        {"lowered to a copy by the hook", true, 0, DROPEFFECT_COPY, DRAGDROP_S_DROP, DROPEFFECT_COPY, {"col 12"}},
        {"refused by the hook", true, 0, DROPEFFECT_NONE, DRAGDROP_S_CANCEL, DROPEFFECT_NONE, {"col 12"}},
        {"columns not accepted", false, 0, 0xFFFF, DRAGDROP_S_CANCEL, DROPEFFECT_NONE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hooks->Calls.clear();
        hooks->SetAcceptCols(c.acceptCols);
        hooks->Verdict = c.verdict;
        DWORD effect = 99;
        EXPECT_EQ(DragColumn(12, DragTo(target, c.keys), effect), c.result);
        EXPECT_EQ(effect, c.effect);
        EXPECT_EQ(hooks->Calls, c.calls);
        // A column drag offers the column alone.
        EXPECT_EQ(hooks->DropFormats(), dfCol);
    }
}

TEST_F(grdddDragTest, TheDropSourceHearsEveryQueryAndFeedbackAndEscapeCancels) {
    hooks->SetAcceptCols(true);
    DWORD effect = 99;
    EXPECT_EQ(DragColumn(0, {{At(source)}, {At(target)}, {At(target), MK_LBUTTON, true}}, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(hooks->Calls.empty());
    EXPECT_GE(dropSource->Queries, 3);
    ASSERT_FALSE(dropSource->Effects.empty());
    // Over the source no target takes the column; over the target it would move.
    EXPECT_EQ(dropSource->Effects.front(), DROPEFFECT_NONE);
    EXPECT_NE(std::find(dropSource->Effects.begin(), dropSource->Effects.end(), DROPEFFECT_MOVE),
              dropSource->Effects.end());
}

TEST_F(grdddDragTest, ATextDragUsesTheCallersSourceAndReachesTheTextHook) {
    DWORD effect = 99;
    SetDragScriptForTest(DragTo(target));
    EXPECT_EQ(StartTextDoDragDrop(dropSource.Get(), "cells", "", effect, DROPEFFECT_COPY | DROPEFFECT_MOVE),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(hooks->Calls, std::vector<std::string>{"text cells"});
    EXPECT_EQ(hooks->DropFormats(), dfText);
    EXPECT_FALSE(dropSource->Effects.empty());
}

TEST_F(grdddDragTest, AFileManagersDragArrivesAsFilesOnly) {
    const std::vector<TDragStep> steps{{At(target)}, {At(target), 0}};
    EXPECT_EQ(
        RunForeignDragForTest({{"text/uri-list", "file:///home/u/DATA.CSV\r\n"}, {"text/plain", "/home/u/DATA.CSV"}},
                              DROPEFFECT_COPY, steps),
        DROPEFFECT_COPY);
    EXPECT_EQ(hooks->Calls, std::vector<std::string>{"files /home/u/DATA.CSV"});

    // A name the code page cannot hold is not handed on as a mangled path.
    hooks->Calls.clear();
    EXPECT_EQ(RunForeignDragForTest({{"text/uri-list", "file:///home/u/%D0%94.csv\r\n"}}, DROPEFFECT_COPY, steps),
              DROPEFFECT_NONE);
    EXPECT_TRUE(hooks->Calls.empty());
}
