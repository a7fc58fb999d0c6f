// The OLE text layer of the edit controls by its interfaces: the data object and its enumerator, the
// reader of dropped data, the drop target's effects and hooks, the drop source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProEddd.h"
#include "TestDataObject.h"
#include "vcl/Forms.h"

using namespace ProEddd;

namespace {

FORMATETC Format(CLIPFORMAT Id, DWORD Tymed = TYMED_HGLOBAL, DWORD Aspect = DVASPECT_CONTENT) {
    return {Id, nullptr, Aspect, -1, Tymed};
}

std::string BlockOf(IDataObject* Data, CLIPFORMAT Id) {
    FORMATETC f = Format(Id);
    STGMEDIUM m{};
    if (Data->GetData(&f, &m) != S_OK) return "<none>";
    EXPECT_EQ(m.tymed, TYMED_HGLOBAL);
    EXPECT_EQ(m.pUnkForRelease, nullptr);
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

// Keeps what the hooks were told, and lowers the effects as told.
class TRecordingDropTarget : public TPEDropTarget {
public:
    std::vector<std::string> Calls;
    DWORD TextVerdict = 0xFFFF;  // 0xFFFF: leave the effect as it comes
    DWORD FilesVerdict = 0xFFFF;
    bool Allow = true;
    bool Throw = false;

protected:
    void DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) override {
        Calls.push_back("text " + Text + " @" + std::to_string(Pt.X) + "," + std::to_string(Pt.Y));
        if (Throw) throw Exception("hook failed");
        if (TextVerdict != 0xFFFF) Effect = TextVerdict;
    }
    void DropFiles(TPoint, TStrings* Files, DWORD& Effect) override {
        Calls.push_back("files " + Files->CommaText());
        if (FilesVerdict != 0xFFFF) Effect = FilesVerdict;
    }
    void DragMouseMove(TPoint, bool& AllowDrop) override {
        Calls.push_back("move");
        AllowDrop = Allow;
    }
};

class ProEdddTest : public ::testing::Test {
protected:
    void SetUp() override {
        blocksBefore = GlobalBlockCountForTest();
        Application->OnException = [this](TObject*, Exception* E) { reported.push_back(E->Message()); };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        SetOpenClipboardFailsForTest(false);
        SetGlobalAllocFailsForTest(false);
        EXPECT_EQ(GlobalBlockCountForTest(), blocksBefore) << "a storage medium was not released";
    }

    static ComPtr<TTestDataObject> Offering(std::vector<TTestDataObject::TBlock> Blocks) {
        return ComPtr<TTestDataObject>(new TTestDataObject(std::move(Blocks)));
    }

    std::size_t blocksBefore = 0;
    std::vector<std::string> reported;
};

const POINTL Anywhere{100, 200};

}  // namespace

TEST_F(ProEdddTest, TheDataObjectOffersItsTextAsAnsiAndWideOnly) {
    ComPtr<IDataObject> data(new TSourceDataObject("a\x80z", "{\\rtf1}"));
    struct Case {
        const char* name;
        FORMATETC format;
        HRESULT expected;
    };
    const CLIPFORMAT rich = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
    const Case cases[] = {
        {"text", Format(CF_TEXT), S_OK},
        {"wide text", Format(CF_UNICODETEXT), S_OK},
        {"text in memory or a stream", Format(CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
        {"text in a stream", Format(CF_TEXT, TYMED_ISTREAM), DV_E_FORMATETC},
        {"an icon of the text", Format(CF_TEXT, TYMED_HGLOBAL, DVASPECT_ICON), DV_E_FORMATETC},
        {"files", Format(CF_HDROP), DV_E_FORMATETC},
        {"rich text while the switch is off", Format(rich), DV_E_FORMATETC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FORMATETC f = c.format;
        EXPECT_EQ(data->QueryGetData(&f), c.expected);
        STGMEDIUM m{};
        m.tymed = 77;
        EXPECT_EQ(data->GetData(&f, &m), c.expected == S_OK ? S_OK : DV_E_FORMATETC);
        if (c.expected != S_OK) {
            EXPECT_EQ(m.tymed, TYMED_NULL);
        }
        ReleaseStgMedium(&m);
    }
    EXPECT_EQ(BlockOf(data.Get(), CF_TEXT), std::string("a\x80z\0", 4));
    // The wide form is the code page's conversion of the ANSI text, zero-terminated: 2 x 3 + 2 bytes.
    EXPECT_EQ(BlockOf(data.Get(), CF_UNICODETEXT), std::string("a\0\xAC\x20z\0\0\0", 8));

    SetGlobalAllocFailsForTest(true);
    FORMATETC f = Format(CF_TEXT);
    STGMEDIUM m{};
    EXPECT_EQ(data->GetData(&f, &m), DV_E_FORMATETC);
    SetGlobalAllocFailsForTest(false);
}

TEST_F(ProEdddTest, TheDataObjectRefusesEverythingElse) {
    ComPtr<IDataObject> data(new TSourceDataObject("x", ""));
    FORMATETC f = Format(CF_TEXT);
    STGMEDIUM m{};
    EXPECT_EQ(data->GetDataHere(&f, &m), DV_E_FORMATETC);
    EXPECT_EQ(data->SetData(&f, &m, TRUE), DV_E_FORMATETC);
    DWORD connection = 0;
    EXPECT_EQ(data->DAdvise(&f, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(data->DUnadvise(1), OLE_E_ADVISENOTSUPPORTED);
    IEnumSTATDATA* advises = reinterpret_cast<IEnumSTATDATA*>(&f);
    EXPECT_EQ(data->EnumDAdvise(&advises), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(advises, nullptr);
    FORMATETC out = Format(CF_TEXT);
    out.ptd = reinterpret_cast<DVTARGETDEVICE*>(&f);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&f, &out), E_NOTIMPL);
    EXPECT_EQ(out.ptd, nullptr);
    ComPtr<IEnumFORMATETC> formats;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, formats.ReleaseAndGetAddressOf()), E_NOTIMPL);
    EXPECT_FALSE(formats);
    EXPECT_EQ(data->GetData(&f, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->QueryGetData(nullptr), E_INVALIDARG);
}

TEST_F(ProEdddTest, TheEnumeratorListsWhatTheObjectGivesAndClonesKeepTheirPlace) {
    ComPtr<IDataObject> data(new TSourceDataObject("x", "{\\rtf1}"));
    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.ReleaseAndGetAddressOf()), S_OK);
    // With the rich-text switch off the list holds no format QueryGetData refuses.
    EXPECT_EQ(Listed(formats.Get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT}));

    FORMATETC entries[3]{};
    ULONG fetched = 9;
    EXPECT_EQ(formats->Reset(), S_OK);
    EXPECT_EQ(formats->Next(3, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(entries[1].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(entries[1].lindex, -1);
    EXPECT_EQ(entries[1].tymed, TYMED_HGLOBAL);
    EXPECT_EQ(formats->Next(1, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    formats->Reset();
    EXPECT_EQ(formats->Skip(1), S_OK);
    ComPtr<IEnumFORMATETC> clone;
    ASSERT_EQ(formats->Clone(clone.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(Listed(clone.Get()), (std::vector<CLIPFORMAT>{CF_UNICODETEXT}));
    EXPECT_EQ(Listed(formats.Get()), (std::vector<CLIPFORMAT>{CF_UNICODETEXT}));
    formats->Reset();
    EXPECT_EQ(formats->Skip(5), S_FALSE);
    EXPECT_EQ(Listed(formats.Get()), std::vector<CLIPFORMAT>{});
    EXPECT_EQ(formats->Skip(0xFFFFFFFF), S_FALSE);
}

TEST_F(ProEdddTest, TheReaderTakesTextAndFilesFromAForeignObject) {
    auto data = Offering({{CF_TEXT, std::string("hello\0junk", 10)},
                          {CF_HDROP, DropFilesBlock(WideBytes(std::string("/tmp/a\0/tmp/b\xE9\0\0", 16)), true)}});
    data->OwnsMedia = true;
    {
        TEnumFormats formats(data.Get());
        EXPECT_TRUE(formats.HasText());
        EXPECT_EQ(formats.Count(), 1);
        EXPECT_TRUE(formats.HasFiles());
        EXPECT_EQ(formats.Count(), 2);
        EXPECT_FALSE(formats.HasRTF());
        EXPECT_FALSE(formats.HasFormat(CF_UNICODETEXT));
        EXPECT_FALSE(formats.Valid());
        EXPECT_EQ(formats.Text(), "hello");
        ASSERT_TRUE(formats.ReadFiles());
        EXPECT_EQ(formats.FileList()->CommaText(), "/tmp/a,/tmp/b\xE9");
        EXPECT_EQ(formats.GetFormatText(CF_UNICODETEXT), "");
    }
    EXPECT_EQ(data->RefCount(), 1u);  // every medium went back to its owner
}

TEST_F(ProEdddTest, TheReaderStaysInsideMalformedBlocks) {
    struct Case {
        const char* name;
        std::string block;
        const char* files;  // comma text; nullptr: no file read
        const char* text;
    };
    const std::string ansiNames("one\0two\0\0", 9);
    const Case cases[] = {
        {"ANSI names", DropFilesBlock(ansiNames, false), "one,two", ""},
        {"ANSI bytes kept as they are", DropFilesBlock(std::string("\x81\xE9\x9D\0\0", 5), false), "\x81\xE9\x9D", ""},
        {"wide names", DropFilesBlock(WideBytes(ansiNames), true), "one,two", ""},
        {"no end marker", DropFilesBlock(std::string("one\0two\0", 8), false), "one,two", ""},
        {"last name unterminated", DropFilesBlock(std::string("one\0tw", 6), false), "one", ""},
        {"wide name cut in half", DropFilesBlock(WideBytes("ab") + "c", true), "", ""},
        {"offset past the block", DropFilesBlock(ansiNames, false, 4000), "", ""},
        {"offset into the header", DropFilesBlock("", false, 4), "", ""},
        {"header cut short", std::string(12, '\x14'), "", ""},
        {"empty block", "", "", ""},
        {"empty list", DropFilesBlock(std::string(2, '\0'), true), "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = Offering({{CF_HDROP, c.block}, {CF_TEXT, "unterminated"}});
        TEnumFormats formats(data.Get());
        EXPECT_EQ(formats.ReadFiles(), *c.files != '\0');
        EXPECT_EQ(formats.FileList()->CommaText(), c.files);
        EXPECT_EQ(formats.Text(), "unterminated");
    }
}

TEST_F(ProEdddTest, RichTextIsRegisteredOnlyWhileTheClipboardOpens) {
    FinalizeProEddd();
    EXPECT_EQ(RichTextFormat(), 0);
    auto data = Offering({{CF_TEXT, std::string("x", 2)}});

    SetOpenClipboardFailsForTest(true);
    { TEnumFormats formats(data.Get()); }
    EXPECT_EQ(RichTextFormat(), 0);
    EXPECT_FALSE(TEnumFormats(data.Get()).HasRTF());

    SetOpenClipboardFailsForTest(false);
    HWND other = reinterpret_cast<HWND>(std::uintptr_t{0x7070});
    ASSERT_TRUE(OpenClipboard(other));  // held by another window
    { TEnumFormats formats(data.Get()); }
    EXPECT_EQ(RichTextFormat(), 0);
    CloseClipboard();

    { TEnumFormats formats(data.Get()); }
    EXPECT_EQ(RichTextFormat(), RegisterClipboardFormat("rich text format"));
    EXPECT_TRUE(OpenClipboard(other));  // closed again at once
    CloseClipboard();
    EXPECT_FALSE(RichTextDrops());
    FinalizeProEddd();
    EXPECT_EQ(RichTextFormat(), 0);
}

TEST_F(ProEdddTest, ADropTargetWithoutAFormatEnumeratorReportsAndCannotDrop) {
    auto data = Offering({{CF_TEXT, std::string("x", 2)}});
    data->GivesEnumerator = false;
    try {
        TEnumFormats formats(data.Get());
        ADD_FAILURE() << "no assertion failure";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message().rfind("Cannot get the format enumerator (", 0), 0u) << e.Message();
    }

    ComPtr<TRecordingDropTarget> target(new TRecordingDropTarget);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_FALSE(target->CanDrop());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("Cannot get the format enumerator", 0), 0u);
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(data.Get(), 0, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(target->Calls.empty());
}

TEST_F(ProEdddTest, TheEffectComesFromTheKeyStateAlone) {
    struct Case {
        const char* name;
        std::vector<TTestDataObject::TBlock> blocks;
        DWORD keys;
        DWORD expected;
    };
    const std::string text("t", 2);
    const std::string files = DropFilesBlock(std::string("f\0\0", 3), false);
    const Case cases[] = {
        {"text", {{CF_TEXT, text}}, MK_LBUTTON, DROPEFFECT_MOVE},
        {"text with Control", {{CF_TEXT, text}}, MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY},
        {"text with Shift", {{CF_TEXT, text}}, MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE},
        {"files with Control and Shift", {{CF_HDROP, files}}, MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY},
        {"wide text only", {{CF_UNICODETEXT, WideBytes(text)}}, MK_LBUTTON, DROPEFFECT_NONE},
        {"nothing", {}, MK_LBUTTON | MK_CONTROL, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = Offering(c.blocks);
        ComPtr<TRecordingDropTarget> target(new TRecordingDropTarget);
        for (DWORD allowed : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_COPY | DROPEFFECT_MOVE}) {
            DWORD effect = allowed;
            target->DragEnter(data.Get(), c.keys, Anywhere, &effect);
            EXPECT_EQ(effect, c.expected);
            effect = allowed;
            target->DragOver(c.keys, Anywhere, &effect);
            EXPECT_EQ(effect, c.expected);
            effect = allowed;
            target->Drop(data.Get(), c.keys, Anywhere, &effect);
            EXPECT_EQ(effect, c.expected);
        }
    }
}

TEST_F(ProEdddTest, DraggingOverAsksTheHookEvenWhenNothingCanDrop) {
    auto data = Offering({{CF_TEXT, std::string("t", 2)}});
    ComPtr<TRecordingDropTarget> target(new TRecordingDropTarget);
    DWORD effect = 0;
    target->DragEnter(data.Get(), MK_LBUTTON, Anywhere, &effect);
    target->Allow = false;
    effect = DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, Anywhere, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    auto nothing = Offering({});
    target->DragEnter(nothing.Get(), MK_LBUTTON, Anywhere, &effect);
    target->Allow = true;
    target->DragOver(MK_LBUTTON, Anywhere, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(target->Calls, (std::vector<std::string>{"move", "move"}));
    EXPECT_EQ(target->DragLeave(), S_OK);
}

TEST_F(ProEdddTest, ADropGivesTextThenFilesAndAnswersTheStrongestVerdict) {
    const std::string files = DropFilesBlock(std::string("/a\0/b\0\0", 7), false);
    struct Case {
        const char* name;
        DWORD keys;
        DWORD textVerdict;
        DWORD filesVerdict;
        DWORD expected;
    };
    const DWORD keep = 0xFFFF;
    const Case cases[] = {
        {"as the keys say", 0, keep, keep, DROPEFFECT_MOVE},
        {"as the keys say, with Control", MK_CONTROL, keep, keep, DROPEFFECT_COPY},
        {"the text hook copies, the files hook moves", 0, DROPEFFECT_COPY, keep, DROPEFFECT_MOVE},
        {"both copy", 0, DROPEFFECT_COPY, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"both refuse", 0, DROPEFFECT_NONE, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {"one refuses", 0, DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"a hook cannot raise a copy to a move", MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_LINK, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = Offering({{CF_TEXT, std::string("abc\0", 4)}, {CF_HDROP, files}});
        ComPtr<TRecordingDropTarget> target(new TRecordingDropTarget);
        target->TextVerdict = c.textVerdict;
        target->FilesVerdict = c.filesVerdict;
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragEnter(data.Get(), c.keys | MK_LBUTTON, Anywhere, &effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(data.Get(), c.keys, Anywhere, &effect), S_OK);
        EXPECT_EQ(effect, c.expected);
        EXPECT_EQ(target->Calls, (std::vector<std::string>{"text abc @100,200", "files /a,/b"}));
    }
}

TEST_F(ProEdddTest, AFailingHookIsReportedAndTheDropTakesNothing) {
    auto data = Offering({{CF_TEXT, std::string("abc\0", 4)}});
    ComPtr<TRecordingDropTarget> target(new TRecordingDropTarget);
    target->Throw = true;
    DWORD effect = DROPEFFECT_MOVE;
    target->DragEnter(data.Get(), MK_LBUTTON, Anywhere, &effect);
    EXPECT_EQ(target->Drop(data.Get(), 0, Anywhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(reported, (std::vector<std::string>{"hook failed"}));
}

TEST_F(ProEdddTest, TheDropSourceEndsAtTheReleaseAndCancelsAtEscape) {
    struct Case {
        BOOL escape;
        DWORD keys;
        HRESULT expected;
    };
    ComPtr<TPEDropSource> source(new TPEDropSource);
    for (const Case& c : {Case{FALSE, MK_LBUTTON, S_OK}, Case{FALSE, MK_LBUTTON | MK_CONTROL, S_OK},
                          Case{FALSE, 0, DRAGDROP_S_DROP}, Case{FALSE, MK_RBUTTON, DRAGDROP_S_DROP},
                          Case{TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL}, Case{TRUE, 0, DRAGDROP_S_CANCEL}}) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.expected);
    }
    EXPECT_FALSE(source->Cancelled());
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(source->Cancelled());
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_FALSE(source->Cancelled());
}
