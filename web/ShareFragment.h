// What a share link and the page's kept state carry: the calculator
// panel's inputs with spell mode, and the six observation rows, as the
// text after a URL's "#": "calc=1,0,0,50,300,0,0,30,4,4&obs=1208,50,...;...",
// each row as the observation file writes it (the chain as its count).
// Earlier links carried "rows=", the chain as the list's item, and some
// the rows alone; they still open, with the calculator as it starts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "form/ControlIds.h"

class Form;

// The calculator's controls a link carries, check boxes first: spell mode
// changes what the fields mean and must be applied before them.
inline constexpr int SharedCalculatorIds[] = {IDC_SPELL_MODE, IDC_ATTACK_UP, IDC_DEFENSE_DOWN, IDC_ATTACK,
                                              IDC_POWER,      IDC_STRENGTH,  IDC_CHARM,        IDC_DEFENSE,
                                              IDC_ATTR_RATE,  IDC_ATTR_RATE2};
constexpr int SharedCalculatorCount = static_cast<int>(std::size(SharedCalculatorIds));
constexpr int SharedCount = SharedCalculatorCount + ObservationRowCount * ObservationFieldCount;

// Each carried control's value as text: an edit field's text, a list's
// selected index (-1 for none), a check box's "0" or "1". Calculator
// first, then the rows in the file's column order.
struct SharedForm {
    std::array<std::string, SharedCount> values;
};

// The ID of the control whose value is at index i of SharedForm::values.
int SharedControlId(int i);

// A field's text up to its first byte that does not begin a whole UTF-8
// character: the form's 99 bytes may end inside one.
SharedForm ReadSharedForm(const Form& form);
// The form as the control map starts it.
SharedForm InitialSharedForm();

// The fragment without "#"; rows after the last one that differs from its
// initial values are left out. Field texts are percent-encoded.
std::string ShareFragmentOf(const SharedForm& shared);

// Null when the text is not such a fragment: an unknown or repeated key,
// a wrong count of values, a bad escape, a list index outside its items,
// a check value other than 0 or 1, a text that is not UTF-8 (overlong
// forms, surrogates and sequences cut short included), is over 99 bytes
// or holds a control character. A key left out, and rows past the last one given,
// take the initial values.
std::optional<SharedForm> ParseShareFragment(std::string_view fragment);

// Writes the fields' texts and the lists' selections. A Form cannot tick
// a check box: the caller sets them from SharedCheck, then applies spell
// mode, before writing the rest.
void WriteSharedFields(Form& form, const SharedForm& shared);
bool SharedCheck(const SharedForm& shared, int id);

// The form as a player wants it for the next enemy: the six rows as they
// start, and the calculator's values of the enemy (its defense, both
// attribute rates, the defense-down box) too; the player's own values
// (attack, power, strength, charm, attack up) and spell mode stay.
SharedForm ClearedForNewEnemy(const SharedForm& shared);

// Whether the six rows are the same in both.
bool SameSharedRows(const SharedForm& a, const SharedForm& b);
