#include "web/EditCommand.h"

#include "commands/PanelCommand.h"

#include <string>

#include <gtest/gtest.h>

#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"

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

} // namespace
