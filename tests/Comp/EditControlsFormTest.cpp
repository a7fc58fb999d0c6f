// A form description with a typed edit per label position and look, an edit with a button and a directory
// edit: it loads headless, shows each label where its position puts it and each button with its glyph,
// and the texts come back when the form is made again, from an INI file and from the registry.
#include <memory>
#include <string>

#include "ProDirectoryEdit.h"
#include "support/InputSimulator.h"
#include "support/RegistryFolderFixture.h"
#include "vcl/Resources.h"

extern const TResourceEntry ProEditFormResources[];

using namespace ProEdit;

namespace {

class EditControlsFormTest : public RegistryFolderFixture {
protected:
    void SetUp() override {
        RegistryFolderFixture::SetUp();
        RegisterResources(ProEditFormResources);
        Make();
    }
    void TearDown() override {
        window.reset();
        RegistryFolderFixture::TearDown();
    }
    void Make() {
        window.reset(new TForm(nullptr));
        ReadComponentRes("TEditControlsForm", window.get());
        Testing::ShowAndActivate(window.get());
    }
    template <typename T = TProEdit>
    T* Named(const std::string& Name) {
        auto* edit = dynamic_cast<T*>(window->FindComponent(Name));
        if (!edit) throw Exception("no " + Name);
        return edit;
    }
    // Dark pixels (text) inside a control's bounds on the composed window.
    int DarkPixels(TControl* Control) {
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(window.get()));
        const TPoint origin = window->ScreenToClient(Control->ClientToScreen(Point(0, 0)));
        int dark = 0;
        for (Integer y = 0; y < Control->Height(); ++y)
            for (Integer x = 0; x < Control->Width(); ++x) {
                const TColor c = ColorToRGB(shown->Canvas()->Pixels(origin.X + x, origin.Y + y));
                dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
            }
        return dark;
    }

    TOwned<TForm> window;
};

TEST_F(EditControlsFormTest, EachLabelShowsBesideItsEditAsItsPositionSays) {
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        TProEdit* edit = Named("Edit" + std::to_string(i));
        TLabel* label = edit->EditLabel();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Caption(), "Label " + std::to_string(i));
        EXPECT_EQ(label->Parent(), window.get());
        EXPECT_GT(DarkPixels(label), 10);
        const TRect e = edit->BoundsRect(), l = label->BoundsRect();
        switch (edit->LabelPosition()) {
            case lpLeftTop:
            case lpLeftCenter:
            case lpLeftBottom: EXPECT_EQ(l.Right, e.Left - 4); break;
            case lpTopLeft:
            case lpTopCenter: EXPECT_EQ(l.Bottom, e.Top - 4); break;
            case lpBottomLeft:
            case lpBottomCenter: EXPECT_EQ(l.Top, e.Bottom + 4); break;
            default: EXPECT_EQ(l.Left, e.Left - 4); break;
        }
    }
    EXPECT_EQ(Named("Edit1")->BorderStyle(), bsNone);
    EXPECT_EQ(Named("Edit0")->BorderStyle(), bsSingle);
}

TEST_F(EditControlsFormTest, TheButtonEditsShowTheirButtons) {
    auto* button = Named<ProEdBtn::TProEditBtn>("ButtonEdit");
    auto* folder = Named<ProDirectoryEdit::TProDirectoryEdit>("FolderEdit");
    EXPECT_EQ(button->EditButton()->Hint(), "Pick");
    EXPECT_EQ(folder->BrowseDialogText(), "Pick a folder");
    EXPECT_EQ(folder->ButtonWidth(), 18);
    EXPECT_FALSE(folder->Glyph()->Empty());
    // The folder glyph's outline shows on the directory button.
    EXPECT_GT(DarkPixels(folder->EditButton()), 20);
    EXPECT_EQ(folder->EditButton()->BoundsRect().Right, folder->Width() - 4);
}

TEST_F(EditControlsFormTest, TheTextsComeBackWhenTheFormIsMadeAgain) {
    Named("Edit3")->SetText("changed three");
    Named<ProEdBtn::TProEditBtn>("ButtonEdit")->SetText("changed button");
    Named<ProDirectoryEdit::TProDirectoryEdit>("FolderEdit")->SetText("/usr");
    window.reset();
    Make();
    EXPECT_EQ(Named("Edit3")->Text(), "changed three");
    EXPECT_EQ(Named("Edit4")->Text(), "value 4");
    EXPECT_EQ(Named<ProEdBtn::TProEditBtn>("ButtonEdit")->Text(), "changed button");
    EXPECT_EQ(Named<ProDirectoryEdit::TProDirectoryEdit>("FolderEdit")->Text(), "/usr");
    EXPECT_NE(Contents(folder_ + "/edits.ini").find("Edit3=changed three"), std::string::npos);
}

}  // namespace
