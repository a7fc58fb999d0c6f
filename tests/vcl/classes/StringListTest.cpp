// String lists: text, comma text, sorting, name=value lines and change events.
#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStrings& list) {
    Lines result;
    for (Integer i = 0; i < list.Count(); ++i) result.push_back(list.Strings(i));
    return result;
}

TEST(StringList, SettingTextSplitsAtCrLfOrCrlfAndTextEndsEveryLineWithCrlf) {
    struct Case {
        std::string in;
        Lines lines;
        std::string out;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"a", {"a"}, "a\r\n"},
        {"a\r\n", {"a"}, "a\r\n"},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
        {"a\r\n\r\n", {"a", ""}, "a\r\n\r\n"},
        {"\n\n", {"", ""}, "\r\n\r\n"},
        {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {std::string("a\nb\0c", 5), {"a", "b"}, "a\r\nb\r\n"},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.in);
        EXPECT_EQ(LinesOf(list), c.lines) << testing::PrintToString(c.in);
        EXPECT_EQ(list.Text(), c.out) << testing::PrintToString(c.in);
    }
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndReadsBack) {
    struct Case {
        Lines lines;
        std::string comma;
    };
    const Case cases[] = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"x,y", "q\"r"}, "\"x,y\",\"q\"\"r\""},
        {{"", "b", ""}, ",b,"},
        {{""}, "\"\""},
        {{}, ""},
        {{"\xE9t\xE9"}, "\xE9t\xE9"},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const auto& s : c.lines) list.Add(s);
        EXPECT_EQ(list.CommaText(), c.comma);
        TStringList back;
        back.SetCommaText(c.comma);
        EXPECT_EQ(LinesOf(back), c.lines) << c.comma;
    }
}

TEST(StringList, CommaTextReadingSplitsAtBlanksAndToleratesOddQuotes) {
    struct Case {
        std::string comma;
        Lines lines;
    };
    const Case cases[] = {
        {"a b , c", {"a", "b", "c"}},
        {"  \"a\"\"b\"  ,x", {"a\"b", "x"}},
        {"\"open", {"open"}},
        {"\"a\"b", {"a", "b"}},
        {",", {"", ""}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetCommaText(c.comma);
        EXPECT_EQ(LinesOf(list), c.lines) << c.comma;
    }
}

TEST(StringList, DelimitedTextUsesTheListsDelimiterAndQuote) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetDelimitedText("a;'b;c';'it''s'");
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b;c", "it's"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';'it''s'");
}

TEST(StringList, SortedListsInsertInOrderAndHonourDuplicates) {
    struct Case {
        TDuplicates duplicates;
        Lines expected;
        bool raises;
    };
    const Case cases[] = {
        {dupIgnore, {"apple", "Banana", "cherry"}, false},
        {dupAccept, {"apple", "banana", "Banana", "cherry"}, false},  // a duplicate goes before its equals
        {dupError, {"apple", "Banana", "cherry"}, true},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.duplicates);
        list.Add("cherry");
        list.Add("Banana");
        list.Add("apple");
        bool raised = false;
        try {
            list.Add("banana");
        } catch (const EStringListError& e) {
            raised = true;
            EXPECT_EQ(e.Message(), "String list does not allow duplicates");
        }
        EXPECT_EQ(raised, c.raises);
        EXPECT_EQ(LinesOf(list), c.expected);
        Integer index = -1;
        EXPECT_TRUE(list.Find("BANANA", index));
        EXPECT_EQ(index, 1);
        EXPECT_FALSE(list.Find("blueberry", index));
        EXPECT_EQ(list.IndexOf("CHERRY"), static_cast<Integer>(c.expected.size()) - 1);
        EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    }
}

TEST(StringList, SortingOrdersCaseInsensitivelyAndCustomSortTakesAnyOrder) {
    TStringList list;
    list.SetCommaText("b,f,C,a,\xC9");
    list.Sort();
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "C", "\xC9", "f"}));  // accented letters sort by their base letter
    list.CustomSort([](TStringList* l, Integer a, Integer b) {
        return static_cast<int>(l->Strings(b).size()) - static_cast<int>(l->Strings(a).size()) + (a < b ? 1 : 0);
    });
    EXPECT_EQ(list.Count(), 5);  // an inconsistent compare reorders without losing lines
    list.SetCommaText("C,b,c,a");
    list.SetCaseSensitive(true);
    list.Sort();
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "c", "C"}));
}

TEST(StringList, NamesAndValuesWorkOnNameValueLines) {
    TStringList list;
    list.SetText("Width=10\nplain\nHeight=20=x\n");
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("height"), "20=x");
    EXPECT_EQ(list.IndexOfName("WIDTH"), 0);
    list.SetValues("Width", "11");
    list.SetValues("Depth", "3");
    list.SetValues("Height", "");
    EXPECT_EQ(LinesOf(list), (Lines{"Width=11", "plain", "Depth=3"}));
    EXPECT_EQ(list.ValueFromIndex(2), "3");
}

TEST(StringList, IndexErrorsNameTheIndex) {
    TStringList list;
    list.Add("a");
    struct Case {
        std::function<void()> action;
        std::string message;
    };
    const Case cases[] = {
        {[&] { list.Strings(1); }, "List index out of bounds (1)"},
        {[&] { list.SetStrings(-1, "x"); }, "List index out of bounds (-1)"},
        {[&] { list.Delete(3); }, "List index out of bounds (3)"},
        {[&] { list.Objects(2); }, "List index out of bounds (2)"},
        {[&] { list.Insert(2, "x"); }, "List index out of bounds (2)"},
        {[&] { list.Exchange(0, 1); }, "List index out of bounds (1)"},
    };
    for (const Case& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(StringList, ChangeEventsFireOncePerChangeAndOnceAfterAnUpdate) {
    TStringList list;
    int changing = 0;
    int changed = 0;
    std::string seenAtChange;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject* sender) {
        ++changed;
        seenAtChange = static_cast<TStringList*>(sender)->Text();
    };
    struct Case {
        std::function<void()> action;
        int events;
    };
    const Case cases[] = {
        {[&] { list.Add("a"); }, 1},
        {[&] { list.SetText("x\ny\nz"); }, 1},
        {[&] {
             list.BeginUpdate();
             list.BeginUpdate();
             list.Add("q");
             list.EndUpdate();
             list.Delete(0);
             list.EndUpdate();
         },
         1},
        {[&] {
             list.BeginUpdate();
             list.EndUpdate();
         },
         0},
        {[&] { list.Move(0, 2); }, 1},
        {[&] { list.Exchange(0, 1); }, 1},
        {[&] { list.SetCommaText("m,n"); }, 1},
        {[&] {
             list.Clear();
             list.Clear();
         },
         1},
    };
    for (const Case& c : cases) {
        changing = changed = 0;
        c.action();
        EXPECT_EQ(changed, c.events);
        EXPECT_EQ(changing, c.events);
    }
    list.Add("end");
    EXPECT_EQ(seenAtChange, "end\r\n");
}

TEST(StringList, AssignEqualsAndObjectsTravelTogether) {
    TStringList a;
    TStringList b;
    TObject tag;
    a.AddObject("one", &tag);
    a.Add("two");
    EXPECT_FALSE(a.Equals(&b));
    b.Assign(&a);
    EXPECT_TRUE(a.Equals(&b));
    EXPECT_EQ(b.Objects(0), &tag);
    EXPECT_EQ(b.IndexOfObject(&tag), 0);
    b.SetStrings(1, "TWO");
    EXPECT_FALSE(a.Equals(&b));  // exact comparison
    b.Move(1, 0);
    EXPECT_EQ(b.Objects(1), &tag);
    TPersistent other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

// A descendant that keeps its lines elsewhere, as a control mirrors its own text.
class TMirrorStrings : public TStrings {
public:
    std::vector<std::string> store;
    int updates = 0;

    void Clear() override { store.clear(); }
    void Delete(Integer Index) override { store.erase(store.begin() + Index); }
    void Insert(Integer Index, const AnsiString& S) override { store.insert(store.begin() + Index, S); }

protected:
    AnsiString Get(Integer Index) const override { return store.at(static_cast<std::size_t>(Index)); }
    Integer GetCount() const override { return static_cast<Integer>(store.size()); }
    void SetUpdateState(bool Updating) override { updates += Updating ? 0 : 1; }
};

TEST(StringList, DescendantsProvideStorageThroughTheVirtuals) {
    TMirrorStrings mirror;
    mirror.SetText("a\r\nb\r\n");
    EXPECT_EQ(mirror.store, (Lines{"a", "b"}));
    EXPECT_EQ(mirror.updates, 1);
    mirror.SetStrings(0, "c");
    mirror.Exchange(0, 1);
    EXPECT_EQ(mirror.store, (Lines{"b", "c"}));
    EXPECT_EQ(mirror.IndexOf("C"), 1);
    mirror.SetCommaText("x,\"y z\"");
    EXPECT_EQ(mirror.store, (Lines{"x", "y z"}));
    TStringList copy;
    copy.Assign(&mirror);
    EXPECT_EQ(copy.Text(), "x\r\ny z\r\n");
}

}  // namespace
