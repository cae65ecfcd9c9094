// The spell-mode switch: brings the calculator panel in line with the
// check state of the spell-mode box after each click on it.
#pragma once

#include "form/ControlIds.h"

class Form;

// The calculator's controls spell mode disables: a spell meets no defense
// and has one attribute.
inline constexpr int SpellModeDisabled[] = {IDC_DEFENSE, IDC_ATTR_RATE2, IDC_DEFENSE_DOWN};

void ApplySpellMode(Form& form);
