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
    std::string enemy;     // an observation file whose estimate sets the defense and rate
    std::string attribute; // 斬, 打 or 突: whose rate
};

DamageOptions InitialDamageOptions();

// The rate list's item index for its text ("50" ... "137.5"), or -1.
int RateItemIndex(const std::string& text);
// The rate items for a message: "50, 62.5, ..., 137.5".
std::string RateListText();

// The attribute list's index for its text (斬, 打, 突, in UTF-8), or -1.
int AttributeItemIndex(const std::string& text);

// Exit status 1 when the enemy's file cannot be estimated or its estimate
// has no rate for the attribute, said on err.
int RunDamageCommand(const DamageOptions& options, std::ostream& out, std::ostream& err);
