#include "cli/Cli.h"

#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/DamageCommand.h"
#include "cli/EstimateCommand.h"

namespace {

constexpr int UsageError = 2;

const char ObservationFileHelp[] =
    "Observation files: one critical hit per line, seven integers separated by blanks:\n"
    "  damage attack power attribute strength charm chain\n"
    "  attribute 0 slash (斬), 1 strike (打), 2 thrust (突); chain 0 or 2 to 5.\n"
    "  Lines starting with # are comments; lines without seven numbers or with a\n"
    "  damage below 1 are skipped; the first six hits are used.\n"
    "Exit status: 0 done, 1 a file could not be opened or held no observation, 2 usage error.";

} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app("torume: トルメ ダメージ計算機 from the command line.\n"
                 "Drives the window's two commands on an in-memory form.",
                 "torume");
    app.require_subcommand(1);
    // Options start with "-" on every platform: "/" begins a path.
    app.allow_windows_style_options(false);
    app.footer(ObservationFileHelp);

    DamageOptions damage = InitialDamageOptions();
    CLI::App* damageCommand = app.add_subcommand(
        "damage", "Damage of the calculator panel: critical, non-critical average and minimum");
    AddDamageOptions(*damageCommand, damage);

    EstimateOptions estimate;
    CLI::App* estimateCommand = app.add_subcommand(
        "estimate", "Enemy defense and attribute rates that reproduce the observations of a file;\n"
                    "several files: one summary line each");
    AddEstimateOptions(*estimateCommand, estimate);
    estimateCommand->footer(ObservationFileHelp);

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
