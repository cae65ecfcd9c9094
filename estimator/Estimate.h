// What one estimation found, as a record: its outcome, the chosen
// candidate with its rates and hits, the damage it predicts for each
// observation, and the candidates tied with it. The result labels, the
// report, the JSON, the page and the window's marks are all made from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "estimator/CandidateSearch.h"
#include "estimator/ObservationSet.h"
#include "form/ControlIds.h"

class Form;

enum class EstimateOutcome : std::uint8_t {
    NoData,           // no row with a damage of 1 or more
    AttributeMissing, // a row's attribute list has no selection: missingRow
    NoSolution,       // no defense and rate reproduces any row
    Success,          // the chosen candidate reproduces every observation
    PartialSuccess,   // it reproduces some
};

constexpr int ShownFurtherCandidates = 3;

struct Estimate {
    EstimateOutcome outcome;
    int missingRow;                   // 1-based, for AttributeMissing
    int rowCount;                     // rows with a damage of 1 or more
    int rows[ObservationRowCount];    // their 1-based numbers
    int observationCount;             // the rows estimated: all, or those before missingRow
    CandidateView chosen;             // for Success and PartialSuccess
    bool reproduced[MaxObservations]; // the chosen candidate gives observation i's damage
    bool predicted[MaxObservations];  // it has a rate for observation i's kind
    std::int32_t prediction[MaxObservations];
    int furtherCount;                 // candidates tied with the chosen one
    int shownCount;                   // of them, the first ones the labels show
    CandidateView further[ShownFurtherCandidates];
};

// Success or PartialSuccess: a candidate was chosen.
bool EstimateFound(const Estimate& estimate);

// Whether the estimation reads row r (0 to 5): its damage is 1 or more.
// The page shows the other rows as unused.
bool ObservationRowUsed(const Form& form, int r);

// The estimation of an observation set on state, read back as a record:
// the search runs and traces, nothing is written.
Estimate EstimateObservations(const ObservationSet& set, EstimatorState& state);

// The same for the rows of form, read once.
Estimate EstimateRows(const Form& form, EstimatorState& state);

constexpr int ResultLabelCount = IDC_EST_ALT3_RATES - IDC_EST_DEFENSE + 1;

// The thirteen result labels' texts, 1011 to 1023 in order, each empty for
// a label the estimate leaves empty.
std::array<std::string, ResultLabelCount> ResultLabelTexts(const Estimate& estimate);

// Every result label cleared, then each text set, in ascending order.
void WriteResultLabels(Form& form, const Estimate& estimate);
