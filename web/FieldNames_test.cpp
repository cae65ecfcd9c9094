#include "web/FieldNames.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "damage/SpellMode.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"

namespace {

// Every field and list is named, no two alike, in either mode; each
// calculator field's name is a word of the header above it, so the names
// follow the header when spell mode rewrites it.
TEST(FieldNames, EveryFieldHasItsOwnNameFromItsHeader)
{
    for (bool spell : {false, true}) {
        SCOPED_TRACE(spell ? "spell mode" : "calculator");
        MemoryForm form;
        form.SetCheck(IDC_SPELL_MODE, spell);
        ApplySpellMode(form);
        std::set<std::string> names;
        for (const ControlDef& def : ControlMap) {
            if (def.kind != ControlKind::Edit && def.kind != ControlKind::Combo)
                continue;
            const std::string name = FieldName(form, def.id);
            EXPECT_FALSE(name.empty()) << def.name;
            EXPECT_TRUE(names.insert(name).second) << def.name << " " << name;
            if (def.y < FindControlDef(IDC_GROUP_ESTIMATE)->y && form.IsEnabled(def.id)) {
                EXPECT_NE(form.FullText(IDC_CALC_HEADER).find(name), std::string::npos) << def.name;
            }
        }
    }
}

TEST(FieldNames, RowsAreNamedByRowAndColumnAndResultsAnnouncedInOrder)
{
    MemoryForm form;
    EXPECT_EQ(FieldName(form, IDC_OBS_DAMAGE_0 + 2), "3行目 クリダメ");
    EXPECT_EQ(FieldName(form, IDC_OBS_CHAIN_0 + 5), "6行目 連携数");
    EXPECT_EQ(FieldName(form, IDC_ATTR_RATE), "属性倍率");
    EXPECT_EQ(FieldName(form, IDC_EST_RUN), "");
    form.SetText(IDC_RESULT_CRIT, "1170");
    form.SetText(IDC_RESULT_AVG, "780");
    form.SetText(IDC_RESULT_MIN, "585");
    EXPECT_EQ(CalculationAnnouncement(form), "ダメージ計算: クリティカル 1170、非クリ平均 780、非クリ最低 585");
}

// A phone's caption is the column's name, the same in every row, the chain
// column's included; a field spell mode disables has none.
TEST(FieldNames, CaptionsNameTheColumnAndLeaveDisabledFieldsBare)
{
    const struct {
        bool spell;
        int id;
        const char* caption;
    } cases[] = {
        {false, IDC_ATTACK, "攻撃"},           {false, IDC_DEFENSE, "敵防御"},
        {false, IDC_ATTR_RATE2, "複属性"},     {true, IDC_ATTACK, "術適正"},
        {true, IDC_CHARM, "愛"},               {true, IDC_ATTR_RATE, "属性倍率"},
        {true, IDC_DEFENSE, ""},               {true, IDC_ATTR_RATE2, ""},
        {false, IDC_OBS_DAMAGE_0 + 2, "クリダメ"}, {true, IDC_OBS_ATTR_0, "属性"},
        {false, IDC_OBS_CHAIN_0 + 5, "連携数"}, {false, IDC_EST_RUN, ""},
    };
    for (const auto& c : cases) {
        MemoryForm form;
        form.SetCheck(IDC_SPELL_MODE, c.spell);
        ApplySpellMode(form);
        EXPECT_EQ(FieldCaption(form, c.id), c.caption) << c.id << (c.spell ? " in spell mode" : "");
    }
}

} // namespace
