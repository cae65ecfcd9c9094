// The estimator panel's command: reads the six observation rows, runs the
// candidate search and writes the thirteen result labels 1011 to 1023.
#pragma once

class Form;
struct EstimatorState;

// Works on the process's one estimator.
void RunDefenseEstimation(Form& form);

void RunDefenseEstimation(Form& form, EstimatorState& state);
