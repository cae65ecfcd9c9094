#include "damage/DamageCalculation.h"

#include <string>

#include <gtest/gtest.h>

#include "damage/SpellMode.h"
#include "form/MemoryForm.h"

namespace {

// A panel change from the initial state: field texts, boxes, rate items.
struct PanelCase {
    const char* why;
    const char* attack = nullptr;
    const char* power = nullptr;
    const char* defense = nullptr;
    const char* strength = nullptr;
    const char* charm = nullptr;
    bool attackUp = false;
    bool defenseDown = false;
    bool spell = false;
    int rate = 4;
    int rate2 = 4;
    const char* critical;
    const char* average;
    const char* minimum;
};

const PanelCase PanelCases[] = {
    {.why = "initial values", .critical = "1170", .average = "780", .minimum = "585"},
    {.why = "attack up: 65", .attackUp = true, .critical = "1784", .average = "1189", .minimum = "892"},
    {.why = "defense down: 21", .defenseDown = true, .critical = "1291", .average = "861", .minimum = "645"},
    {.why = "both adjustments", .attackUp = true, .defenseDown = true,
     .critical = "1942", .average = "1294", .minimum = "971"},
    {.why = "spell mode", .spell = true, .critical = "1080", .average = "720", .minimum = "540"},
    {.why = "spell mode ignores defense and defense down", .defense = "99", .defenseDown = true, .spell = true,
     .critical = "1080", .average = "720", .minimum = "540"},
    {.why = "spell mode with attack up", .attackUp = true, .spell = true,
     .critical = "1544", .average = "1029", .minimum = "772"},
    {.why = "strength 10, charm 5", .strength = "10", .charm = "5",
     .critical = "1199", .average = "799", .minimum = "599"},
    {.why = "rates 137.5 and 50", .rate = 7, .rate2 = 0, .critical = "804", .average = "536", .minimum = "402"},
    {.why = "rates 50 and 137.5", .rate = 0, .rate2 = 7, .critical = "804", .average = "536", .minimum = "402"},
    {.why = "empty attack", .attack = "", .critical = "148", .average = "99", .minimum = "74"},
    {.why = "attack beyond the spin range", .attack = "500", .critical = "2362", .average = "1575", .minimum = "1181"},
    {.why = "empty power", .power = "", .critical = "0", .average = "0", .minimum = "0"},
    {.why = "blank then 7", .power = " 7", .critical = "27", .average = "18", .minimum = "13"},
    {.why = "digits then letters", .attack = "50abc", .critical = "1170", .average = "780", .minimum = "585"},
    {.why = "letters only", .power = "abc", .critical = "0", .average = "0", .minimum = "0"},
    // The guard moves a negative product toward zero: -1170 + 1e-11 truncates to -1169.
    {.why = "negative power", .power = "-300", .critical = "-1169", .average = "-779", .minimum = "-584"},
    {.why = "150 digits saturate", .power = "999999999999999999999999999999999999999999999999999999999999999999999999"
                                            "999999999999999999999999999999999999999999999999999999999999999999999999"
                                            "999999",
     .critical = "2147483647", .average = "2147483647", .minimum = "2147483647"},
    {.why = "attack up beyond the 32-bit range saturates", .attack = "2147483647", .attackUp = true,
     .critical = "2362", .average = "1575", .minimum = "1181"},
    {.why = "strength and charm beyond the 32-bit range", .strength = "2147483647", .charm = "2147483647",
     .critical = "2147483647", .average = "1675038024", .minimum = "1256278518"},
};

TEST(RunDamageCalculation, WritesTheThreeResults)
{
    for (const PanelCase& c : PanelCases) {
        MemoryForm form;
        const struct {
            int id;
            const char* text;
        } fields[] = {{IDC_ATTACK, c.attack},     {IDC_POWER, c.power}, {IDC_DEFENSE, c.defense},
                      {IDC_STRENGTH, c.strength}, {IDC_CHARM, c.charm}};
        for (const auto& field : fields)
            if (field.text)
                form.SetText(field.id, field.text);
        form.SetCheck(IDC_ATTACK_UP, c.attackUp);
        form.SetCheck(IDC_DEFENSE_DOWN, c.defenseDown);
        form.SetCheck(IDC_SPELL_MODE, c.spell);
        ApplySpellMode(form);
        form.SetSelection(IDC_ATTR_RATE, c.rate);
        form.SetSelection(IDC_ATTR_RATE2, c.rate2);

        RunDamageCalculation(form);

        EXPECT_EQ(form.FullText(IDC_RESULT_CRIT), c.critical) << c.why;
        EXPECT_EQ(form.FullText(IDC_RESULT_AVG), c.average) << c.why;
        EXPECT_EQ(form.FullText(IDC_RESULT_MIN), c.minimum) << c.why;
    }
}

TEST(ReadCalculatorPanel, AdjustsAttackUpAndDefenseDown)
{
    const struct {
        const char* value;
        std::int32_t raisedAttack;
        std::int32_t loweredDefense;
    } cases[] = {
        {"4", 5, 3}, {"50", 65, 35}, {"57", 74, 40}, {"58", 75, 41}, {"200", 260, 140}, {"30", 39, 21},
        {"25", 32, 18}, {"10", 13, 7}, {"3", 3, 3}, {"99", 128, 70}, {"-10", -13, -7},
        {"2147483647", 2147483647, 1503238553}, {"-2147483648", -2147483647 - 1, -1503238554},
    };
    for (const auto& c : cases) {
        MemoryForm form;
        form.SetText(IDC_ATTACK, c.value);
        form.SetText(IDC_DEFENSE, c.value);
        form.SetCheck(IDC_ATTACK_UP, true);
        form.SetCheck(IDC_DEFENSE_DOWN, true);
        const CalculatorInputs in = ReadCalculatorPanel(form);
        EXPECT_EQ(in.attack, c.raisedAttack) << c.value;
        EXPECT_EQ(in.defense, c.loweredDefense) << c.value;
    }
}

TEST(RunDamageCalculation, TouchesNothingButItsThreeLabels)
{
    MemoryForm form;
    const MemoryForm before;
    RunDamageCalculation(form);
    for (const ControlDef& def : ControlMap) {
        if (def.id == IDC_RESULT_CRIT || def.id == IDC_RESULT_AVG || def.id == IDC_RESULT_MIN)
            continue;
        EXPECT_EQ(form.FullText(def.id), before.FullText(def.id)) << def.name;
        EXPECT_EQ(form.GetSelection(def.id), before.GetSelection(def.id)) << def.name;
    }
}

} // namespace
