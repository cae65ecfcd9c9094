#include "web/FieldEntry.h"

#include <gtest/gtest.h>

#include <tuple>

#include "form/ControlMap.h"
#include "form/MemoryForm.h"

namespace {

// Whatever the path, the field's text as it would be, split at the caret:
// the text the field then holds and the caret, or none for a refusal.
TEST(FieldEntry, TheFieldTakesTheNumberAsReadWithTheCaretAfterTheSameDigits)
{
    const struct {
        const char* why;
        std::string before, after;
        FieldEntry expected;
    } cases[] = {
        {"a paste with a blank, before digits", " 12", "08", {true, "1208", 2}},
        {"thousands separator, caret after it", "1,2", "08", {true, "1208", 2}},
        {"a full-width minus kept as ASCII", "－５", "", {true, "-5", 2}},
        {"a comma typed after one digit", "1,", "", {false, "", 0}},
        {"beyond the window's limit: cut there", std::string(EditTextLimit + 5, '7'), "",
         {true, std::string(EditTextLimit, '7'), EditTextLimit}},
    };
    for (const auto& c : cases) {
        const FieldEntry entry = EnterFieldText(c.before, c.after);
        EXPECT_EQ(std::tie(entry.accepted, entry.text, entry.caret),
                  std::tie(c.expected.accepted, c.expected.text, c.expected.caret)) << c.why;
    }
}

// A row with a damage waits for its attack and its power; a blank one or
// a row without damage does not, and a 0 typed is a value.
TEST(FieldEntry, RowsWithADamageNameTheirBlankAttackAndPower)
{
    MemoryForm form;
    for (const auto& [id, text] : std::initializer_list<std::pair<int, const char*>>{
             {IDC_OBS_DAMAGE_0, "1"}, {IDC_OBS_DAMAGE_0 + 2, "878"}, {IDC_OBS_ATTACK_0 + 2, "55"},
             {IDC_OBS_POWER_0 + 2, " "}, {IDC_OBS_DAMAGE_0 + 3, "1522"}, {IDC_OBS_ATTACK_0 + 3, "0"},
             {IDC_OBS_POWER_0 + 3, "280"}, {IDC_OBS_ATTACK_0 + 4, "60"}})
        form.SetText(id, text);
    std::vector<std::pair<int, std::vector<int>>> found;
    for (const IncompleteRow& row : IncompleteRows(form))
        found.push_back({row.row, row.missing});
    EXPECT_EQ(found, (decltype(found){{0, {IDC_OBS_ATTACK_0, IDC_OBS_POWER_0}}, {2, {IDC_OBS_POWER_0 + 2}}}));
    EXPECT_EQ(IncompleteHint(form, IncompleteRows(form)[0]), "1行目: 攻撃・技威力が未入力です。入力すると推定します");
}

} // namespace
