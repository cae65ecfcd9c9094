// The spell-mode switch: brings the calculator panel in line with the
// check state of the spell-mode box after each click on it.
#pragma once

class Form;

void ApplySpellMode(Form& form);
