#include "cli/Cli.h"

#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/DamageCommand.h"
#include "cli/EstimateCommand.h"

namespace {
constexpr int UsageError = 2;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app("torume: トルメ ダメージ計算機 from the command line", "torume");
    app.require_subcommand(1);

    DamageOptions damage = InitialDamageOptions();
    CLI::App* damageCommand = app.add_subcommand(
        "damage", "Damage of the calculator panel: critical, non-critical average and minimum");
    AddDamageOptions(*damageCommand, damage);

    EstimateOptions estimate;
    CLI::App* estimateCommand = app.add_subcommand(
        "estimate", "Enemy defense and attribute rates that reproduce the observations of a file");
    AddEstimateOptions(*estimateCommand, estimate);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        app.exit(e, err, err);
        return UsageError;
    }

    if (damageCommand->parsed())
        return RunDamageCommand(damage, out);
    if (estimateCommand->parsed())
        return RunEstimateCommand(estimate, out, err);
    return UsageError;
}
