// The observation rows of a form read once, as numbers: every row with a
// damage of 1 or more, in row order, with its row number. The estimation,
// its diagnosis and the JSON work from this set rather than from the
// controls.
#pragma once

#include <cstdint>

#include "form/ControlIds.h"

class Form;

struct ObservedRow {
    int row; // 1-based
    std::int32_t damage;
    std::int32_t attack;
    std::int32_t power;
    int attribute; // the list's selection: a kind 0 to 2, else none
    std::int32_t strength;
    std::int32_t charm;
    int chainCount; // 0 for no chain, else 2 to 5

    bool operator==(const ObservedRow&) const = default;
};

// Rows beyond count are zero, so two sets of the same rows compare equal.
struct ObservationSet {
    int count;
    ObservedRow rows[ObservationRowCount];

    bool operator==(const ObservationSet&) const = default;
};

ObservationSet ReadObservationSet(const Form& form);

// The set without the observation of row (1-based), as if its damage were
// emptied: what a diagnosis estimates again.
ObservationSet WithoutRow(const ObservationSet& set, int row);

// Whether an observation's attribute is one of the kinds.
bool HasAttribute(const ObservedRow& observed);

// The first row (1-based) without an attribute, where the estimation
// stops; 0 when every row has one.
int MissingAttributeRow(const ObservationSet& set);
