#include "StdCtrlsFixture.h"
#include "support/EventCounter.h"
#include "vcl/Mask.h"

namespace {

using MaskEditTest = StdCtrlsTest;

TEST_F(MaskEditTest, TypingWorksAsInAnEditAndFiresOnChangePerKeystroke) {
    auto* edit = Place<TMaskEdit>(10, 10, 100, 24);
    EventCounter changes;
    changes.Hook(edit->OnChange);
    edit->SetEditMask("!99/99/00;1;_");
    Testing::Click(edit);
    Testing::TypeText(edit, "12");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(edit->EditText(), "12");
    EXPECT_EQ(Testing::PeerText(edit), "12");
    EXPECT_EQ(changes.Count(), 2);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(MaskEditTest, AFormDescriptionSetsMaskBorderAndCtl3D) {
    ReadComponentFromText(R"(object Form1: TForm
  object MaskEdit1: TMaskEdit
    Left = 8
    Top = 8
    EditMask = '000;1;_'
    BorderStyle = bsNone
    Ctl3D = False
    Color = clBtnFace
    Text = '123'
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TMaskEdit*>(form->FindComponent("MaskEdit1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->InheritsFrom(TCustomEdit::ClassInfo()));
    EXPECT_EQ(loaded->EditMask(), "000;1;_");
    EXPECT_EQ(loaded->BorderStyle(), bsNone);
    EXPECT_FALSE(loaded->Ctl3D());
    EXPECT_EQ(loaded->Color(), clBtnFace);
    EXPECT_EQ(loaded->Text(), "123");
}

}  // namespace
