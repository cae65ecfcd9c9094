#include "estimator/DefenseEstimation.h"

#include <algorithm>
#include <string>

#include "damage/DamageFormula.h"
#include "estimator/CandidateSearch.h"
#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"

namespace {

constexpr int ShownAlternatives = 3;

struct AlternativeLabels {
    int defense;
    int rates;
};

constexpr AlternativeLabels Alternatives[ShownAlternatives] = {
    {IDC_EST_ALT1_DEFENSE, IDC_EST_ALT1_RATES},
    {IDC_EST_ALT2_DEFENSE, IDC_EST_ALT2_RATES},
    {IDC_EST_ALT3_DEFENSE, IDC_EST_ALT3_RATES},
};

constexpr int RateLabels[AttributeKindCount] = {IDC_EST_RATE_SLASH, IDC_EST_RATE_STRIKE, IDC_EST_RATE_THRUST};

void ClearResultLabels(Form& form)
{
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        form.SetText(id, "");
}

// Stores every row with a positive damage. Returns the 1-based number of
// the first such row whose attribute list has no selection, or 0.
int ReadObservationRows(const Form& form, EstimatorState& state)
{
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        Observation observation{};
        observation.damage = form.GetNumber(row.damage);
        if (observation.damage <= 0)
            continue;
        observation.attack = form.GetNumber(row.attack);
        observation.power = form.GetNumber(row.power);
        observation.attributeKind = form.GetSelection(row.attribute);
        const std::int32_t strength = form.GetNumber(row.strength);
        const std::int32_t charm = form.GetNumber(row.charm);
        if (observation.attributeKind < 0 || observation.attributeKind >= AttributeKindCount)
            return r + 1;
        observation.statFactor = StatFactor(strength, charm);
        observation.chainCount = ChainCountOfItem(form.GetSelection(row.chain));
        AddObservation(state, observation);
    }
    return 0;
}

void WriteChosenCandidate(Form& form, const EstimatorState& state, const CandidateView& chosen)
{
    form.SetText(IDC_EST_DEFENSE, FormatText("%d", chosen.defense));
    for (int a = 0; a < AttributeKindCount; ++a)
        form.SetText(RateLabels[a], RateText(chosen.rates[a]));

    form.SetText(IDC_EST_SUMMARY, chosen.hits == state.observationCount
                                      ? FormatText("計算成功 %dデータ中 %dデータ再現", state.observationCount, chosen.hits)
                                      : FormatText("計算一部成功 %dデータ中 %dデータ再現", state.observationCount,
                                                   chosen.hits));

    std::string predicted;
    for (int i = 0; i < state.observationCount; ++i) {
        predicted += HasPrediction(state, i) ? FormatText("%d", state.predictedDamage[i]) : UnknownText;
        predicted += "  ";
    }
    form.SetText(IDC_EST_PREDICTED, predicted);
}

void WriteAlternatives(Form& form, const EstimatorState& state)
{
    if (state.tieCount == 0)
        return;
    form.SetText(IDC_EST_MORE, FormatText("他候補が%d 個あります、最大3候補まで表示します", state.tieCount));
    const int shown = std::min(state.tieCount, ShownAlternatives);
    for (int n = 1; n <= shown; ++n) {
        const CandidateView candidate = GetCandidate(state, n);
        std::string rates;
        for (int a = 0; a < AttributeKindCount; ++a) {
            if (a > 0)
                rates += "\u3000 ";
            // An unknown rate keeps a blank after it, as the label always had.
            rates += RateText(candidate.rates[a]) + (candidate.rates[a] == -1.0 ? " " : "");
        }
        form.SetText(Alternatives[n - 1].defense, FormatText("%d", candidate.defense));
        form.SetText(Alternatives[n - 1].rates, rates);
    }
}

} // namespace

void RunDefenseEstimation(Form& form)
{
    RunDefenseEstimation(form, Estimator);
}

void RunDefenseEstimation(Form& form, EstimatorState& state)
{
    ResetEstimator(state);
    ClearResultLabels(form);

    // A list without a selection (a file can leave one) has no attribute
    // kind: report the row instead of guessing one.
    if (const int row = ReadObservationRows(form, state)) {
        form.SetText(IDC_EST_DEFENSE, FormatText("%d行目の属性が選択されていません", row));
        return;
    }
    if (state.observationCount == 0) {
        form.SetText(IDC_EST_DEFENSE, "有効なデータがありません");
        return;
    }

    SelectDefense(state);
    const CandidateView chosen = GetCandidate(state, 0);
    DebugTrace("a %d %.3f %.3f %.3f\n", chosen.defense, chosen.rates[Slash], chosen.rates[Strike],
               chosen.rates[Thrust]);
    if (chosen.defense == -1) {
        form.SetText(IDC_EST_DEFENSE, "解が見つかりません");
        return;
    }
    WriteChosenCandidate(form, state, chosen);
    WriteAlternatives(form, state);
}
