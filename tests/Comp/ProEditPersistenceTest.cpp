// The typed edit keeps its text between runs: written when its window goes, read once its description is
// loaded, in an INI file or the current user's registry, in a temporary configuration folder.
#include <filesystem>
#include <string>
#include <vector>

#include "ProEdit.h"
#include "support/InputSimulator.h"
#include "support/RegistryFolderFixture.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"

using namespace ProEdit;

namespace {

class ProEditPersistenceTest : public RegistryFolderFixture {
protected:
    void SetUp() override {
        RegistryFolderFixture::SetUp();
        RegisterVclClasses();
        RegisterClass(TProEdit::ClassInfo());
    }
    void TearDown() override {
        Testing::RecordMessageBoxes(false);
        window.reset();
        RegistryFolderFixture::TearDown();
    }

    // A form holding one edit per entry of Edits ("Name: Prop = value; ...") made from its description.
    void Make(const std::vector<std::string>& Edits) {
        std::string text = "object PersistForm: TForm\n  Width = 300\n  Height = 300\n";
        int top = 8;
        for (const std::string& edit : Edits) {
            const std::size_t colon = edit.find(':');
            text += "  object " + edit.substr(0, colon) + ": TProEdit\n    Left = 8\n    Top = " + std::to_string(top) +
                    "\n    Width = 120\n    Height = 21\n";
            std::string rest = edit.substr(colon + 1);
            for (std::size_t at = 0; at < rest.size();) {
                const std::size_t end = std::min(rest.find(';', at), rest.size());
                text += "    " + rest.substr(at, end - at) + "\n";
                at = end + 1;
            }
            text += "  end\n";
            top += 30;
        }
        text += "end\n";
        window.reset(new TForm(nullptr));
        ReadComponentFromText(text, window.get());
        Testing::ShowAndActivate(window.get());
    }
    TProEdit* Named(const char* Name) { return static_cast<TProEdit*>(window->FindComponent(Name)); }
    static AnsiString Shown(TProEdit* Edit) { return Edit->TCustomEdit::Text(); }
    // The user gives the edit a new value: all of it selected by Tab, then typed over.
    static void TypeInto(TProEdit* Edit, const AnsiString& Value) {
        Input::TabTo(Edit);
        Input::Type(Edit, Value);
    }

    TOwned<TForm> window;
};

TEST_F(ProEditPersistenceTest, TheTextComesBackWhenTheFormIsMadeAgain) {
    struct Case {
        const char* store;
        const char* settings;
    };
    const std::vector<Case> cases{
        {"INI file", "Persistence.Enable = True;Persistence.Key = 'edits.ini';Persistence.Section = 'Main'"},
        {"registry",
         "Persistence.Enable = True;Persistence.Key = 'Software\\Halcyra';Persistence.Section = "
         "'Main';Persistence.Location = plRegistry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.store);
        const std::string edit = std::string("Amount:EditType = etNumeric;Suffix = ' kg';Text = '5';") + c.settings;
        Make({edit});
        EXPECT_EQ(Shown(Named("Amount")), "5 kg");
        TypeInto(Named("Amount"), "42");
        window.reset();
        Make({edit});
        EXPECT_EQ(Shown(Named("Amount")), "42 kg");
        window.reset();
    }
    EXPECT_EQ(Contents(folder_ + "/edits.ini"), "[Main]\r\nAmount=42 kg\r\n");
    EXPECT_EQ(TRegIniFile("Software\\Halcyra").ReadString("Main", "Amount", ""), "42 kg");
}

TEST_F(ProEditPersistenceTest, AStoredTextIsShownAsSavedAndAnAtSignIsNoEntry) {
    SetContents(folder_ + "/edits.ini", "[S]\r\nOld=[7]\r\nAt=@\r\n");
    const std::string settings = "Persistence.Enable = True;Persistence.Key = 'edits.ini';Persistence.Section = 'S'";
    Make({"Old:EditType = etNumeric;Prefix = '<';Text = '1';" + settings, "At:Text = 'kept';" + settings,
          "Missing:Text = 'default';" + settings});
    // Saved with another prefix: restored as it stands, unchecked.
    EXPECT_EQ(Shown(Named("Old")), "[7]");
    EXPECT_EQ(Shown(Named("At")), "kept");
    EXPECT_EQ(Shown(Named("Missing")), "default");
}

TEST_F(ProEditPersistenceTest, NothingIsReadOrWrittenWhenDisabled) {
    SetContents(folder_ + "/edits.ini", "[S]\r\nOff=stored\r\n");
    Make({"Off:Text = 'own';Persistence.Key = 'edits.ini';Persistence.Section = 'S'", "Bare:Text = 'x'"});
    EXPECT_EQ(Shown(Named("Off")), "own");
    EXPECT_EQ(Named("Bare")->Persistence()->Key(), "");
    window.reset();
    EXPECT_EQ(Contents(folder_ + "/edits.ini"), "[S]\r\nOff=stored\r\n");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ProEditPersistenceTest, AnEmptyKeyBecomesTheProgramsIniFileForGood) {
    const AnsiString programIni = ChangeFileExt(ParamStr(0), ".INI");
    std::filesystem::remove(programIni);
    Make({"Own:Text = 'first';Persistence.Enable = True;Persistence.Section = 'S'"});
    EXPECT_EQ(Named("Own")->Persistence()->Key(), programIni);
    window.reset();
    EXPECT_EQ(Contents(programIni), "[S]\r\nOwn=first\r\n");
    std::filesystem::remove(programIni);
}

TEST_F(ProEditPersistenceTest, TheTextIsSavedWheneverTheWindowGoes) {
    const std::string settings = "Persistence.Enable = True;Persistence.Key = 'edits.ini';Persistence.Section = 'S'";
    Make({"Remade:Text = 'a';" + settings, "Alone:Text = 'b';" + settings});
    Named("Remade")->SetText("recreated");
    Named("Remade")->SetEditAlign(eaRight);
    EXPECT_EQ(TIniFile("edits.ini").ReadString("S", "Remade", ""), "recreated");
    Named("Alone")->SetText("freed");
    Named("Alone")->Free();
    EXPECT_EQ(TIniFile("edits.ini").ReadString("S", "Alone", ""), "freed");
}

TEST_F(ProEditPersistenceTest, AnUnwritableStoreIsReportedAndTheOtherEditsStillSave) {
    Testing::RecordMessageBoxes(true);
    Make({"Lost:Text = 'a';Persistence.Enable = True;Persistence.Key = '" + folder_ + "/missing/edits.ini'",
          "Saved:Text = 'b';Persistence.Enable = True;Persistence.Key = 'edits.ini'"});
    window.reset();
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(Testing::RecordedMessageBoxes()[0].Text.find("Unable to write to"), AnsiString::npos);
    EXPECT_EQ(TIniFile("edits.ini").ReadString("", "Saved", ""), "b");
}

TEST_F(ProEditPersistenceTest, AnEditMadeInCodeLoadsNothing) {
    SetContents(folder_ + "/edits.ini", "[S]\r\nCoded=stored\r\n");
    window.reset(new TForm(nullptr));
    auto* edit = new TProEdit(window.get());
    edit->SetName("Coded");
    edit->SetParent(window.get());
    edit->Persistence()->SetEnable(true);
    edit->Persistence()->SetKey("edits.ini");
    edit->Persistence()->SetSection("S");
    Testing::ShowAndActivate(window.get());
    EXPECT_EQ(Shown(edit), "");
    edit->SetText("typed");
    window.reset();
    EXPECT_EQ(Contents(folder_ + "/edits.ini"), "[S]\r\nCoded=typed\r\n");
}

}  // namespace
