#include "damage/SpellMode.h"

#include <string>

#include <gtest/gtest.h>

#include "form/MemoryForm.h"

namespace {

void Click(MemoryForm& form)
{
    form.SetCheck(IDC_SPELL_MODE, !form.GetCheck(IDC_SPELL_MODE));
    ApplySpellMode(form);
}

TEST(ApplySpellMode, SwitchesBothWaysAndKeepsTheSecondRateAtOneHundred)
{
    MemoryForm form;
    form.SetSelection(IDC_ATTR_RATE2, 7);
    form.SetCheck(IDC_DEFENSE_DOWN, true);

    Click(form);
    EXPECT_EQ(form.FullText(IDC_CALC_HEADER), SpellModeHeaderText);
    EXPECT_EQ(form.FullText(IDC_ATTACK_UP), "術適上昇");
    EXPECT_FALSE(form.IsEnabled(IDC_DEFENSE));
    EXPECT_FALSE(form.IsEnabled(IDC_ATTR_RATE2));
    EXPECT_FALSE(form.IsEnabled(IDC_DEFENSE_DOWN));
    EXPECT_TRUE(form.IsEnabled(IDC_ATTACK_UP));
    EXPECT_TRUE(form.IsEnabled(IDC_DEFENSE_SPIN));
    EXPECT_EQ(form.GetSelection(IDC_ATTR_RATE2), 4);
    EXPECT_TRUE(form.GetCheck(IDC_DEFENSE_DOWN));
    EXPECT_EQ(form.FullText(IDC_DEFENSE), "30");

    Click(form);
    EXPECT_EQ(form.FullText(IDC_CALC_HEADER), FindControlDef(IDC_CALC_HEADER)->text);
    EXPECT_EQ(form.FullText(IDC_ATTACK_UP), "攻上昇");
    EXPECT_TRUE(form.IsEnabled(IDC_DEFENSE));
    EXPECT_TRUE(form.IsEnabled(IDC_ATTR_RATE2));
    EXPECT_TRUE(form.IsEnabled(IDC_DEFENSE_DOWN));
    EXPECT_EQ(form.GetSelection(IDC_ATTR_RATE2), 4) << "the earlier selection is not restored";
    EXPECT_TRUE(form.GetCheck(IDC_DEFENSE_DOWN));
}

TEST(ApplySpellMode, SpellHeaderSpacing)
{
    // 術適正, 1, 術威力, 1, 知力, 2, 愛, 7 ideographic spaces, 属性倍率.
    const std::string text = SpellModeHeaderText;
    std::string expected = "術適正　術威力　知力　　愛";
    for (int i = 0; i < 7; ++i)
        expected += "　";
    expected += "属性倍率";
    EXPECT_EQ(text, expected);
}

} // namespace
