// The estimate handed to the calculator panel: the enemy's defense and its
// rate for one attribute, so that the panel computes damage against it.
#pragma once

#include "estimator/Estimate.h"

class Form;

// Whether the estimate has a chosen candidate with a rate for attribute
// (0 slash, 1 strike, 2 thrust).
bool CanHandOffEstimate(const Estimate& estimate, int attribute);

// Sets 敵防御 to the chosen defense and the first rate list to its rate for
// attribute, leaves every other control as it is, and runs the damage
// command. False, changing nothing, when the estimate cannot be handed off.
bool HandOffEstimate(Form& form, const Estimate& estimate, int attribute);
