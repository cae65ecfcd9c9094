// The commands of the two panels' controls, routed once for the window and
// the page: the two "計算実行" buttons and the spell-mode box act; the
// notifications of every other control, which carry the controls' own
// IDs, do nothing.
#pragma once

#include "estimator/Estimate.h"

class Form;

struct PanelCommandResult {
    bool estimated;    // the estimation ran
    Estimate estimate; // and found this
};

PanelCommandResult RunPanelCommand(Form& form, int id);

// The command that brings up to date what an edit of the control changes
// (the page reruns it on every edit): the run button of the panel whose
// frame holds the control; for the spell-mode box, which stands above
// both, the calculator's. 0 for a control whose edits change nothing.
int RecomputeCommandOf(int id);
