// The estimator panel's command: reads the six observation rows, runs the
// candidate search and writes the thirteen result labels 1011 to 1023.
#pragma once

#include "estimator/Estimate.h"

class Form;
struct EstimatorState;

// Works on the process's one estimator. Returns what the labels now show.
Estimate RunDefenseEstimation(Form& form);

Estimate RunDefenseEstimation(Form& form, EstimatorState& state);
