// The commands of the two panels' controls, routed once for the window,
// the page and the command line: the two "計算実行" buttons and the spell-mode box act; the
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
