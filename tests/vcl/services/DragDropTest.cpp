// OLE drag and drop through the scripted drag: the events Qt's drag delivers reach registered windows'
// targets with MK_ key states and screen points, and the source hears every step.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/FormFixture.h"
#include "support/StartUpSetAside.h"
#include "vcl/ActiveX.h"
#include "vcl/ShellAPI.h"

namespace {

struct TTargetCall {
    std::string What;
    DWORD Keys = 0;
    TPoint Screen;
};

// A target that takes every drag with Answer and keeps what it was told.
class TRecordingTarget : public TInterfacedObject<IDropTarget> {
public:
    explicit TRecordingTarget(DWORD AnswerEffect = DROPEFFECT_MOVE) : Answer(AnswerEffect) {}

    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
        Entered = pDataObj;
        return Note("enter", grfKeyState, pt, pdwEffect);
    }
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
        return Note("over", grfKeyState, pt, pdwEffect);
    }
    HRESULT DragLeave() override {
        Calls.push_back({"leave", 0, {}});
        return S_OK;
    }
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
        Dropped = pDataObj;
        return Note("drop", grfKeyState, pt, pdwEffect);
    }

    std::string Sequence() const {
        std::string s;
        for (const TTargetCall& c : Calls) s += (s.empty() ? "" : " ") + c.What;
        return s;
    }

    DWORD Answer;
    DWORD OfferedEffects = 0;
    std::vector<TTargetCall> Calls;
    ComPtr<IDataObject> Entered;
    ComPtr<IDataObject> Dropped;

private:
    HRESULT Note(const char* What, DWORD Keys, POINTL pt, DWORD* pdwEffect) {
        Calls.push_back({What, Keys, Point(pt.x, pt.y)});
        OfferedEffects = *pdwEffect;
        *pdwEffect = Answer;
        return S_OK;
    }
};

// A source that ends the drag as OLE's standard source does and keeps every feedback.
class TRecordingSource : public TInterfacedObject<IDropSource> {
public:
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override {
        ++Queries;
        if (fEscapePressed) return DRAGDROP_S_CANCEL;
        return (grfKeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DWORD dwEffect) override {
        Feedback.push_back(dwEffect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

    int Queries = 0;
    std::vector<DWORD> Feedback;
};

// A text in CF_TEXT only.
class TTextSource : public TInterfacedObject<IDataObject> {
public:
    explicit TTextSource(std::string Text) : text_(std::move(Text)) {}

    HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
        *m = {};
        if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = GlobalAlloc(GHND, text_.size() + 1);
        std::memcpy(GlobalLock(m->hGlobal), text_.c_str(), text_.size() + 1);
        GlobalUnlock(m->hGlobal);
        return S_OK;
    }
    HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(FORMATETC* f) override {
        return f && f->cfFormat == CF_TEXT && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
        *e = nullptr;
        return E_NOTIMPL;
    }
    HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::string text_;
};

// The text a data object holds in a format, "" when it gives none.
std::string TextOf(IDataObject* Data, CLIPFORMAT Format) {
    FORMATETC f{Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    if (!Data || Data->GetData(&f, &m) != S_OK) return {};
    std::string bytes(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    return bytes;
}

class DragDropTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        left = Place<TPanel>(10, 10, 150, 100);
        right = Place<TPanel>(200, 10, 150, 100);
        Application->ProcessMessages();
    }
    void TearDown() override {
        RevokeDragDrop(left->Handle());
        RevokeDragDrop(right->Handle());
        FormFixture::TearDown();
        OleUninitialize();
    }

    static TPoint At(TControl* C, Integer X, Integer Y) { return C->ClientToScreen(Point(X, Y)); }

    // A drag of a text from a point of one panel along Steps.
    HRESULT Drag(const std::vector<TDragStep>& Steps, DWORD OkEffects, DWORD& Effect,
                 TRecordingSource* Source = nullptr) {
        ComPtr<TRecordingSource> source(Source ? Source : new TRecordingSource);
        ComPtr<IDataObject> data(new TTextSource("dragged"));
        SetDragScriptForTest(Steps);
        return DoDragDrop(data.Get(), source.Get(), OkEffects, &Effect);
    }

    TPanel* left = nullptr;
    TPanel* right = nullptr;
};

}  // namespace

TEST_F(DragDropTest, TargetsGetKeyStatesScreenPointsAndTheSourcesOwnDataObject) {
    ComPtr<TRecordingTarget> target(new TRecordingTarget(DROPEFFECT_COPY));
    ASSERT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
    ComPtr<TRecordingSource> source(new TRecordingSource);
    ComPtr<IDataObject> data(new TTextSource("dragged"));
    SetDragScriptForTest({{At(left, 5, 5)},
                          {At(right, 20, 30), MK_LBUTTON | MK_CONTROL},
                          {At(right, 40, 50), MK_LBUTTON | MK_SHIFT | MK_ALT},
                          {At(right, 40, 50), MK_CONTROL}});
    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(target->Sequence(), "enter over over over drop");
    const std::vector<TTargetCall>& calls = target->Calls;
    EXPECT_EQ(calls[0].Keys, DWORD(MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ(calls[0].Screen, At(right, 20, 30));
    EXPECT_EQ(calls[2].Keys, DWORD(MK_LBUTTON | MK_SHIFT | MK_ALT));
    EXPECT_EQ(calls[2].Screen, At(right, 40, 50));
    EXPECT_EQ(calls[4].Keys, DWORD(MK_CONTROL));
    EXPECT_EQ(target->OfferedEffects, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(target->Entered.Get(), data.Get());
    EXPECT_EQ(target->Dropped.Get(), data.Get());
    EXPECT_EQ(source->Queries, 4);
    EXPECT_EQ(source->Feedback,
              (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_COPY, DROPEFFECT_COPY}));
}

TEST_F(DragDropTest, AnEffectTheSourceDoesNotAllowBecomesOneItDoes) {
    struct Case {
        DWORD answer;
        DWORD allowed;
        DWORD expected;
    };
    for (const Case& c :
         {Case{DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY},
          Case{DROPEFFECT_MOVE, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
          Case{DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
          Case{DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE}}) {
        SCOPED_TRACE(c.answer * 10 + c.allowed);
        ComPtr<TRecordingTarget> target(new TRecordingTarget(c.answer));
        ASSERT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
        auto* source = new TRecordingSource;
        DWORD effect = 0;
        EXPECT_EQ(Drag({{At(right, 5, 5)}, {At(right, 5, 5), 0}}, c.allowed, effect, source), DRAGDROP_S_DROP);
        EXPECT_EQ(effect, c.expected);
        RevokeDragDrop(right->Handle());
    }
}

TEST_F(DragDropTest, EndingWithoutATakerCancels) {
    ComPtr<TRecordingTarget> refusing(new TRecordingTarget(DROPEFFECT_NONE));
    ASSERT_EQ(RegisterDragDrop(right->Handle(), refusing.Get()), S_OK);
    struct Case {
        const char* name;
        std::vector<TDragStep> steps;
        const char* targetHeard;
    };
    const Case cases[] = {
        {"released over a window without a target", {{At(left, 5, 5)}, {At(left, 9, 9), 0}}, ""},
        {"released over a target that refuses", {{At(right, 5, 5)}, {At(right, 5, 5), 0}}, "enter over over leave"},
        {"escape over a target", {{At(right, 5, 5)}, {At(right, 6, 6), MK_LBUTTON, true}}, "enter over leave"},
        {"a script that ends while dragging", {{At(right, 5, 5)}}, "enter over leave"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        refusing->Calls.clear();
        DWORD effect = 99;
        EXPECT_EQ(Drag(c.steps, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_EQ(refusing->Sequence(), c.targetHeard);
    }
}

TEST_F(DragDropTest, MovingBetweenTargetsLeavesTheFirst) {
    ComPtr<TRecordingTarget> first(new TRecordingTarget);
    ComPtr<TRecordingTarget> second(new TRecordingTarget);
    ASSERT_EQ(RegisterDragDrop(left->Handle(), first.Get()), S_OK);
    ASSERT_EQ(RegisterDragDrop(right->Handle(), second.Get()), S_OK);
    DWORD effect = 0;
    EXPECT_EQ(Drag({{At(left, 5, 5)}, {At(right, 5, 5)}, {At(right, 5, 5), 0}}, DROPEFFECT_MOVE, effect),
              DRAGDROP_S_DROP);
    EXPECT_EQ(first->Sequence(), "enter over leave");
    EXPECT_EQ(second->Sequence(), "enter over over drop");
}

TEST_F(DragDropTest, TheReleaseQtRepostsAfterADragReachesNoControl) {
    ComPtr<TRecordingTarget> target(new TRecordingTarget);
    ASSERT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
    int releases = 0;
    right->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++releases; };
    DWORD effect = 0;
    EXPECT_EQ(Drag({{At(right, 5, 5)}, {At(right, 5, 5), 0}}, DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    Application->ProcessMessages();
    EXPECT_EQ(releases, 0);
}

TEST_F(DragDropTest, RegistrationsAreKeyedByWindowAndEndWithIt) {
    ComPtr<TRecordingTarget> target(new TRecordingTarget);
    EXPECT_EQ(RegisterDragDrop(nullptr, target.Get()), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(right->Handle(), nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
    EXPECT_EQ(target->RefCount(), 2u);
    EXPECT_EQ(RegisterDragDrop(right->Handle(), target.Get()), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RevokeDragDrop(right->Handle()), S_OK);
    EXPECT_EQ(target->RefCount(), 1u);
    EXPECT_EQ(RevokeDragDrop(right->Handle()), DRAGDROP_E_NOTREGISTERED);

    // A revoked window takes no drags.
    DWORD effect = 0;
    EXPECT_EQ(Drag({{At(right, 5, 5)}, {At(right, 5, 5), 0}}, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(target->Sequence(), "");

    // The window going takes its registration with it.
    auto* doomed = Place<TPanel>(10, 150, 50, 50);
    ASSERT_EQ(RegisterDragDrop(doomed->Handle(), target.Get()), S_OK);
    EXPECT_EQ(target->RefCount(), 2u);
    doomed->Free();
    Application->ProcessMessages();
    EXPECT_EQ(target->RefCount(), 1u);
}

TEST_F(DragDropTest, NothingRunsBeforeOleIsInitialised) {
    OleUninitialize();
    OleStartUpSetAside startUp;
    ComPtr<TRecordingTarget> target(new TRecordingTarget);
    EXPECT_EQ(RegisterDragDrop(right->Handle(), target.Get()), CO_E_NOTINITIALIZED);
    DWORD effect = 99;
    EXPECT_EQ(Drag({{At(right, 5, 5)}, {At(right, 5, 5), 0}}, DROPEFFECT_MOVE, effect), CO_E_NOTINITIALIZED);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
}

TEST_F(DragDropTest, WithoutAScriptTheHeadlessDragCancelsAtOnce) {
    ComPtr<TRecordingSource> source(new TRecordingSource);
    ComPtr<IDataObject> data(new TTextSource("x"));
    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(data.Get(), source.Get(), DROPEFFECT_MOVE, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(source->Queries, 0);
}

TEST_F(DragDropTest, AnotherProgramsDragOffersOurFormats) {
    ComPtr<TRecordingTarget> target(new TRecordingTarget(DROPEFFECT_COPY));
    ASSERT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
    const std::vector<TDragStep> steps{{At(right, 5, 5)}, {At(right, 5, 5), 0}};

    // Text: Windows-1252 and wide, zero-terminated.
    EXPECT_EQ(RunForeignDragForTest({{"text/plain", "caf\xC3\xA9 \xE2\x82\xAC"}}, DROPEFFECT_COPY, steps),
              DROPEFFECT_COPY);
    ASSERT_TRUE(target->Dropped);
    EXPECT_EQ(TextOf(target->Dropped.Get(), CF_TEXT), std::string("caf\xE9 \x80", 6) + '\0');
    EXPECT_EQ(TextOf(target->Dropped.Get(), CF_UNICODETEXT), std::string("c\0a\0f\0\xE9\0 \0\xAC\x20\0\0", 14));
    EXPECT_EQ(TextOf(target->Dropped.Get(), CF_HDROP), "");

    // Rich text travels as text/rtf.
    EXPECT_EQ(RunForeignDragForTest({{"text/rtf", "{\\rtf1 x}"}}, DROPEFFECT_COPY, steps), DROPEFFECT_COPY);
    EXPECT_EQ(TextOf(target->Dropped.Get(), static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"))),
              std::string("{\\rtf1 x}") + '\0');

    // A file manager's drag: the files only, no text.
    EXPECT_EQ(RunForeignDragForTest({{"text/uri-list", "file:///tmp/a%20b.txt\r\nfile:///tmp/c\r\n"},
                                     {"text/plain", "/tmp/a b.txt\n/tmp/c"}},
                                    DROPEFFECT_COPY, steps),
              DROPEFFECT_COPY);
    EXPECT_EQ(TextOf(target->Dropped.Get(), CF_TEXT), "");
    const std::string files = TextOf(target->Dropped.Get(), CF_HDROP);
    ASSERT_GE(files.size(), sizeof(DROPFILES));
    DROPFILES header;
    std::memcpy(&header, files.data(), sizeof header);
    EXPECT_TRUE(header.fWide);
    std::u16string names(reinterpret_cast<const char16_t*>(files.data() + header.pFiles),
                         (files.size() - header.pFiles) / 2);
    EXPECT_EQ(names, std::u16string(u"/tmp/a b.txt\0/tmp/c\0\0", 21));
}

TEST_F(DragDropTest, ADragRestingOverATargetIsAskedAgainEvery50MsUntilItEnds) {
    TTestClock clock;
    TManualTimerService timers(clock);
    // Lets time pass at the first drag over, as a user holding the mouse still does.
    class TRestingTarget : public TRecordingTarget {
    public:
        UInt64 Rest = 0;
        TManualTimerService* Timers = nullptr;
        HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
            const HRESULT result = TRecordingTarget::DragOver(grfKeyState, pt, pdwEffect);
            if (const UInt64 rest = std::exchange(Rest, 0)) Timers->Advance(rest);
            return result;
        }
    };
    struct Case {
        const char* name;
        UInt64 rest;
        const char* heard;
    };
    const Case cases[] = {
        {"resting 120 ms: two more", 120, "enter over over over over drop"},
        {"resting 49 ms: none", 49, "enter over over drop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<TRestingTarget> target(new TRestingTarget);
        target->Rest = c.rest;
        target->Timers = &timers;
        ASSERT_EQ(RegisterDragDrop(right->Handle(), target.Get()), S_OK);
        DWORD effect = 0;
        EXPECT_EQ(Drag({{At(right, 7, 8)}, {At(right, 7, 8), 0}}, DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
        EXPECT_EQ(target->Sequence(), c.heard);
        for (const TTargetCall& call : target->Calls) {
            if (call.What == "leave") continue;
            EXPECT_EQ(call.Screen, At(right, 7, 8));
        }
        // Nothing is asked once the drag is over.
        EXPECT_EQ(timers.ActiveCount(), 0);
        RevokeDragDrop(right->Handle());
    }
}
