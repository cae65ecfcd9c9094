// The estimate report, one text for both programs: what `torume estimate`
// prints and what the window's dialog "候補一覧と診断" shows, made from the
// estimation's record, in UTF-8 with LF line ends; the window turns them
// into CR LF.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "estimator/EstimateAnalysis.h"

// The result labels in reading order, every candidate when candidates is
// set, the diagnosis of each row the estimate does not reproduce, and with
// the candidates, each attack's damage against the estimated enemy and the
// hits worth recording next.
std::string EstimateReportText(const EstimateAnalysis& analysis, bool candidates);

// The report with every candidate for the observation rows of any form as
// they stand, estimated or not: the rows are estimated again on a copy and
// a state of their own, untraced, so the form and the process's estimator
// stay as they are.
std::string RowsReportText(const Form& form);

// The estimate on one line, "防御 30　斬 1.000　…　計算成功 …", or the
// estimation's message alone.
std::string EstimateLine(const Estimate& estimate);

// What the diagnosis says of its row: that it conflicts with the others
// (its estimate without the row follows), or that it is likely mistyped.
std::string DiagnosisSentence(const RowDiagnosis& diagnosis);

// An attack's cells under the attacks' headings: attack, strength, charm,
// power, attribute, then the critical, average and minimum damage, each
// the message for what is not known (不明) where the enemy's rate is not known.
constexpr std::size_t AttackCellCount = 8;
std::array<std::string, AttackCellCount> AttackCells(const AttackFigures& attack);

// The advice in the report's sentences, each indented as the report has
// it: the enemies that still fit, then the first three moves (moves); or
// that the enemy is known; or that no move tells the enemies left apart,
// and which they are. Nothing without an enemy left.
struct AdviceSentences {
    std::vector<std::string> lines;
    std::vector<std::string> moves; // best first
};
AdviceSentences AdviceText(const Advice& advice);

// A move in the player's terms: "攻撃 50 腕力 10 魅力 10、技威力 300 斬".
std::string MoveValuesText(const Move& move);

// An advised move, ranked: the rows of its attacker and its technique, its
// values, and the enemies left after it on average and at most.
std::string AdvisedMoveText(const MoveAdvice& advice, int rank);

// The candidates' mark: "*" the chosen one, "=" one tied with it.
const char* CandidateMark(const CandidateInfo& candidate);

// A candidate's cells under the candidates' headings: its mark, defense,
// slash, strike and thrust rates, hits, and the rows it reproduces ("-"
// for none).
constexpr std::size_t CandidateCellCount = 7;
std::array<std::string, CandidateCellCount> CandidateCells(const CandidateInfo& candidate);
