#include "web/EditCommand.h"

#include "commands/PanelCommand.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"
#include "observations/PastedTable.h"

namespace {

std::string CalculatorResults(const MemoryForm& form)
{
    return form.FullText(IDC_RESULT_CRIT) + " " + form.FullText(IDC_RESULT_AVG) + " " + form.FullText(IDC_RESULT_MIN);
}

// Changing any input of the calculator, then running what RecomputeCommandOf
// names (after the control's own command, as a click delivers it), changes
// the results: no input is left out of the live update.
TEST(RecomputeCommand, EveryCalculatorInputRerunsTheCalculation)
{
    for (const ControlDef& def : ControlMap) {
        const bool input = def.kind == ControlKind::Edit || def.kind == ControlKind::Combo ||
                           def.kind == ControlKind::Check;
        if (!input || IsObservationRowControl(def.id))
            continue;
        SCOPED_TRACE(def.name);
        MemoryForm form;
        ASSERT_EQ(RecomputeCommandOf(def.id), IDC_CALC_RUN);
        RunPanelCommand(form, IDC_CALC_RUN);
        const std::string before = CalculatorResults(form);
        switch (def.kind) {
        case ControlKind::Edit: form.SetText(def.id, "99"); break;
        case ControlKind::Combo: form.SetSelection(def.id, 0); break;
        default: form.SetCheck(def.id, true); break;
        }
        RunPanelCommand(form, def.id);
        RunPanelCommand(form, RecomputeCommandOf(def.id));
        EXPECT_NE(CalculatorResults(form), before);
    }
}

TEST(RecomputeCommand, RowsRerunTheEstimationAndOtherControlsNothing)
{
    for (const ControlDef& def : ControlMap) {
        SCOPED_TRACE(def.name);
        if (IsObservationRowControl(def.id)) {
            EXPECT_EQ(RecomputeCommandOf(def.id), IDC_EST_RUN);
        } else if (def.kind == ControlKind::Label || def.kind == ControlKind::Button ||
                   def.kind == ControlKind::Group || def.kind == ControlKind::Spin) {
            EXPECT_EQ(RecomputeCommandOf(def.id), 0);
        }
    }
    EXPECT_EQ(RecomputeCommandOf(12345), 0);
}

// A spin arrow reads its buddy as every numeric field is read and stays
// within the spin button's range.
TEST(SpinStep, StepsTheBuddysIntegerWithinTheRange)
{
    const struct {
        int spin;
        const char* text;
        int delta;
        const char* stepped;
    } cases[] = {
        {IDC_ATTACK_SPIN, "199", 1, "200"},
        {IDC_ATTACK_SPIN, "200", 1, "200"},
        {IDC_ATTACK_SPIN, "1", -1, "1"},
        {IDC_ATTACK_SPIN, "", 1, "1"},                 // no digits read as 0
        {IDC_ATTACK_SPIN, "x", -1, "1"},
        {IDC_ATTACK_SPIN, "-50", 1, "1"},
        {IDC_ATTACK_SPIN, "99999999999", -1, "200"},   // saturates, then the range
        {IDC_POWER_SPIN, " 300abc", 1, "301"},
        {IDC_POWER_SPIN, "１５", 1, "16"}, // full-width digits
        {IDC_CHARM_SPIN, "1", -1, "0"},
        {IDC_CHARM_SPIN, "0", -1, "0"},
        {IDC_DEFENSE_SPIN, "98", 1, "99"},
        {IDC_STRENGTH_SPIN, "+7", -1, "6"},
    };
    for (const auto& c : cases) {
        MemoryForm form;
        form.SetText(FindControlDef(c.spin)->buddyId, c.text);
        EXPECT_EQ(SteppedText(form, c.spin, c.delta), c.stepped) << c.spin << " '" << c.text << "' " << c.delta;
    }
    MemoryForm form;
    EXPECT_EQ(SteppedText(form, IDC_ATTACK, 1), "");
    EXPECT_EQ(SteppedText(form, 12345, 1), "");
}

// Where a paste goes: the table rule for the rows and the page, one value
// into any edit field, and everything else loads as a file.
TEST(PasteKind, TablesFillRowsOneValueGoesIntoTheFieldTheRestLoads)
{
    const struct {
        int id;
        std::string_view text;
        PasteKind kind;
    } cases[] = {
        {IDC_OBS_DAMAGE_0, "1208", PasteKind::Value},
        {IDC_OBS_DAMAGE_0, "  1208\r\n", PasteKind::Value},
        {IDC_OBS_DAMAGE_0, "", PasteKind::Value},
        {IDC_OBS_DAMAGE_0 + 1, "1776\t45\t320", PasteKind::Table},
        {IDC_OBS_POWER_0 + 2, "300\r\n280\r\n", PasteKind::Table},
        {IDC_OBS_DAMAGE_0, "1208 50 300 0 10 10 0\n", PasteKind::File},
        {IDC_OBS_DAMAGE_0, "1208 50", PasteKind::File},
        {IDC_OBS_ATTR_0 + 3, "\x8E\x61\n\x91\xC5", PasteKind::Table}, // 斬, 打 in a list
        {IDC_OBS_ATTR_0 + 3, "1", PasteKind::File},                 // a list takes no typed value
        {IDC_ATTACK, "50", PasteKind::Value},
        {IDC_ATTACK, "50 60", PasteKind::File},
        {IDC_ATTACK, "50\n60", PasteKind::File},
        {IDC_ATTACK, "50\t60", PasteKind::File},
        {IDC_CALC_RUN, "50", PasteKind::File},
        {IDC_SPELL_MODE, "50", PasteKind::File},
        {0, "1208 50 300 0 10 10 0", PasteKind::File},
        {0, "1208\t50\t300\t斬", PasteKind::Table}, // the page or the paste box: from the first row
        {0, "1208\n878\n", PasteKind::Table},
    };
    for (const auto& c : cases) {
        TableReader reader;
        const std::optional<RowPlace> place = RowPlaceOf(c.id);
        StartTableRead(reader, place ? place->row : 0, place ? place->column : 0);
        ReadTableBytes(reader, c.text.data(), c.text.size());
        const bool table = FinishTableRead(reader);
        EXPECT_EQ(PasteKindName(PasteKindOf(c.id, table, reader)), std::string(PasteKindName(c.kind)))
            << c.id << " '" << c.text << "'";
    }
}

TEST(PasteKind, RowPlacesAreTheFilesColumns)
{
    for (int r = 0; r < ObservationRowCount; ++r)
        for (int c = 0; c < ObservationFieldCount; ++c) {
            const std::optional<RowPlace> place = RowPlaceOf(ObservationRowIds(r).*ObservationFields[c]);
            ASSERT_TRUE(place);
            EXPECT_EQ(place->row, r);
            EXPECT_EQ(place->column, c);
        }
    EXPECT_FALSE(RowPlaceOf(IDC_ATTACK));
    EXPECT_FALSE(RowPlaceOf(0));
}

} // namespace
