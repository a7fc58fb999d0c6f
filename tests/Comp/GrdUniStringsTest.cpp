// The wide-string list: text splitting and joining, the case-blind search under the unit's compare
// function, objects travelling with their strings, update brackets, and the single-byte adapter's '?'.
#include <gtest/gtest.h>

#include <vector>

#include "GrdUni.h"
#include "GrdUniTestList.h"

using namespace GrdUni;

namespace {

std::vector<WideString> Strings(const TWideStrings& List) {
    std::vector<WideString> out;
    for (Integer i = 0; i < List.Count(); ++i) out.push_back(List.Strings(i));
    return out;
}

class GrdUniStringsTest : public ::testing::Test {};

TEST_F(GrdUniStringsTest, TextSplitsAtEveryLineBreakAndCrLfCountsOnce) {
    struct Case {
        WideString Text;
        std::vector<WideString> Lines;
    };
    const Case cases[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\r\n", {u"a"}},
        {u"a\r\nb", {u"a", u"b"}},
        {u"a\n\rb", {u"a", u"", u"b"}},
        {u"a\rb\nc\vd\fe", {u"a", u"b", u"c", u"d", u"e"}},
        {u"\u65E5\u2028\u20AC\u2029x", {u"\u65E5", u"\u20AC", u"x"}},
        {u"\r\n\r\n", {u"", u""}},
        {u"\r\r\n", {u"", u""}},
        {u"tail\u2029", {u"tail"}},
        {WideString(u"a\0b", 3), {WideString(u"a\0b", 3)}},
        {u"\xD800\n\xDC00", {u"\xD800", u"\xDC00"}},
    };
    for (const Case& c : cases) {
        TVectorWideStrings list;
        list.SetText(c.Text);
        EXPECT_EQ(Strings(list), c.Lines) << "case " << (&c - cases);
        TVectorWideStrings again;
        again.SetText(list.Text());
        EXPECT_TRUE(again.Equals(&list)) << "case " << (&c - cases);
    }
}

TEST_F(GrdUniStringsTest, TextJoinsWithCrLfAndTheBufferEndsInZero) {
    TVectorWideStrings list;
    EXPECT_EQ(list.Text(), u"");
    list.Add(u"\u65E5");
    list.Add(u"");
    EXPECT_EQ(list.Text(), u"\u65E5\r\n\r\n");
    const auto buffer = list.GetText();
    EXPECT_EQ(WideString(buffer.get()), u"\u65E5\r\n\r\n");
    list.SetText(u"x\u2028y");
    EXPECT_EQ(Strings(list), (std::vector<WideString>{u"x", u"y"}));
}

TEST_F(GrdUniStringsTest, IndexOfIgnoresCaseAndFindsTheFirst) {
    TVectorWideStrings list;
    list.SetText(u"Alpha\r\n\u00C9t\u00E9\r\nalpha\r\n\u65E5\u672C\r\n");
    struct Case {
        WideString Sought;
        Integer Index;
    };
    const Case cases[] = {
        {u"alpha", 0},   {u"ALPHA", 0}, {u"\u00E9T\u00C9", 1}, {u"\u65E5\u672C", 3}, {u"alph", -1},
        {u"alpha ", -1}, {u"", -1},     {u"\u65E5", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(list.IndexOf(c.Sought), c.Index) << "case " << (&c - cases);
    EXPECT_EQ(WideCompare()(LOCALE_USER_DEFAULT, u"abc", u"ABD"), -1);
    EXPECT_EQ(WideCompare()(LOCALE_USER_DEFAULT, u"abd", u"ABC"), 1);
}

TEST_F(GrdUniStringsTest, ObjectsTravelWithTheirStrings) {
    TObject a, b, c;
    struct Case {
        const char* Name;
        void (*Step)(TWideStrings&);
        std::vector<WideString> Lines;
        std::vector<int> Objects;  // index into {a, b, c}, -1 for none
    };
    const Case cases[] = {
        {"exchange", [](TWideStrings& l) { l.Exchange(0, 2); }, {u"c", u"b", u"a"}, {2, 1, 0}},
        {"move down", [](TWideStrings& l) { l.Move(0, 2); }, {u"b", u"c", u"a"}, {1, 2, 0}},
        {"move up", [](TWideStrings& l) { l.Move(2, 0); }, {u"c", u"a", u"b"}, {2, 0, 1}},
        {"move in place", [](TWideStrings& l) { l.Move(1, 1); }, {u"a", u"b", u"c"}, {0, 1, 2}},
        {"put keeps the object", [](TWideStrings& l) { l.SetStrings(1, u"B"); }, {u"a", u"B", u"c"}, {0, 1, 2}},
        {"delete", [](TWideStrings& l) { l.Delete(0); }, {u"b", u"c"}, {1, 2}},
    };
    TObject* objects[] = {&a, &b, &c};
    for (const Case& k : cases) {
        TVectorWideStrings list;
        list.AddObject(u"a", &a);
        list.AddObject(u"b", &b);
        list.AddObject(u"c", &c);
        k.Step(list);
        EXPECT_EQ(Strings(list), k.Lines) << k.Name;
        ASSERT_EQ(list.Count(), static_cast<Integer>(k.Objects.size())) << k.Name;
        for (Integer i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Objects(i), objects[k.Objects[i]]) << k.Name;
    }
}

TEST_F(GrdUniStringsTest, OnlyTheOutermostUpdateReachesTheList) {
    TVectorWideStrings list;
    list.BeginUpdate();
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(list.UpdateStateChanges, 1);
    list.EndUpdate();
    EXPECT_EQ(list.UpdateStateChanges, 2);
    list.EndUpdate();  // unbalanced: nothing
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(list.UpdateStateChanges, 2);
    // Setting the text is one update.
    list.SetText(u"a\nb\nc");
    EXPECT_EQ(list.UpdateStateChanges, 4);
}

TEST_F(GrdUniStringsTest, TheAnsiAdapterConvertsBothWaysWithQuestionMarks) {
    TVectorWideStrings list;
    TObject tag;
    list.AddObject(u"\u65E5\u20AC", &tag);
    list.Add(u"caf\u00E9");
    TStrings* ansi = list.AnsiStrings();
    EXPECT_EQ(ansi->Count(), 2);
    EXPECT_EQ(ansi->Strings(0), "?\x80");
    EXPECT_EQ(ansi->Objects(0), &tag);
    EXPECT_EQ(ansi->Text(), "?\x80\r\ncaf\xE9\r\n");
    EXPECT_EQ(ansi->IndexOf("CAF\xC9"), 1);
    EXPECT_EQ(ansi->IndexOf("?\x80"), -1) << "the wide string holds no '?'";
    ansi->Add("\x80uro");
    EXPECT_EQ(list.Strings(2), u"\u20ACuro");
    ansi->SetStrings(0, "x");
    EXPECT_EQ(list.Strings(0), u"x");
    EXPECT_EQ(list.Objects(0), &tag);

    TStringList plain;
    plain.Assign(&list);
    EXPECT_EQ(plain.Text(), "x\r\ncaf\xE9\r\n\x80uro\r\n");
    plain.SetText("one\r\ntwo");
    list.Assign(&plain);
    EXPECT_EQ(Strings(list), (std::vector<WideString>{u"one", u"two"}));
    list.SetAnsiStrings(&plain);
    EXPECT_EQ(list.Count(), 2);

    TVectorWideStrings copy;
    copy.Assign(&list);
    EXPECT_TRUE(copy.Equals(&list));
    copy.SetStrings(0, u"ONE");
    EXPECT_FALSE(copy.Equals(&list)) << "equality is exact";
}

TEST_F(GrdUniStringsTest, BadIndexesRaiseAndLeaveTheListAlone) {
    TVectorWideStrings list;
    list.SetText(u"a\nb");
    EXPECT_THROW(list.Exchange(0, 5), EStringListError);
    EXPECT_THROW(list.Move(5, 0), EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    EXPECT_EQ(Strings(list), (std::vector<WideString>{u"a", u"b"}));
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST_F(GrdUniStringsTest, StartUpMakesTheTrapAtomFromTheProcessAndExitDeletesIt) {
    const ATOM atom = TrapAtom();
    ASSERT_NE(atom, 0);
    const AnsiString name = "WinControlTrap.UnicodeClass." + IntToStr(static_cast<Integer>(GetCurrentProcessId()));
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), atom);
    DoneGrdUniUnit();
    EXPECT_EQ(TrapAtom(), 0);
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0);
    InitGrdUniUnit();
    EXPECT_NE(TrapAtom(), 0);
}

TEST_F(GrdUniStringsTest, OnlyANineXVersionAnswerComparesInTheSingleByteCodePage) {
    TVectorWideStrings list;
    list.SetText(u"\u65E5\n\u00E9");
    EXPECT_EQ(list.IndexOf(u"\u672C"), -1);
    DoneGrdUniUnit();
    SetWindowsVersionForTest(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222);
    InitGrdUniUnit();
    EXPECT_EQ(list.IndexOf(u"\u672C"), 0) << "both are '?' in the code page";
    EXPECT_EQ(list.IndexOf(u"\u00C9"), 1);
    DoneGrdUniUnit();
    ResetWindowsVersion();
    InitGrdUniUnit();
    EXPECT_EQ(list.IndexOf(u"\u672C"), -1);
}

}  // namespace
