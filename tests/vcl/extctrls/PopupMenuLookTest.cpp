// The pop-up menu as the user sees it after a right click: every separator line and the form's font.
#include <memory>

#include "ExtCtrlsFixture.h"
#include "support/InputSimulator.h"

namespace {

class PopupMenuLook : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        menu = new TPopupMenu(form);
        for (const char* caption : {"&Copy", "-", "&Paste"})
            menu->Items()->Add(NewItem(caption, 0, false, true, nullptr, 0, ""));
        edit = Place<TEdit>(10, 10, 100, 21);
        edit->SetPopupMenu(menu);
    }
    void TearDown() override {
        SetPopupMenuChooser(nullptr);
        ExtCtrlsTest::TearDown();
    }

    // The menu that a right click on the edit shows, as the screen shows it (dismissed afterwards).
    std::unique_ptr<TBitmap> MenuShownByRightClick() {
        std::unique_ptr<TBitmap> picture;
        SetPopupMenuChooser(
            [&](TPopupMenu*) {
                picture.reset(RenderShownPopupMenu());
                return nullptr;
            },
            true);
        Input::Click(edit, 20, 10, mbRight);
        EXPECT_NE(picture, nullptr);
        return picture ? std::move(picture) : std::make_unique<TBitmap>();
    }

    TPopupMenu* menu = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(PopupMenuLook, SeparatorsInARowEachShow) {
    const Integer one = MenuShownByRightClick()->Height();
    menu->Items()->Insert(1, NewLine());
    const Integer two = MenuShownByRightClick()->Height();
    menu->Items()->Insert(1, NewLine());
    const Integer three = MenuShownByRightClick()->Height();
    EXPECT_GT(two, one);
    EXPECT_EQ(three - two, two - one);
    EXPECT_EQ(RenderShownPopupMenu(), nullptr) << "no menu is shown any more";
}

TEST_F(PopupMenuLook, ItemsShowInTheFontOfTheFormNotOfTheControl) {
    menu->Items()->Items(0)->SetCaption("&Copy the selected text");
    form->Font()->SetName("Arial");
    form->Font()->SetHeight(-11);
    const std::unique_ptr<TBitmap> small = MenuShownByRightClick();
    form->Font()->SetHeight(-24);
    edit->Font()->SetHeight(-11);
    const std::unique_ptr<TBitmap> large = MenuShownByRightClick();
    EXPECT_GT(large->Height(), small->Height() + 2 * 10);  // two items, each at least 10 pixels taller
    EXPECT_GT(large->Width(), small->Width());
}

}  // namespace
