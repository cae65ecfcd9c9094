#include "estimator/DefenseEstimation.h"

#include "estimator/EstimatorState.h"
#include "form/Form.h"

Estimate RunDefenseEstimation(Form& form)
{
    return RunDefenseEstimation(form, Estimator);
}

Estimate RunDefenseEstimation(Form& form, EstimatorState& state)
{
    const Estimate estimate = EstimateRows(form, state);
    WriteResultLabels(form, estimate);
    return estimate;
}
