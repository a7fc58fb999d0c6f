// The grid's OLE layer by its interfaces: column blocks, the data object and its enumerator, the drop
// target's decisions and hooks, the drop source's hooks, and the unit's formats and switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "TestDataObject.h"
#include "grddd.h"
#include "vcl/Forms.h"

using namespace grddd;

namespace {

FORMATETC Format(CLIPFORMAT Id, DWORD Tymed = TYMED_HGLOBAL) { return {Id, nullptr, DVASPECT_CONTENT, -1, Tymed}; }

std::string BlockOf(IDataObject* Data, CLIPFORMAT Id) {
    FORMATETC f = Format(Id);
    STGMEDIUM m{};
    if (Data->GetData(&f, &m) != S_OK) return "<none>";
    std::string bytes(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    return bytes;
}

std::vector<CLIPFORMAT> Listed(IEnumFORMATETC* Formats) {
    std::vector<CLIPFORMAT> ids;
    FORMATETC f{};
    while (Formats->Next(1, &f, nullptr) == S_OK) ids.push_back(f.cfFormat);
    return ids;
}

std::string LittleEndian(uint32_t Value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((Value >> (8 * i)) & 0xFF);
    return bytes;
}

// Keeps what the hooks were told, in order, and lowers the effects as told.
class TRecordingTarget : public TGRDDropTarget {
public:
    std::vector<std::string> Calls;
    DWORD Verdict = 0xFFFF;  // 0xFFFF: leave the effect as it comes
    bool Allow = true;
    bool Throw = false;

protected:
    void Record(const std::string& Call, DWORD& Effect) {
        Calls.push_back(Call);
        if (Throw) throw Exception("hook failed");
        if (Verdict != 0xFFFF) Effect = Verdict;
    }
    void DropText(TPoint, const AnsiString& Text, DWORD& Effect) override { Record("text " + Text, Effect); }
    void DropCol(TPoint Pt, Integer Col, DWORD& Effect) override {
        Record("col " + std::to_string(Col) + " @" + std::to_string(Pt.X) + "," + std::to_string(Pt.Y), Effect);
    }
    void DropRTF(TPoint, const AnsiString& RTF, DWORD& Effect) override { Record("rtf " + RTF, Effect); }
    void DropFiles(TPoint, TStrings* Files, DWORD& Effect) override { Record("files " + Files->CommaText(), Effect); }
    void DragMouseMove(TPoint, bool& AllowDrop, Byte Formats) override {
        Calls.push_back("move " + std::to_string(AllowDrop) + " " + std::to_string(Formats));
        AllowDrop = Allow;
    }
    void DragMouseEnter() override { Calls.push_back("enter"); }
    void DragMouseLeave() override { Calls.push_back("leave"); }
};

class TRecordingSource : public TGRDDropSource {
public:
    std::vector<std::string> Calls;

protected:
    void CurrentEffect(DWORD Effect) override { Calls.push_back("effect " + std::to_string(Effect)); }
    void QueryDrag() override { Calls.push_back("query"); }
};

class grdddTest : public ::testing::Test {
protected:
    void SetUp() override {
        blocksBefore = GlobalBlockCountForTest();
        Application->OnException = [this](TObject*, Exception* E) { reported.push_back(E->Message()); };
        // The formats are registered by the first reader made while the clipboard opens.
        auto nothing = Offering({});
        TEnumFormats formats(nothing.Get());
        column = ColumnFormat();
        rich = RichTextFormat();
    }
    void TearDown() override {
        Application->OnException = nullptr;
        SetDropRTF(false);
        SetOpenClipboardFailsForTest(false);
        EXPECT_EQ(GlobalBlockCountForTest(), blocksBefore) << "a storage medium was not released";
    }

    static ComPtr<TTestDataObject> Offering(std::vector<TTestDataObject::TBlock> Blocks) {
        return ComPtr<TTestDataObject>(new TTestDataObject(std::move(Blocks)));
    }

    std::size_t blocksBefore = 0;
    std::vector<std::string> reported;
    CLIPFORMAT column = 0;
    CLIPFORMAT rich = 0;
};

const POINTL Anywhere{100, 200};
const std::string Text("abc", 4);
const std::string Files = DropFilesBlock(std::string("/a.csv\0/b\0\0", 11), false);

}  // namespace

TEST_F(grdddTest, TheFormatsAreRegisteredWhileTheClipboardOpensAndClearedAtExit) {
    EXPECT_EQ(column, RegisterClipboardFormat("grid column"));
    EXPECT_EQ(rich, RegisterClipboardFormat("Rich Text Format"));
    SetDropRTF(true);
    EXPECT_TRUE(RichTextDrops());
    FinalizeGrddd();
    EXPECT_EQ(ColumnFormat(), 0);
    EXPECT_EQ(RichTextFormat(), 0);
    EXPECT_FALSE(RichTextDrops());

    auto data = Offering({{CF_TEXT, Text}});
    SetOpenClipboardFailsForTest(true);
    { TEnumFormats formats(data.Get()); }
    EXPECT_EQ(ColumnFormat(), 0);
    SetOpenClipboardFailsForTest(false);
    { TEnumFormats formats(data.Get()); }
    EXPECT_EQ(ColumnFormat(), column);
    EXPECT_EQ(RichTextFormat(), rich);
}

TEST_F(grdddTest, TheDataObjectOffersWhatTheDragHolds) {
    struct Case {
        const char* name;
        const char* text;
        Integer col;
        bool richText;
        std::vector<CLIPFORMAT> offered;
    };
    const Case cases[] = {
        {"a text", "t", -1, false, {CF_TEXT, CF_UNICODETEXT}},
        {"a text with the switch on", "t", -1, true, {CF_TEXT, CF_UNICODETEXT, rich}},
        {"a column only", "", 3, true, {column}},
        {"column 0 is a column", "", 0, false, {column}},
        {"a text and a column", "t", 7, true, {CF_TEXT, CF_UNICODETEXT, rich, column}},
        {"nothing", "", -1, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetDropRTF(c.richText);
        ComPtr<IDataObject> data(new TSourceDataObject(c.text, "{\\rtf1}", c.col));
        for (CLIPFORMAT id : {CLIPFORMAT(CF_TEXT), CLIPFORMAT(CF_UNICODETEXT), rich, column, CLIPFORMAT(CF_HDROP)}) {
            FORMATETC f = Format(id);
            const bool offered = std::count(c.offered.begin(), c.offered.end(), id) > 0;
            EXPECT_EQ(data->QueryGetData(&f), offered ? S_OK : DV_E_FORMATETC) << id;
            f.tymed = TYMED_ISTREAM;
            EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC) << id;
        }
        ComPtr<IEnumFORMATETC> formats;
        ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(Listed(formats.Get()), c.offered);
    }
}

TEST_F(grdddTest, TheBlocksHoldTheTextsAndTheColumnAsFourLittleEndianBytes) {
    SetDropRTF(true);
    ComPtr<IDataObject> data(new TSourceDataObject("a\x80", "{\\rtf1 x}", 0x01020304));
    EXPECT_EQ(BlockOf(data.Get(), CF_TEXT), std::string("a\x80\0", 3));
    EXPECT_EQ(BlockOf(data.Get(), CF_UNICODETEXT), std::string("a\0\xAC\x20\0\0", 6));
    EXPECT_EQ(BlockOf(data.Get(), rich), std::string("{\\rtf1 x}\0", 10));
    EXPECT_EQ(BlockOf(data.Get(), column), "\x04\x03\x02\x01");
    ComPtr<IDataObject> large(new TSourceDataObject("", "", 70000));
    EXPECT_EQ(BlockOf(large.Get(), column), LittleEndian(70000));
    EXPECT_EQ(BlockOf(large.Get(), CF_TEXT), "<none>");
}

TEST_F(grdddTest, TheEnumeratorWalksSkipsAndClonesWithItsPositionAndColumn) {
    SetDropRTF(true);
    ComPtr<IDataObject> data(new TSourceDataObject("t", "r", 2));
    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.ReleaseAndGetAddressOf()), S_OK);

    FORMATETC entries[5]{};
    ULONG fetched = 9;
    EXPECT_EQ(formats->Next(3, entries, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(formats->Next(5, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(entries[0].cfFormat, column);
    EXPECT_EQ(entries[0].tymed, TYMED_HGLOBAL);
    EXPECT_EQ(entries[0].lindex, -1);

    struct Case {
        const char* name;
        ULONG skip;
        HRESULT result;
        std::vector<CLIPFORMAT> rest;
    };
    const Case cases[] = {
        {"none", 0, S_OK, {CF_TEXT, CF_UNICODETEXT, rich, column}},
        {"to the column", 3, S_OK, {column}},
        {"to the end", 4, S_OK, {}},
        {"past the end", 5, S_FALSE, {}},
        {"far past the end", 0xFFFFFFFF, S_FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        formats->Reset();
        EXPECT_EQ(formats->Skip(c.skip), c.result);
        ComPtr<IEnumFORMATETC> clone;
        ASSERT_EQ(formats->Clone(clone.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(Listed(clone.Get()), c.rest);
        EXPECT_EQ(Listed(formats.Get()), c.rest);
        clone->Reset();
        EXPECT_EQ(Listed(clone.Get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, rich, column}));
    }
}

TEST_F(grdddTest, AColumnIsReadOnlyFromAWholeBlock) {
    struct Case {
        const char* name;
        std::vector<TTestDataObject::TBlock> blocks;
        bool hasCol;
        Integer col;
    };
    const Case cases[] = {
        {"four bytes", {{column, LittleEndian(5)}}, true, 5},
        {"more bytes: the first four count", {{column, LittleEndian(65536) + "junk"}}, true, 65536},
        {"a negative index", {{column, LittleEndian(0xFFFFFFFE)}}, true, -2},
        {"three bytes are no column", {{column, std::string("\x05\0\0", 3)}}, true, -1},
        {"an empty block", {{column, ""}}, true, -1},
        {"not in global memory", {{column, LittleEndian(5), TYMED_ISTREAM}}, true, -1},
        {"no column offered", {{CF_TEXT, Text}}, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = Offering(c.blocks);
        data->OwnsMedia = true;
        {
            TEnumFormats formats(data.Get());
            EXPECT_EQ(formats.HasCol(), c.hasCol);
            EXPECT_EQ(formats.Col(), c.col);
        }
        EXPECT_EQ(data->RefCount(), 1u);  // every medium went back to its owner
    }
}

TEST_F(grdddTest, DragEnterWeighsWhatIsOfferedAgainstWhatIsAccepted) {
    struct Case {
        const char* name;
        std::vector<TTestDataObject::TBlock> blocks;
        bool acceptText, acceptFiles, acceptCols, richText;
        Byte mask;
        bool canDrop;
    };
    const std::string col = LittleEndian(1);
    const std::string rtf("{\\rtf1}", 8);
    const Case cases[] = {
        {"text", {{CF_TEXT, Text}}, true, false, false, false, dfText, true},
        {"text refused", {{CF_TEXT, Text}}, false, true, true, true, dfText, false},
        {"files", {{CF_HDROP, Files}}, false, true, false, false, dfFiles, true},
        {"files refused", {{CF_HDROP, Files}}, true, false, true, true, dfFiles, false},
        {"a column, accepted", {{column, col}}, false, false, true, false, dfCol, true},
        {"a column, columns not accepted", {{column, col}}, true, true, false, true, dfCol, false},
        {"a short column block", {{column, "\x01"}}, true, true, true, true, 0, false},
        {"rich text, switch on", {{rich, rtf}}, true, false, false, true, dfRTF, true},
        {"rich text, switch off", {{rich, rtf}}, true, true, true, false, dfRTF, false},
        {"rich text, text refused", {{rich, rtf}}, false, true, true, true, dfRTF, false},
        {"everything",
         {{CF_TEXT, Text}, {CF_HDROP, Files}, {column, col}, {rich, rtf}},
         false,
         false,
         true,
         false,
         dfText | dfFiles | dfCol | dfRTF,
         true},
        {"nothing", {}, true, true, true, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetDropRTF(c.richText);
        auto data = Offering(c.blocks);
        ComPtr<TRecordingTarget> target(new TRecordingTarget);
        EXPECT_TRUE(target->AcceptText() && target->AcceptFiles() && !target->AcceptCols());
        target->SetAcceptText(c.acceptText);
        target->SetAcceptFiles(c.acceptFiles);
        target->SetAcceptCols(c.acceptCols);
        for (DWORD keys : {DWORD(MK_LBUTTON), DWORD(MK_LBUTTON | MK_CONTROL)}) {
            DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            EXPECT_EQ(target->DragEnter(data.Get(), keys, Anywhere, &effect), S_OK);
            EXPECT_EQ(target->CanDrop(), c.canDrop);
            EXPECT_EQ(target->DropFormats(), c.mask);
            const DWORD keyEffect = keys & MK_CONTROL ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
            EXPECT_EQ(effect, c.canDrop ? keyEffect : DROPEFFECT_NONE);
            effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            target->DragOver(keys, Anywhere, &effect);
            EXPECT_EQ(effect, c.canDrop ? keyEffect : DROPEFFECT_NONE);
            target->DragLeave();
        }
        const std::string move = "move " + std::to_string(c.canDrop) + " " + std::to_string(c.mask);
        EXPECT_EQ(target->Calls, (std::vector<std::string>{"enter", move, "leave", "enter", move, "leave"}));
    }
}

TEST_F(grdddTest, ADropGoesToOneTextHookOrTheColumnThenToTheFiles) {
    struct Case {
        const char* name;
        std::vector<TTestDataObject::TBlock> blocks;
        bool richText;
        std::vector<std::string> calls;
        DWORD effect;
    };
    const std::string rtf("{\\rtf1}", 8);
    const Case cases[] = {
        {"text and rich text, switch off", {{CF_TEXT, Text}, {rich, rtf}}, false, {"text abc"}, DROPEFFECT_MOVE},
        {"text and rich text, switch on", {{CF_TEXT, Text}, {rich, rtf}}, true, {"rtf {\\rtf1}"}, DROPEFFECT_MOVE},
        {"a column with text", {{CF_TEXT, Text}, {column, LittleEndian(4)}}, true, {"col 4 @100,200"}, DROPEFFECT_MOVE},
        {"a column and files",
         {{column, LittleEndian(2)}, {CF_HDROP, Files}},
         false,
         {"col 2 @100,200", "files /a.csv,/b"},
         DROPEFFECT_MOVE},
        {"a short column block with text", {{CF_TEXT, Text}, {column, "\x02\0"}}, false, {"text abc"}, DROPEFFECT_MOVE},
        {"a file named outside the code page",
         {{CF_HDROP, DropFilesBlock(WideBytes("/x") + std::string("\x00\x04\0\0\0\0", 6), true)}},
         false,
         {},
         DROPEFFECT_NONE},
        {"an empty file list",
         {{CF_TEXT, Text}, {CF_HDROP, DropFilesBlock(std::string(2, '\0'), false)}},
         false,
         {"text abc"},
         DROPEFFECT_MOVE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetDropRTF(c.richText);
        auto data = Offering(c.blocks);
        ComPtr<TRecordingTarget> target(new TRecordingTarget);
        target->SetAcceptCols(true);
        DWORD effect = 0;
        target->DragEnter(data.Get(), MK_LBUTTON, Anywhere, &effect);
        target->Calls.clear();
        // The accept flags are weighed at the entry only.
        target->SetAcceptText(false);
        target->SetAcceptFiles(false);
        target->SetAcceptCols(false);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(data.Get(), 0, Anywhere, &effect), S_OK);
        EXPECT_EQ(target->Calls, c.calls);
        EXPECT_EQ(effect, c.effect);
    }
}

TEST_F(grdddTest, ADropAnswersTheStrongestEffectItsHooksLeft) {
    struct Case {
        const char* name;
        DWORD keys;
        DWORD verdict;
        bool allowOver;
        DWORD over;
        DWORD dropped;
    };
    const Case cases[] = {
        {"as the keys say", 0, 0xFFFF, true, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {"with Control", MK_CONTROL, 0xFFFF, true, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"lowered to a copy", 0, DROPEFFECT_COPY, true, DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"refused by the hooks", 0, DROPEFFECT_NONE, true, DROPEFFECT_MOVE, DROPEFFECT_NONE},
        {"a copy cannot be raised", MK_CONTROL, DROPEFFECT_MOVE, true, DROPEFFECT_COPY, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = Offering({{CF_TEXT, Text}, {CF_HDROP, Files}});
        ComPtr<TRecordingTarget> target(new TRecordingTarget);
        target->Verdict = c.verdict;
        target->Allow = c.allowOver;
        DWORD effect = 0;
        target->DragEnter(data.Get(), c.keys | MK_LBUTTON, Anywhere, &effect);
        target->DragOver(c.keys | MK_LBUTTON, Anywhere, &effect);
        EXPECT_EQ(effect, c.over);
        target->Drop(data.Get(), c.keys, Anywhere, &effect);
        EXPECT_EQ(effect, c.dropped);
    }
}

TEST_F(grdddTest, FailuresAreReportedAndTakeNothing) {
    auto data = Offering({{CF_TEXT, Text}});
    data->GivesEnumerator = false;
    ComPtr<TRecordingTarget> target(new TRecordingTarget);
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_FALSE(target->CanDrop());
    EXPECT_EQ(target->Drop(data.Get(), 0, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("Cannot get the format enumerator", 0), 0u) << reported[0];

    auto text = Offering({{CF_TEXT, Text}});
    target->Throw = true;
    target->DragEnter(text.Get(), MK_LBUTTON, Anywhere, &effect);
    EXPECT_EQ(target->Drop(text.Get(), 0, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(reported.back(), "hook failed");
}

TEST_F(grdddTest, TheDropSourceTellsItsHooksEveryFeedbackAndQuery) {
    struct Case {
        BOOL escape;
        DWORD keys;
        HRESULT expected;
    };
    ComPtr<TRecordingSource> source(new TRecordingSource);
    for (const Case& c :
         {Case{FALSE, MK_LBUTTON, S_OK}, Case{FALSE, 0, DRAGDROP_S_DROP}, Case{TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL}}) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.expected);
    }
    for (DWORD effect : {DWORD(DROPEFFECT_NONE), DWORD(DROPEFFECT_COPY), DWORD(DROPEFFECT_MOVE)}) {
        EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);
        EXPECT_EQ(source->Cancelled(), effect == DROPEFFECT_NONE);
    }
    EXPECT_EQ(source->Calls, (std::vector<std::string>{"query", "query", "query", "effect 0", "effect 1", "effect 2"}));
}
