#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "ExtCtrlsFixture.h"
#include "support/CanvasRecorder.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"

namespace {

const char* const BoldRed =
    "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\qc\\cf1\\b Bold red\\b0\\par\\pard second}";

void Load(TCustomRichEdit* Edit, const std::string& Bytes) {
    TStringStream stream(Bytes);
    Edit->Lines()->LoadFromStream(&stream);
}

std::string Save(TCustomRichEdit* Edit) {
    TStringStream stream;
    Edit->Lines()->SaveToStream(&stream);
    return stream.DataString();
}

bool IsRed(TColor C) {
    const COLORREF rgb = ColorToRGB(C);
    return GetRValue(rgb) > 160 && GetGValue(rgb) < 110 && GetBValue(rgb) < 110;
}
bool IsBlue(TColor C) {
    const COLORREF rgb = ColorToRGB(C);
    return GetBValue(rgb) > 160 && GetRValue(rgb) < 110 && GetGValue(rgb) < 110;
}

int Count(TCanvas* C, const TRect& R, bool (*Is)(TColor)) {
    int n = 0;
    for (Integer y = std::max(R.Top, 0); y < std::min<Integer>(R.Bottom, 200); ++y)
        for (Integer x = std::max(R.Left, 0); x < std::min<Integer>(R.Right, 300); ++x) n += Is(C->Pixels(x, y));
    return n;
}
bool NotWhite(TColor C) { return ColorToRGB(C) != 0xFFFFFF; }

// Twips of a pixel rectangle at 96 pixels an inch.
RECT Twips(const TRect& R) { return Rect(R.Left * 15, R.Top * 15, R.Right * 15, R.Bottom * 15); }

LRESULT FormatRange(TCustomRichEdit* Edit, TCanvas* Canvas, const TRect& Pixels, CHARRANGE Range = {0, -1}) {
    FORMATRANGE range;
    range.hdc = range.hdcTarget = Canvas->Handle();
    range.rc = range.rcPage = Twips(Pixels);
    range.chrg = Range;
    const LRESULT next = Edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
    Edit->Perform(EM_FORMATRANGE, 0, 0);
    return next;
}

}  // namespace

class RichEditTest : public ExtCtrlsTest {};

TEST_F(RichEditTest, LinesLoadAndSaveRtfUnlessPlainText) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, BoldRed);
    EXPECT_EQ(edit->Text(), "Bold red\r\nsecond");
    EXPECT_EQ(edit->Lines()->Count(), 2);
    ASSERT_EQ(edit->Content().Runs.size(), 2u);  // \pard keeps the character format: "second" is red
    EXPECT_TRUE(edit->Content().Runs[0].Format.Bold);
    EXPECT_FALSE(edit->Content().Runs[1].Format.Bold);
    EXPECT_EQ(edit->Content().Runs[0].Format.Color, std::optional<TColor>(0x0000FF));
    EXPECT_EQ(edit->Content().Paragraphs, (std::vector<TAlignment>{taCenter, taLeftJustify}));

    const std::string saved = Save(edit);
    auto other = MakeOwned<TRichEdit>(nullptr);
    Load(other.get(), saved);
    EXPECT_EQ(other->Content(), edit->Content());

    // Not RTF, or refused: the bytes show as they are.
    for (const std::string& raw : {std::string("{\\b not rtf"), "{\\rtf1 " + std::string(RtfMaxNesting, '{') + "x"}) {
        Load(edit, BoldRed);
        Load(edit, raw);
        EXPECT_EQ(edit->Text(), raw);
        ASSERT_EQ(edit->Content().Runs.size(), 1u);
        EXPECT_EQ(edit->Content().Runs[0].Format, TRichCharFormat{}) << "the formats before are gone";
    }

    edit->SetPlainText(true);
    Load(edit, BoldRed);
    EXPECT_EQ(edit->Text(), BoldRed);
    EXPECT_EQ(Save(edit), std::string(BoldRed) + "\r\n");
}

TEST_F(RichEditTest, TextChangesKeepTheFormatsAroundThem) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, "{\\rtf1 {\\b Bold} plain}");
    edit->SetSelStart(4);
    edit->SetSelText("er");  // typed at the end of the bold word: bold
    edit->Lines()->Add("next line");
    EXPECT_EQ(edit->Text(), "Bolder plain\r\nnext line");
    ASSERT_GE(edit->Content().Runs.size(), 2u);
    EXPECT_EQ(edit->Content().Runs[0].Length, 6u);
    EXPECT_TRUE(edit->Content().Runs[0].Format.Bold);
    EXPECT_FALSE(edit->Content().Runs[1].Format.Bold);
    edit->Clear();
    EXPECT_TRUE(edit->Content().Text.empty());
    EXPECT_TRUE(edit->Content().Runs.empty());
}

TEST_F(RichEditTest, SelectionMessagesCountAParagraphEndAsOneCharacter) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, "{\\rtf1 ab\\par cd\\par ef}");
    struct Case {
        CHARRANGE Range;
        Integer SelStart, SelLength;
        CHARRANGE Back;
    };
    const Case cases[] = {
        {{3, 5}, 4, 2, {3, 5}}, {{0, -1}, 0, 10, {0, 8}}, {{5, 3}, 4, 2, {3, 5}},
        {{2, 3}, 2, 2, {2, 3}}, {{7, 99}, 9, 1, {7, 8}},  {{-1, 0}, 9, 0, {7, 7}},
    };
    for (const Case& c : cases) {
        CHARRANGE range = c.Range;
        edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(edit->SelStart(), c.SelStart) << c.Range.cpMin << "," << c.Range.cpMax;
        EXPECT_EQ(edit->SelLength(), c.SelLength) << c.Range.cpMin << "," << c.Range.cpMax;
        CHARRANGE back{};
        edit->Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&back));
        EXPECT_EQ(back.cpMin, c.Back.cpMin);
        EXPECT_EQ(back.cpMax, c.Back.cpMax);
    }
}

TEST_F(RichEditTest, CharacterFormatsApplyToTheSelectionOrEverything) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, "{\\rtf1 abcdef}");
    CHARRANGE range{2, 4};
    edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT format;
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_SIZE | CFM_FACE;
    format.dwEffects = CFE_BOLD;
    format.yHeight = 280;
    std::strcpy(format.szFaceName, "Courier New");
    EXPECT_EQ(edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)), 1);
    const TRichText& content = edit->Content();
    ASSERT_EQ(content.Runs.size(), 3u);
    EXPECT_EQ(content.Runs[1], (TRichRun{2, {"Courier New", 28, std::nullopt, true, false, false, false}}));

    edit->SelAttributes()->SetColor(clBlue);
    EXPECT_EQ(edit->SelAttributes()->Color(), clBlue);
    edit->SelAttributes()->SetColor(clWindowText);  // the automatic colour again: the font's
    edit->Font()->SetColor(clGreen);
    EXPECT_EQ(edit->SelAttributes()->Color(), clGreen);

    format.dwMask = CFM_UNDERLINE;
    format.dwEffects = CFE_UNDERLINE;
    edit->Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    for (const TRichRun& run : edit->Content().Runs) EXPECT_TRUE(run.Format.Underline);
    format.cbSize = 8;
    EXPECT_EQ(edit->Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format)), 0);
}

TEST_F(RichEditTest, FormatRangeDrawsTheContentIntoTheRectangleAndAnswersWhereItStopped) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    edit->Font()->SetName("Arial");
    edit->Font()->SetSize(12);
    Load(edit, BoldRed);
    auto bitmap = WhiteBitmap(300, 200);
    TCanvas* canvas = bitmap->Canvas();
    TCanvasRecorder recorder(canvas);
    const TRect box = Rect(20, 10, 180, 90);
    EXPECT_EQ(FormatRange(edit, canvas, box), 15);  // all of "Bold red", the paragraph end and "second"
    EXPECT_GT(Count(canvas, box, IsRed), 20);
    EXPECT_EQ(Count(canvas, Rect(0, 0, 300, 200), NotWhite), Count(canvas, box, NotWhite)) << "nothing outside";
    // Centred: the first line's ink lies about the middle of the box.
    int left = 300, right = 0;
    for (Integer y = box.Top; y < box.Top + 16; ++y)
        for (Integer x = box.Left; x < box.Right; ++x)
            if (IsRed(canvas->Pixels(x, y))) left = std::min(left, x), right = std::max(right, x);
    EXPECT_NEAR((left + right) / 2, (box.Left + box.Right) / 2, 4);
    ASSERT_GE(recorder.Lines().size(), 1u);
    EXPECT_EQ(recorder.Lines()[0], "FormatRange 20,10,180,90 0,15 render next=15");

    // A box one line high: the first paragraph draws, the second neither draws nor counts.
    auto small = WhiteBitmap(300, 200);
    const TRect line = Rect(20, 10, 180, 35);
    EXPECT_EQ(FormatRange(edit, small->Canvas(), line), 9);
    EXPECT_GT(Count(small->Canvas(), line, IsRed), 20);
    EXPECT_EQ(Count(small->Canvas(), Rect(0, 35, 300, 200), NotWhite), 0);
    // From the second paragraph on: one line, at the top.
    auto rest = WhiteBitmap(300, 200);
    EXPECT_EQ(FormatRange(edit, rest->Canvas(), box, {9, -1}), 15);
    EXPECT_GT(Count(rest->Canvas(), Rect(box.Left, box.Top, box.Right, box.Top + 20), IsRed), 20);
    EXPECT_EQ(Count(rest->Canvas(), Rect(0, box.Top + 22, 300, 200), NotWhite), 0);
}

TEST_F(RichEditTest, BoldTextInksMoreThanPlainAndSelectedTextTakesItsColour) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    edit->Font()->SetName("Arial");
    edit->Font()->SetSize(14);
    int ink[2] = {};
    for (int bold = 0; bold < 2; ++bold) {
        Load(edit, bold ? "{\\rtf1\\b Heavy words}" : "{\\rtf1 Heavy words}");
        auto bitmap = WhiteBitmap(300, 200);
        FormatRange(edit, bitmap->Canvas(), Rect(0, 0, 300, 200));
        ink[bold] = Count(bitmap->Canvas(), Rect(0, 0, 300, 200), NotWhite);
    }
    EXPECT_GT(ink[1], ink[0] * 11 / 10);

    CHARRANGE all{0, -1};
    edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    edit->SelAttributes()->SetColor(clBlue);
    auto bitmap = WhiteBitmap(300, 200);
    FormatRange(edit, bitmap->Canvas(), Rect(0, 0, 300, 200));
    EXPECT_GT(Count(bitmap->Canvas(), Rect(0, 0, 300, 200), IsBlue), 20);
}

TEST_F(RichEditTest, TheDeviceContextsMapModeIsTextOnly) {
    auto bitmap = WhiteBitmap(10, 10);
    HDC dc = bitmap->Canvas()->Handle();
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, 2), 0);  // another mode is refused: logical units stay pixels
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetMapMode(nullptr), 0);
}

TEST_F(RichEditTest, TypingIntoTheShownEditKeepsTheFormatsAndComesBackAsRtf) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\b red}");
    Input::Click(edit, 5, 5);
    Input::Key(edit, VK_END);
    Input::Type(edit, "der");
    Input::Settle();
    EXPECT_EQ(edit->Text(), "redder");
    ASSERT_EQ(edit->Content().Runs.size(), 1u);
    EXPECT_TRUE(edit->Content().Runs[0].Format.Bold);
    auto other = MakeOwned<TRichEdit>(nullptr);
    Load(other.get(), Save(edit));
    EXPECT_EQ(other->Text(), "redder");
    EXPECT_EQ(other->Content(), edit->Content());
}

TEST_F(RichEditTest, ASelectionThatReallyChangesIsReportedOnceWhileTheEventMaskAsks) {
    auto* edit = Place<TRichEdit>(10, 10, 200, 100);
    Load(edit, "{\\rtf1 ab\\par cd}");
    std::vector<CHARRANGE> reports;
    edit->OnSelectionChange = [&](TObject* Sender) {
        CHARRANGE now{};
        static_cast<TRichEdit*>(Sender)->Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
        reports.push_back(now);
    };
    const auto select = [edit](LONG From, LONG To) {
        return [=] {
            CHARRANGE range{From, To};
            edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        };
    };
    const auto mask = [edit](DWORD Events) { return [=] { edit->Perform(EM_SETEVENTMASK, 0, Events); }; };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::size_t reports;
        CHARRANGE last;
    };
    const Step steps[] = {
        {"no mask", select(1, 3), 0, {}},
        {"mask on", mask(ENM_SELCHANGE), 0, {}},
        {"the same range", select(1, 3), 0, {}},
        {"another range", select(0, 2), 1, {0, 2}},
        {"reversed, the same", select(2, 0), 0, {}},
        {"click", [edit] { Input::Click(edit, 2, 5); }, 1, {0, 0}},
        {"End", [edit] { Input::Key(edit, VK_END); }, 1, {2, 2}},
        {"Shift+Right", [edit] { Input::Key(edit, VK_RIGHT, {ssShift}); }, 1, {2, 3}},
        {"typing over it", [edit] { Input::Type(edit, "x"); }, 1, {3, 3}},
        {"mask off", mask(0), 0, {}},
        {"Home unreported", [edit] { Input::Key(edit, VK_HOME); }, 0, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        reports.clear();
        step.act();
        Input::Settle();
        ASSERT_EQ(reports.size(), step.reports);
        if (!reports.empty()) {
            EXPECT_EQ(reports.back().cpMin, step.last.cpMin);
            EXPECT_EQ(reports.back().cpMax, step.last.cpMax);
        }
    }
    EXPECT_EQ(edit->Text(), "abxcd");
}
