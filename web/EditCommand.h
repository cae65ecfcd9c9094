// What an edit on the page reruns, so that no result on screen is older
// than the controls.
#pragma once

// The command that brings up to date what an edit of the control changes
// (the page reruns it on every edit): the run button of the panel whose
// frame holds the control; for the spell-mode box, which stands above
// both, the calculator's. 0 for a control whose edits change nothing.
int RecomputeCommandOf(int id);
