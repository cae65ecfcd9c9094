// Control IDs of the main window, grouped by kind: the base of a kind
// (900 group boxes, 1000 labels, 2000 edit fields, 3000 spin buttons,
// 4000 drop-down lists, 5000 push buttons, 6000 check boxes) plus a slot.
#pragma once

// Group boxes
constexpr int IDC_GROUP_CALC = 900;
constexpr int IDC_GROUP_ESTIMATE = 901;

// Labels
constexpr int IDC_CALC_HEADER = 1001;
constexpr int IDC_CALC_RESULT_HEADER = 1004;
constexpr int IDC_RESULT_CRIT = 1005;
constexpr int IDC_RESULT_AVG = 1006;
constexpr int IDC_RESULT_MIN = 1007;
constexpr int IDC_EST_HEADER = 1008;
constexpr int IDC_EST_RESULT_TITLE = 1009;
constexpr int IDC_EST_RESULT_HEADER = 1010;
constexpr int IDC_EST_DEFENSE = 1011;
constexpr int IDC_EST_RATE_SLASH = 1012;
constexpr int IDC_EST_RATE_STRIKE = 1013;
constexpr int IDC_EST_RATE_THRUST = 1014;
constexpr int IDC_EST_SUMMARY = 1015;
constexpr int IDC_EST_PREDICTED = 1016;
constexpr int IDC_EST_MORE = 1017;
constexpr int IDC_EST_ALT1_DEFENSE = 1018;
constexpr int IDC_EST_ALT1_RATES = 1019;
constexpr int IDC_EST_ALT2_DEFENSE = 1020;
constexpr int IDC_EST_ALT2_RATES = 1021;
constexpr int IDC_EST_ALT3_DEFENSE = 1022;
constexpr int IDC_EST_ALT3_RATES = 1023;

// Edit fields; the observation rows are runs of six consecutive IDs.
constexpr int IDC_ATTACK = 2000;
constexpr int IDC_POWER = 2001;
constexpr int IDC_DEFENSE = 2002;
constexpr int IDC_OBS_DAMAGE_0 = 2003;
constexpr int IDC_OBS_ATTACK_0 = 2009;
constexpr int IDC_OBS_POWER_0 = 2015;
constexpr int IDC_STRENGTH = 2021;
constexpr int IDC_CHARM = 2022;
constexpr int IDC_OBS_STRENGTH_0 = 2023;
constexpr int IDC_OBS_CHARM_0 = 2029;

// Spin buttons
constexpr int IDC_ATTACK_SPIN = 3000;
constexpr int IDC_POWER_SPIN = 3001;
constexpr int IDC_DEFENSE_SPIN = 3002;
constexpr int IDC_STRENGTH_SPIN = 3003;
constexpr int IDC_CHARM_SPIN = 3004;

// Drop-down lists
constexpr int IDC_ATTR_RATE = 4001;
constexpr int IDC_OBS_ATTR_0 = 4003;
constexpr int IDC_OBS_CHAIN_0 = 4009;
constexpr int IDC_ATTR_RATE2 = 4015;

// Push buttons
constexpr int IDC_CALC_RUN = 5000;
constexpr int IDC_EST_RUN = 5001;

// Check boxes
constexpr int IDC_SPELL_MODE = 6000;
constexpr int IDC_ATTACK_UP = 6001;
constexpr int IDC_DEFENSE_DOWN = 6002;

constexpr int ObservationRowCount = 6;

// The seven controls of observation row r (0 to 5), in the order of the
// observation file's fields. The only list of them: code that goes
// through a row's controls goes through ObservationFields.
struct ObservationRow {
    int damage;
    int attack;
    int power;
    int attribute;
    int strength;
    int charm;
    int chain;
};

inline constexpr int ObservationRow::*ObservationFields[] = {
    &ObservationRow::damage,   &ObservationRow::attack, &ObservationRow::power, &ObservationRow::attribute,
    &ObservationRow::strength, &ObservationRow::charm,  &ObservationRow::chain};

constexpr int ObservationFieldCount = static_cast<int>(sizeof ObservationFields / sizeof ObservationFields[0]);

constexpr ObservationRow ObservationRowIds(int r)
{
    return {IDC_OBS_DAMAGE_0 + r, IDC_OBS_ATTACK_0 + r, IDC_OBS_POWER_0 + r, IDC_OBS_ATTR_0 + r,
            IDC_OBS_STRENGTH_0 + r, IDC_OBS_CHARM_0 + r, IDC_OBS_CHAIN_0 + r};
}
