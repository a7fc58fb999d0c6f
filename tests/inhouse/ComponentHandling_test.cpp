// The enabled state and its look over real controls on a shown form.
#include <gtest/gtest.h>

#include "ComponentHandling.h"
#include "support/FormFixture.h"
#include "valstr.h"

using namespace ComponentHandling;

namespace {

using EnabledLook = FormFixture;

TEST_F(EnabledLook, OnlyACheckedEnabledChoiceCounts) {
    auto* radio = Place<TRadioButton>(8, 8, 100, 17);
    auto* check = Place<TCheckBox>(8, 30, 100, 17);
    auto* edit = Place<TEdit>(8, 60, 100, 21);
    struct Case {
        bool Checked, Enabled, Counts;
    };
    for (Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
        radio->SetChecked(c.Checked);
        radio->SetEnabled(c.Enabled);
        check->SetChecked(c.Checked);
        check->SetEnabled(c.Enabled);
        EXPECT_EQ(IsCheckedAndEnabled(radio), c.Counts);
        EXPECT_EQ(IsCheckedAndEnabled(check), c.Counts);
        EnableByCheck(edit, radio);
        EXPECT_EQ(edit->Enabled(), c.Counts);
    }
    EXPECT_TRUE(IsCheckedAndEnabled(edit) == edit->Enabled());
}

TEST_F(EnabledLook, DisabledControlsTakeTheFormColourTwoShadesDarker) {
    auto* panel = Place<TPanel>(0, 0, 200, 200);
    auto* plain = Place<TEdit>(8, 8, 100, 21, panel);
    auto* folder = Place<TEdit>(8, 40, 100, 21, panel);
    folder->SetName("EditFolder1");
    auto* spin = Place<TSpinButton>(120, 8, 17, 20, panel);
    folder->SetColor(clYellow);  // the colour a folder field's validation gave it
    spin->SetEnabled(false);
    ApplyEnabledLookForm(form);
    EXPECT_EQ(plain->Color(), clWindow);
    EXPECT_EQ(folder->Color(), clYellow);  // an enabled folder field keeps its colour
    EXPECT_FALSE(spin->Visible());

    plain->SetEnabled(false);
    folder->SetEnabled(false);
    ApplyEnabledLookForm(form);
    const TColor disabled = valstr::DarkerColor(valstr::DarkerColor(panel->Color(), 1.0), 1.0);
    EXPECT_EQ(plain->Color(), disabled);
    EXPECT_EQ(folder->Color(), disabled);
    EXPECT_EQ(plain->BorderStyle(), bsSingle);
}

}  // namespace
