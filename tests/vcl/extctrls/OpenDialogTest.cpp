#include "ExtCtrlsFixture.h"
#include "vcl/Dialogs.h"

namespace {

class OpenDialogTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        Testing::RecordOpenDialogs(true);
        Testing::RecordedOpenDialogs().clear();
        dialog = new TOpenDialog(form);
    }
    void TearDown() override {
        Testing::RecordOpenDialogs(false);
        ExtCtrlsTest::TearDown();
    }
    TOpenDialog* dialog = nullptr;
};

TEST_F(OpenDialogTest, AConfirmedAnswerSetsFileNameFilesAndFilterIndex) {
    dialog->SetTitle("Pick");
    dialog->SetInitialDir("/tmp/caf\xE9");
    dialog->SetFilter("Text|*.txt|Any|*.*");
    Testing::PrepareOpenDialogAnswer({"/tmp/caf\xE9/r\xE9sum\xE9.txt"}, 2);
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/tmp/caf\xE9/r\xE9sum\xE9.txt");
    EXPECT_EQ(dialog->Files()->Count(), 1);
    EXPECT_EQ(dialog->FilterIndex(), 2);
    ASSERT_EQ(Testing::RecordedOpenDialogs().size(), 1u);
    const auto& shown = Testing::RecordedOpenDialogs()[0];
    EXPECT_EQ(shown.Title, "Pick");
    EXPECT_EQ(shown.InitialDir, "/tmp/caf\xE9");
    EXPECT_EQ(shown.FilterIndex, 1);
}

TEST_F(OpenDialogTest, CancellingLeavesFileNameAndFilesAlone) {
    dialog->SetFileName("keep.txt");
    Testing::PrepareOpenDialogAnswer({});
    EXPECT_FALSE(dialog->Execute());
    EXPECT_FALSE(dialog->Execute());  // no answer prepared: cancelled too
    EXPECT_EQ(dialog->FileName(), "keep.txt");
    EXPECT_EQ(dialog->Files()->Count(), 0);
    EXPECT_EQ(Testing::RecordedOpenDialogs().size(), 2u);
    EXPECT_EQ(Testing::RecordedOpenDialogs()[0].FileName, "keep.txt");
}

TEST_F(OpenDialogTest, DefaultExtIsAddedOnlyToNamesWithoutAnExtension) {
    dialog->SetDefaultExt("csv");
    dialog->SetOptions(dialog->Options() + TOpenOptions{ofAllowMultiSelect});
    Testing::PrepareOpenDialogAnswer({"/d/plain", "/d/data.txt"});
    ASSERT_TRUE(dialog->Execute());
    ASSERT_EQ(dialog->Files()->Count(), 2);
    EXPECT_EQ(dialog->Files()->Strings(0), "/d/plain.csv");
    EXPECT_EQ(dialog->Files()->Strings(1), "/d/data.txt");
    EXPECT_EQ(dialog->FileName(), "/d/plain.csv");
}

TEST_F(OpenDialogTest, WithoutMultiSelectOnlyTheFirstNameIsTaken) {
    Testing::PrepareOpenDialogAnswer({"/a", "/b"});
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->Files()->Count(), 1);
    EXPECT_EQ(dialog->FileName(), "/a");
}

TEST_F(OpenDialogTest, FiltersSplitIntoNamesAndMasks) {
    struct Case {
        const char* Filter;
        std::vector<std::pair<AnsiString, AnsiString>> Expected;
    };
    const Case cases[] = {
        {"Text|*.txt|Any|*.*", {{"Text", "*.txt"}, {"Any", "*.*"}}},
        {"Logs and texts|*.log;*.txt", {{"Logs and texts", "*.log;*.txt"}}},
        {"", {}},
        {"Dangling name", {}},
        {"Empty||Any|*.*|Odd", {{"Any", "*.*"}}},
        {"Any file (*.*)|*.*|", {{"Any file (*.*)", "*.*"}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<AnsiString, AnsiString>> got;
        for (const TFileFilter& f : ParseFileFilter(c.Filter)) got.emplace_back(f.Name, f.Masks);
        EXPECT_EQ(got, c.Expected) << c.Filter;
    }
}

TEST_F(OpenDialogTest, AFormDescriptionSetsTheDialogsProperties) {
    ReadComponentFromText(R"(object Form1: TForm
  object OpenDialog1: TOpenDialog
    DefaultExt = 'txt'
    Filter = 'Text|*.txt'
    Options = [ofFileMustExist, ofEnableSizing]
    Title = 'Open a list'
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TOpenDialog*>(form->FindComponent("OpenDialog1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->DefaultExt(), "txt");
    EXPECT_EQ(loaded->Title(), "Open a list");
    EXPECT_EQ(loaded->Options(), (TOpenOptions{ofFileMustExist, ofEnableSizing}));
}

}  // namespace
