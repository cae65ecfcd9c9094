// `torume damage`: the calculator panel's command from the command line.
#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

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

// Declares the subcommand's options on app, storing into options.
void AddDamageOptions(CLI::App& app, DamageOptions& options);

int RunDamageCommand(const DamageOptions& options, std::ostream& out);
