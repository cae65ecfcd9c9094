// `torume damage`: the calculator panel's command from the command line.
#pragma once

#include <iosfwd>
#include <string>

// Field texts and rate items; they start as the panel's initial state.
struct DamageOptions {
    std::string attack;
    std::string power;
    std::string defense;
    std::string strength;
    std::string charm;
    std::string rate;
    std::string rate2;
    bool attackUp = false;
    bool defenseDown = false;
    bool spell = false;
    bool json = false;
    bool explain = false;
};

DamageOptions InitialDamageOptions();

// The rate list's item index for its text ("50" ... "137.5"), or -1.
int RateItemIndex(const std::string& text);
// The rate items for a message: "50, 62.5, ..., 137.5".
std::string RateListText();

int RunDamageCommand(const DamageOptions& options, std::ostream& out);
