// Paths, file information and path fields.
#include <stdlib.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "Diskop.h"
#include "superar.h"
#include "support/FormFixture.h"

using namespace Diskop;
using namespace Varpre;

namespace {

struct TextCase {
    const char* A;
    const char* B;
    const char* C;
    const char* Expected;
};

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/diskop_test_XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const AnsiString& Path() const { return path_; }
    AnsiString MakeFolder(const AnsiString& Relative) const {
        std::filesystem::create_directories(path_ + "/" + Relative);
        return path_ + "/" + Relative;
    }
    AnsiString MakeFile(const AnsiString& Relative, const AnsiString& Content) const {
        std::ofstream(path_ + "/" + Relative) << Content;
        return path_ + "/" + Relative;
    }

private:
    AnsiString path_;
};

}  // namespace

TEST(DiskopPaths, JoinPathPutsExactlyOneSeparatorAndUsesTheChosenOne) {
    const TextCase cases[] = {
        {"c:\\a\\", "\\b", NotGiven, "c:\\a\\b"},
        {"c:/a", "b", NotGiven, "c:/a/b"},
        {"", "b", "\\", "b"},
        {"c:\\a", "", NotGiven, "c:\\a"},
        {"c:\\a", "b", NotGiven, "c:\\a\\b"},
        {"a", "b", NotGiven, "a\\b"},
        {"c:\\a/x", "b", "/", "c:/a/x/b"},
        {"c:/a/", "b\\c", "\\", "c:\\a\\b\\c"},
        {"/home/u", "f.txt", NotGiven, "/home/u/f.txt"},
    };
    for (const TextCase& c : cases) {
        AnsiString result;
        JoinPath(c.A, c.B, c.C, result);
        EXPECT_EQ(result, c.Expected) << c.A << " + " << c.B;
    }
}

TEST(DiskopPaths, IsAbsolutePathKnowsDrivesSharesAndTheSlashRoot) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\srv\\x", true}, {"c:/x", true}, {"c:\\", true}, {"//srv/x", true}, {"/home", true},
        {"x\\y", false},      {"c:x", false}, {"", false},    {"\\x", false},    {"c:", false},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(IsAbsolutePath(path), expected) << path;
}

TEST(DiskopPaths, RootsAndKinds) {
    const std::tuple<const char*, Integer, const char*, Byte> cases[] = {
        {"c:\\a\\b", 4, "c:", 1},
        {"c:", 3, "c:", 1},
        {"\\\\srv\\share\\x", 13, "\\\\srv\\share", 2},
        {"\\\\srv\\share", 12, "\\\\srv\\share", 2},
        {"/usr/lib", 2, "/", 4},
        {"rel\\x", 1, "", 4},
        {"http:\\\\site", 1, "", 3},
    };
    for (const auto& [path, rootLength, root, kind] : cases) {
        AnsiString r;
        ExtractPathRoot(path, r);
        EXPECT_EQ(PathRootLength(path), rootLength) << path;
        EXPECT_EQ(r, root) << path;
        EXPECT_EQ(PathKind(path), kind) << path;
    }
}

TEST(DiskopPaths, ExpandPathJoinsRelativeTextAndResolvesDots) {
    const TextCase cases[] = {
        {"b\\c", "c:\\a", "", "c:\\a\\b\\c"},
        {"..\\b", "c:\\a\\x", "", "c:\\a\\b"},
        {"\\b", "c:\\a", "", "c:\\b"},
        {"d:\\x\\.\\y\\..\\z", "c:\\a", "", "d:\\x\\z"},
        {"..\\..\\..\\b", "c:\\a", "", "c:\\b"},
        {"../b", "/home/u", "", "/home/b"},
        {"\\b", "/home/u", "", "/b"},
        {"x", "\\\\srv\\share", "", "\\\\srv\\share\\x"},
        {"\\x", "\\\\srv\\share\\dir", "", "\\\\srv\\share\\x"},
        {"../../x", "", "", "../../x"},
        {"a//b/", "/r", "", "/r/a/b/"},
        {"", "c:\\a", "", "c:\\a"},
    };
    for (const TextCase& c : cases) {
        AnsiString result;
        ExpandPath(c.A, c.B, result);
        EXPECT_EQ(result, c.Expected) << c.A << " against " << c.B;
    }
}

TEST(DiskopPaths, RelocatePathMovesThePartUnderTheOldBase) {
    const struct {
        const char* BaseDir;
        const char* Path;
        const char* OldBase;
        Byte Options;
        const char* Expected;
    } cases[] = {
        {"d:\\new", "c:\\old\\sub\\f.txt", "c:\\old", 0, "d:\\new\\sub\\f.txt"},
        {"d:\\new", "C:\\OLD\\f.txt", "c:\\old\\", 0, "d:\\new\\f.txt"},
        {"d:\\new", "c:\\other\\f.txt", "c:\\old", 0, "d:\\new\\other\\f.txt"},
        {"d:\\new", "c:\\older\\f.txt", "c:\\old", 0, "d:\\new\\older\\f.txt"},
        {"d:\\new", "sub\\f.txt", "c:\\old", RelocateAsRelative, "d:\\new\\sub\\f.txt"},
        {"/new", "/old/a/b", "/old", 0, "/new/a/b"},
    };
    for (const auto& c : cases) {
        AnsiString result;
        RelocatePath(c.BaseDir, c.Path, c.OldBase, result, c.Options);
        EXPECT_EQ(result, c.Expected) << c.Path;
    }
}

TEST(DiskopPaths, ShortenPathKeepsRootAndEnd) {
    const struct {
        const char* Path;
        Integer MaxLen;
        const char* Expected;
    } cases[] = {
        {"c:\\short", 20, "c:\\short"},
        {"c:\\one\\two\\three\\file.txt", 16, "c:\\...e\\file.txt"},
        {"c:\\one\\two\\three\\file.txt", 4, "c:\\."},
        {"c:\\one\\two", 0, ""},
        {"abcdefghij", 8, "...fghij"},
    };
    for (const auto& c : cases) {
        AnsiString result;
        ShortenPath(c.Path, c.MaxLen, "...", result);
        EXPECT_EQ(result, c.Expected) << c.Path << " to " << c.MaxLen;
        EXPECT_LE(Length(result), std::max(c.MaxLen, 0));
    }
}

TEST(DiskopPaths, SplittingNeverCutsIntoTheRoot) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // path, after SplitLastPathPart, its last part, ExtractParentDir
        {"c:\\a\\b\\", "c:\\a", "b", "c:\\a\\b"},
        {"c:\\a", "c:\\", "a", "c:\\"},
        {"c:\\", "c:\\", "", "c:\\"},
        {"/a", "/", "a", "/"},
        {"/", "/", "", ""},
        {"name", "", "name", ""},
        {"\\\\srv\\share\\x", "\\\\srv\\share\\", "x", "\\\\srv\\share\\"},
    };
    for (const auto& [path, head, last, parent] : cases) {
        AnsiString p = path;
        AnsiString l;
        AnsiString d;
        SplitLastPathPart(p, l);
        ExtractParentDir(path, d);
        EXPECT_EQ(p, head) << path;
        EXPECT_EQ(l, last) << path;
        EXPECT_EQ(d, parent) << path;
    }
}

TEST(DiskopPaths, NameAndExtensionComeFromTheLastPart) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"c:\\a.b\\file.tar.gz", "file.tar", "gz"},
        {"c:\\a.b\\file", "file", ""},
        {"/x/.hidden", "", "hidden"},
    };
    for (const auto& [path, name, ext] : cases) {
        AnsiString n;
        AnsiString e;
        ExtractNameNoExt(path, n);
        ExtractExtNoDot(path, e);
        EXPECT_EQ(n, name) << path;
        EXPECT_EQ(e, ext) << path;
    }
}

TEST(DiskopPaths, MakeValidFileNameReplacesWhatNoFileNameHolds) {
    const std::pair<AnsiString, AnsiString> cases[] = {
        {"a:b/c", "a;b(c"},      {"x\\y", "x)y"},
        {"q?*\"<>|", "q______"}, {AnsiString("t\tab\x01", 5), "t_ab_"},
        {"", "_.dat"},           {"caf\xE9.txt", "caf\xE9.txt"},
    };
    for (const auto& [name, expected] : cases) {
        AnsiString result;
        MakeValidFileName(name, result);
        EXPECT_EQ(result, expected) << name;
    }
}

TEST(DiskopPaths, NearestExistingFolderStopsAtTheFirstMissingPart) {
    TempFolder temp;
    temp.MakeFolder("a/b");
    temp.MakeFile("a/f.txt", "x");
    const AnsiString& t = temp.Path();
    const std::pair<AnsiString, AnsiString> cases[] = {
        {t + "/a/b/nothere/x", t + "/a/b/"},
        {t + "/a/f.txt", t + "/a/"},
        {t + "\\a\\nothere", t + "/a/"},
        {t, t + "/"},
        {"relative\\path", "/"},
        {"", "/"},
        {"/", "/"},
        {"q:\\surely\\missing", ""},
    };
    for (const auto& [path, expected] : cases) {
        AnsiString folder;
        NearestExistingFolder(path, folder);
        EXPECT_EQ(folder, expected) << path;
    }
}

TEST(DiskopFileInfo, FillFileInfoReadsPartsSizeAndAttributes) {
    TempFolder temp;
    temp.MakeFolder("dir");
    const AnsiString file = temp.MakeFile("dir/report.final.txt", "12345");
    FileInfoT info;
    ClearFileInfo(info);
    FillFileInfo(info, file, FileInfoFromDisk);
    EXPECT_EQ(info.Texts[FileTextFolder], temp.Path() + "/dir");
    EXPECT_EQ(info.Texts[FileTextFullName], file);
    EXPECT_EQ(info.Texts[FileTextName], "report.final.txt");
    EXPECT_EQ(info.Texts[FileTextRoot], "/");
    EXPECT_EQ(info.Texts[FileTextParent], temp.Path());
    EXPECT_EQ(info.Texts[FileTextBaseName], "report.final");
    EXPECT_EQ(info.Texts[FileTextDotExt], ".txt");
    EXPECT_EQ(info.Texts[FileTextExt], "txt");
    EXPECT_EQ(info.Texts[FileTextFolderName], "dir");
    EXPECT_EQ(info.Exists, 1);
    EXPECT_EQ(info.Size, 5);
    EXPECT_EQ(info.Attributes & faDirectory, 0);

    // Noon UTC on 4 March 2021 is 4 March in every zone within twelve hours of UTC.
    const struct utimbuf noon { 1614859200, 1614859200 };
    ASSERT_EQ(utime(file.c_str(), &noon), 0);
    FillFileInfo(info, file, FileInfoFromDisk);
    EXPECT_EQ(info.Dates[FileDateModified].Year, 2021);
    EXPECT_EQ(info.Dates[FileDateModified].Month, 3);
    EXPECT_EQ(info.Dates[FileDateModified].Day, 4);
    EXPECT_EQ(info.Dates[FileDateAccessed].Day, 4);

    FillFileInfo(info, temp.Path() + "/dir", FileInfoFromDisk);
    EXPECT_NE(info.Attributes & faDirectory, 0);

    ClearFileInfo(info);
    FillFileInfo(info, temp.Path() + "/missing.txt", FileInfoFromDisk);
    EXPECT_EQ(info.Exists, 0);
    EXPECT_EQ(info.Size, UnknownSize);
    EXPECT_EQ(info.Attributes, AnyFileAttributes);
}

TEST(DiskopFileInfo, PathOnlyModeLeavesTheFileSystemAlone) {
    FileInfoT info;
    ClearFileInfo(info);
    FillFileInfo(info, "c:\\data\\song.mp3", FileInfoPathOnly);
    EXPECT_EQ(info.Texts[FileTextFolder], "c:\\data");
    EXPECT_EQ(info.Texts[FileTextRoot], "c:");
    EXPECT_EQ(info.Texts[FileTextBaseName], "song");
    EXPECT_EQ(info.Exists, 1);
    EXPECT_EQ(info.Size, UnknownSize);
}

// ---------------------------------------------------------------------------
// Path fields, driven as the user drives them.

class DiskopPathFields : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        fields = std::make_unique<PathInputT>();
        InitPathInputs(*fields);
    }
    void TearDown() override {
        Testing::RecordOpenDialogs(false);
        FormFixture::TearDown();
    }
    TEdit* PlaceEdit(const AnsiString& Text) {
        TEdit* edit = Place<TEdit>(10, 10 + 30 * edits++, 300, 24);
        edit->SetText(Text);
        return edit;
    }
    void TypeInto(TEdit* Edit, const AnsiString& Text) {
        Testing::Click(Edit);
        Edit->SelectAll();
        Testing::TypeText(Edit, Text);
        Application->ProcessMessages();
    }
    void DoubleClick(TEdit* Edit) {
        Testing::DoubleClick(Edit, 5, 5);
        Application->ProcessMessages();
    }

    TempFolder temp;
    std::unique_ptr<PathInputT> fields;
    int edits = 0;
};

TEST_F(DiskopPathFields, TypingRecoloursAFolderField) {
    TEdit* edit = PlaceEdit(temp.Path() + "/nothere");
    edit->SetColor(clWindow);
    int changes = 0;
    edit->OnChange = Counter(changes);
    RegisterPathInput(*fields, edit, PathInputFolder);
    EXPECT_EQ(edit->Color(), DefaultInvalidPathColor);
    EXPECT_TRUE(edit->ShowHint());
    EXPECT_FALSE(edit->ParentShowHint());

    temp.MakeFolder("here");
    TypeInto(edit, temp.Path() + "/here");
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(edit->Hint(), temp.Path() + "/here");
    EXPECT_EQ(fields->Entries[1].Info.Texts[FileTextName], "here");

    TypeInto(edit, temp.Path() + "/her");
    EXPECT_EQ(edit->Color(), DefaultInvalidPathColor);
    // The edit's own handler still runs after each validation.
    EXPECT_GT(changes, 2);
}

TEST_F(DiskopPathFields, FileFieldWantsAFileAndChildFieldsFollowTheirParent) {
    temp.MakeFolder("one/sub");
    temp.MakeFolder("two");
    temp.MakeFile("one/f.txt", "x");
    TEdit* folder = PlaceEdit(temp.Path() + "/one");
    TEdit* file = PlaceEdit("f.txt");
    TEdit* sub = PlaceEdit("sub");
    RegisterPathInput(*fields, folder, PathInputFolder);
    RegisterPathInput(*fields, file, PathInputFile);
    RegisterPathInput(*fields, sub, PathInputFolder);
    fields->Entries[2].Parent = 1;
    fields->Entries[3].Parent = 1;
    TypeInto(folder, temp.Path() + "/one");
    EXPECT_TRUE(EntryExists(*fields, 2));
    EXPECT_TRUE(EntryExists(*fields, 3));
    EXPECT_NE(file->Color(), DefaultInvalidPathColor);

    TypeInto(folder, temp.Path() + "/two");
    EXPECT_EQ(file->Color(), DefaultInvalidPathColor);
    EXPECT_EQ(sub->Color(), DefaultInvalidPathColor);
    AnsiString path;
    EntryPath(*fields, 2, path);
    EXPECT_EQ(path, temp.Path() + "/two/f.txt");
}

TEST_F(DiskopPathFields, AFieldFreedByAnotherFieldsHandlerDuringValidationIsSkipped) {
    TEdit* folder = PlaceEdit(temp.Path());
    TEdit* first = PlaceEdit("a");
    TEdit* second = PlaceEdit("b");
    int secondChanges = 0;
    bool armed = false;
    first->OnChange = [&second, &armed](TObject*) {
        if (armed) FreeAndNil(second);
    };
    second->OnChange = Counter(secondChanges);
    RegisterPathInput(*fields, folder, PathInputFolder);
    RegisterPathInput(*fields, first, PathInputFolder);
    RegisterPathInput(*fields, second, PathInputFolder);
    fields->Entries[2].Parent = 1;
    fields->Entries[3].Parent = 1;
    secondChanges = 0;
    armed = true;
    TypeInto(folder, temp.Path() + "/");
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondChanges, 0);
    AnsiString path = "x";
    EntryPath(*fields, 3, path);
    EXPECT_EQ(path, "");
    EXPECT_FALSE(EntryExists(*fields, 3));
    TypeInto(folder, temp.Path());  // the next keystroke drops the gone field's entry
    EXPECT_EQ(fields->Count, 2);
}

TEST_F(DiskopPathFields, ParentLoopsEndAndCountsBeyondTheTableAreIgnored) {
    TEdit* a = PlaceEdit("a");
    TEdit* b = PlaceEdit("b");
    RegisterPathInput(*fields, a, PathInputFolder);
    RegisterPathInput(*fields, b, PathInputFolder);
    fields->Entries[1].Parent = 2;
    fields->Entries[2].Parent = 1;
    TypeInto(a, "x");
    AnsiString path;
    EntryPath(*fields, 1, path);
    EXPECT_FALSE(path.empty());
    fields->Count = 5000;
    EXPECT_EQ(FindPathInput(*fields, PlaceEdit("unregistered")), NoValue);
    EntryPath(*fields, 4000, path);
    EXPECT_EQ(path, "");
}

TEST_F(DiskopPathFields, DoubleClickOnAFolderFieldTakesTheNearestExistingFolder) {
    temp.MakeFolder("a");
    TEdit* edit = PlaceEdit(temp.Path() + "/a/missing/deeper");
    int changes = 0;
    int doubleClicks = 0;
    edit->OnChange = Counter(changes);
    edit->OnDblClick = Counter(doubleClicks);
    RegisterPathInput(*fields, edit, PathInputFolder);
    EXPECT_EQ(edit->Color(), DefaultInvalidPathColor);
    changes = 0;

    DoubleClick(edit);
    EXPECT_EQ(edit->Text(), temp.Path() + "/a/");
    EXPECT_NE(edit->Color(), DefaultInvalidPathColor);
    EXPECT_EQ(doubleClicks, 1);
    // Written quietly, then validated once.
    EXPECT_EQ(changes, 1);
}

TEST_F(DiskopPathFields, DoubleClickOnAFileFieldTakesTheDialogsAnswer) {
    temp.MakeFolder("docs");
    const AnsiString chosen = temp.MakeFile("docs/chosen.txt", "x");
    TEdit* edit = PlaceEdit(temp.Path() + "/docs/old.txt");
    RegisterPathInput(*fields, edit, PathInputFile);
    Testing::RecordOpenDialogs(true);
    Testing::RecordedOpenDialogs().clear();

    Testing::PrepareOpenDialogAnswer({chosen});
    DoubleClick(edit);
    ASSERT_EQ(Testing::RecordedOpenDialogs().size(), 1u);
    EXPECT_EQ(Testing::RecordedOpenDialogs()[0].InitialDir, temp.Path() + "/docs/");
    ASSERT_EQ(Testing::RecordedOpenDialogs()[0].Filters.size(), 1u);
    EXPECT_EQ(Testing::RecordedOpenDialogs()[0].Filters[0].Masks, "*.*");
    EXPECT_EQ(edit->Text(), chosen);
    EXPECT_NE(edit->Color(), DefaultInvalidPathColor);

    // Cancelling changes nothing.
    Testing::PrepareOpenDialogAnswer({});
    DoubleClick(edit);
    EXPECT_EQ(edit->Text(), chosen);
}

TEST_F(DiskopPathFields, RegisteringAgainUpdatesAndTheTableHoldsTwoHundred) {
    TEdit* edit = PlaceEdit("x");
    edit->SetColor(clWindow);
    RegisterPathInput(*fields, edit, PathInputFolder);
    RegisterPathInput(*fields, edit, PathInputFile);
    EXPECT_EQ(fields->Count, 1);
    EXPECT_EQ(fields->Entries[1].Kind, PathInputFile);
    // The saved colour is still the edit's own, not the invalid one.
    EXPECT_EQ(fields->Entries[1].SavedColor, clWindow);
    EXPECT_EQ(FindPathInput(*fields, edit), 1);

    for (Integer i = 2; i <= MaxPathInputs; ++i) RegisterPathInput(*fields, new TEdit(form), PathInputFolder);
    EXPECT_EQ(fields->Count, MaxPathInputs);
    EXPECT_THROW(RegisterPathInput(*fields, new TEdit(form), PathInputFolder), ERangeError);
    EXPECT_EQ(fields->Count, MaxPathInputs);
}

// ---------------------------------------------------------------------------
// The item table's fields that work on a row's file.

TEST(DiskopItemTableFields, PathFieldsFollowTheRowsFileAndName) {
    TempFolder temp;
    temp.MakeFolder("dir/sub");
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    table->FromFolder = temp.Path();
    table->ToFolder = "d:\\backup";
    for (const char* name : {"", "Copy.txt", "sub\\Moved.txt", "..\\gone\\Lost.txt", "q:\\Other.txt"}) {
        superar::AddRowWithText(*table, "line", 0);
        FillFileInfo(table->Rows[static_cast<std::size_t>(table->Count)].Info.Edit(), temp.Path() + "/dir/Report.txt",
                     FileInfoPathOnly);
        superar::SetFieldText(*table, table->Count, superar::FieldSettingName, name);
    }
    const AnsiString dir = temp.Path() + "/dir";
    const struct {
        Integer Row;
        Integer Field;
        AnsiString Text;
    } cases[] = {
        {1, 51, "Report.txt"},
        {1, 92, dir},
        {1, 93, dir + "/Report.txt"},
        {1, 95, ""},
        {1, 97, temp.Path()},
        {1, 73, "d:\\backup\\dir\\Report.txt"},
        {2, 51, "Copy.txt"},
        {2, 93, dir + "/Copy.txt"},
        {3, 51, "Moved.txt"},
        {3, 92, dir + "/sub"},
        {3, 93, dir + "/sub/Moved.txt"},
        {3, 95, "m"},
        {4, 92, temp.Path() + "/gone"},
        {4, 95, "M"},
        {5, 51, "Other.txt"},
        {5, 92, "q:\\"},
        {5, 95, "C"},
    };
    for (const auto& c : cases) {
        AnsiString text;
        superar::GetFieldText(*table, c.Row, c.Field, text, false);
        EXPECT_EQ(text, c.Text) << "row " << c.Row << " field " << c.Field;
    }
}
