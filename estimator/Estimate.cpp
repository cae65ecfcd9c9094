#include "estimator/Estimate.h"

#include <algorithm>

#include "damage/DamageFormula.h"
#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

// Stores every observation up to the first whose attribute list has no
// selection, which it reports instead of guessing a kind; the rows are all
// counted.
void StoreObservations(const ObservationSet& set, EstimatorState& state, Estimate& estimate)
{
    for (int i = 0; i < set.count; ++i) {
        const ObservedRow& observed = set.rows[i];
        estimate.rows[estimate.rowCount++] = observed.row;
        if (estimate.missingRow != 0)
            continue;
        if (!HasAttribute(observed)) {
            estimate.missingRow = observed.row;
            continue;
        }
        AddObservation(state, {observed.damage, observed.attack, observed.power, observed.attribute,
                               observed.chainCount, StatFactor(observed.strength, observed.charm)});
    }
    estimate.observationCount = state.observationCount;
}

void ReadChosen(const EstimatorState& state, Estimate& estimate)
{
    estimate.chosen = GetCandidate(state, 0);
    for (int i = 0; i < state.observationCount; ++i) {
        estimate.reproduced[i] = CandidateReproduces(state, state.bestList[0], i);
        estimate.predicted[i] = HasPrediction(state, i);
        estimate.prediction[i] = state.predictedDamage[i];
    }
    estimate.outcome =
        estimate.chosen.hits == state.observationCount ? EstimateOutcome::Success : EstimateOutcome::PartialSuccess;
    estimate.furtherCount = state.tieCount;
    estimate.shownCount = std::min(state.tieCount, ShownFurtherCandidates);
    for (int n = 0; n < estimate.shownCount; ++n)
        estimate.further[n] = GetCandidate(state, n + 1);
}

std::string PredictedText(const Estimate& e)
{
    std::string predicted;
    for (int i = 0; i < e.observationCount; ++i) {
        predicted += e.predicted[i] ? FormatText("%d", e.prediction[i]) : MessageText(MessageId::Unknown);
        predicted += "  ";
    }
    return predicted;
}

std::string FurtherRatesText(const CandidateView& candidate)
{
    std::string rates;
    for (int a = 0; a < AttributeKindCount; ++a) {
        if (a > 0)
            rates += "\u3000 ";
        // An unknown rate keeps a blank after it, as the label always had.
        rates += RateText(candidate.rates[a]) + (candidate.rates[a] == -1.0 ? " " : "");
    }
    return rates;
}

std::string& Label(std::array<std::string, ResultLabelCount>& labels, int id)
{
    return labels[static_cast<std::size_t>(id - IDC_EST_DEFENSE)];
}

constexpr int RateLabels[AttributeKindCount] = {IDC_EST_RATE_SLASH, IDC_EST_RATE_STRIKE, IDC_EST_RATE_THRUST};

} // namespace

bool EstimateFound(const Estimate& estimate)
{
    return estimate.outcome == EstimateOutcome::Success || estimate.outcome == EstimateOutcome::PartialSuccess;
}

Estimate EstimateRows(const Form& form, EstimatorState& state)
{
    return EstimateObservations(ReadObservationSet(form), state);
}

Estimate EstimateObservations(const ObservationSet& set, EstimatorState& state)
{
    Estimate estimate{};
    ResetEstimator(state);
    StoreObservations(set, state, estimate);
    if (estimate.missingRow != 0) {
        estimate.outcome = EstimateOutcome::AttributeMissing;
        return estimate;
    }
    if (state.observationCount == 0) {
        estimate.outcome = EstimateOutcome::NoData;
        return estimate;
    }
    SelectDefense(state);
    const CandidateView chosen = GetCandidate(state, 0);
    DebugTrace("a %d %.3f %.3f %.3f\n", chosen.defense, chosen.rates[Slash], chosen.rates[Strike],
               chosen.rates[Thrust]);
    if (chosen.defense == -1) {
        estimate.outcome = EstimateOutcome::NoSolution;
        return estimate;
    }
    ReadChosen(state, estimate);
    return estimate;
}

std::array<std::string, ResultLabelCount> ResultLabelTexts(const Estimate& e)
{
    std::array<std::string, ResultLabelCount> labels;
    std::string& defense = Label(labels, IDC_EST_DEFENSE);
    switch (e.outcome) {
    case EstimateOutcome::AttributeMissing:
        defense = FormatText(MessageText(MessageId::ResultAttributeMissing), e.missingRow);
        return labels;
    case EstimateOutcome::NoData: defense = MessageText(MessageId::ResultNoData); return labels;
    case EstimateOutcome::NoSolution: defense = MessageText(MessageId::ResultNoSolution); return labels;
    case EstimateOutcome::Success:
    case EstimateOutcome::PartialSuccess: break;
    }
    defense = FormatText("%d", e.chosen.defense);
    for (int a = 0; a < AttributeKindCount; ++a)
        Label(labels, RateLabels[a]) = RateText(e.chosen.rates[a]);
    Label(labels, IDC_EST_SUMMARY) =
        FormatText(MessageText(e.outcome == EstimateOutcome::Success ? MessageId::ResultSuccess : MessageId::ResultPartial),
                   e.observationCount, e.chosen.hits);
    Label(labels, IDC_EST_PREDICTED) = PredictedText(e);
    if (e.furtherCount == 0)
        return labels;
    Label(labels, IDC_EST_MORE) = FormatText(MessageText(MessageId::ResultMore), e.furtherCount);
    for (int n = 0; n < e.shownCount; ++n) {
        Label(labels, IDC_EST_ALT1_DEFENSE + 2 * n) = FormatText("%d", e.further[n].defense);
        Label(labels, IDC_EST_ALT1_RATES + 2 * n) = FurtherRatesText(e.further[n]);
    }
    return labels;
}

// The order of the writes a recording form sees: all thirteen cleared,
// then the defense (or the message), the rates, the summary, the
// predictions, the further candidates' count and each of them.
void WriteResultLabels(Form& form, const Estimate& estimate)
{
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        form.SetText(id, "");
    const std::array<std::string, ResultLabelCount> labels = ResultLabelTexts(estimate);
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        if (const std::string& text = labels[static_cast<std::size_t>(id - IDC_EST_DEFENSE)]; !text.empty())
            form.SetText(id, text);
}

bool ObservationRowUsed(const Form& form, int r)
{
    return form.GetNumber(ObservationRowIds(r).damage) > 0;
}
