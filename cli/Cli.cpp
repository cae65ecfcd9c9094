#include "cli/Cli.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Version.h"
#include "cli/DamageCommand.h"
#include "cli/EstimateCommand.h"
#include "resources/ResourceText.h"

// The one source file that includes CLI11: it takes a minute to compile.

namespace {

constexpr int WriteFailed = 1;
constexpr int UsageError = 2;

const char ObservationFileHelp[] =
    "Observation files: one critical hit per line, seven integers separated by blanks\n"
    "(a + or - right after a number's digits starts the next number):\n"
    "  damage attack power attribute strength charm chain\n"
    "  attribute 0 slash (斬), 1 strike (打), 2 thrust (突); chain 0 or 2 to 5.\n"
    "  Lines starting with # are comments; blank lines and damages below 1 are\n"
    "  skipped; the first six hits are used. Lines that cannot be read (full-width\n"
    "  digits, commas, fewer than seven numbers) and hits beyond the sixth are\n"
    "  reported on standard error as FILE:LINE: reason.\n"
    "--name= with nothing after the sign sets an empty field, like --name \"\".\n"
    "Exit status: 0 done; 1 a file could not be read or held no observation, or\n"
    "the output could not be written; 2 usage error.";

void AddDamageOptions(CLI::App& app, DamageOptions& options)
{
    const CLI::Validator rateItem(
        [](std::string& value) {
            return RateItemIndex(value) < 0 ? "not a rate of the list (" + RateListText() + ")" : std::string();
        },
        "RATE");
    app.add_option("--attack", options.attack, "attack (spell aptitude in spell mode)")->capture_default_str();
    app.add_option("--power", options.power, "technique power (spell power)")->capture_default_str();
    CLI::Option* defense = app.add_option("--defense", options.defense, "enemy defense")->capture_default_str();
    app.add_option("--strength", options.strength, "strength (intelligence)")->capture_default_str();
    app.add_option("--charm", options.charm, "charm (love)")->capture_default_str();
    CLI::Option* rate = app.add_option("--rate", options.rate, "attribute rate in percent: " + RateListText())
                            ->capture_default_str()
                            ->check(rateItem);
    CLI::Option* rate2 = app.add_option("--rate2", options.rate2, "second attribute rate")
                             ->capture_default_str()
                             ->check(rateItem);
    app.add_flag("--attack-up", options.attackUp, "tick attack up (x1.3)");
    app.add_flag("--defense-down", options.defenseDown, "tick defense down (x0.7, rounded up)");
    app.add_flag("--spell", options.spell, "spell mode: no defense, second rate held at 100")->excludes(rate2);
    const CLI::Validator attributeItem(
        [](std::string& value) {
            return AttributeItemIndex(value) < 0 ? std::string("not an attribute (斬, 打, 突)") : std::string();
        },
        "斬|打|突");
    CLI::Option* enemy = app.add_option("--enemy", options.enemy,
                                        "an observation file: its estimated defense and its rate for --attribute "
                                        "replace --defense and --rate")
                             ->excludes(defense)
                             ->excludes(rate);
    CLI::Option* attribute =
        app.add_option("--attribute", options.attribute, "the attribute whose estimated rate --enemy takes")
            ->check(attributeItem);
    enemy->needs(attribute);
    attribute->needs(enemy);
    app.add_flag("--json", options.json, "print {\"labels\": {id: text}} instead of text");
    app.add_flag("--explain", options.explain,
                 "show each evaluation's intermediate values: adjusted attack and defense, StatFactor, M, "
                 "AttackTerm, DefenseTerm, the product before and after the 1e-11 guard");
}

void AddEstimateOptions(CLI::App& app, EstimateOptions& options)
{
    app.add_option("file", options.files,
                   "observation files; - reads standard input; torume.exe expands * and ? itself")->required();
    app.add_flag("--json", options.json,
                 "print JSON: {\"labels\", \"rows\", \"diagnosis\", \"skipped\"} per file; an array for several "
                 "files");
    app.add_flag("--trace", options.trace, "write the estimator's trace lines to standard error");
    app.add_flag("--candidates", options.candidates,
                 "also list every candidate: defense, rates, hits, the rows it reproduces");
}

bool TakesValue(const CLI::App& app, const std::string& name)
{
    for (const CLI::App* command : app.get_subcommands({}))
        for (const CLI::Option* option : command->get_options())
            if (option->check_lname(name.substr(2)) && option->get_expected_min() > 0)
                return true;
    return false;
}

// CLI11 reads "--name=" as "--name" with no value and takes the next
// argument as the value. A player means an empty field, so such an
// argument becomes "--name" "" before parsing (up to a bare "--").
std::vector<std::string> SplitEmptyValues(const CLI::App& app, int argc, const char* const* argv)
{
    std::vector<std::string> args;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        options = options && arg != "--";
        if (options && arg.size() > 3 && arg.starts_with("--") && arg.find('=') == arg.size() - 1 &&
            TakesValue(app, arg.substr(0, arg.size() - 1))) {
            args.push_back(arg.substr(0, arg.size() - 1));
            args.emplace_back();
        } else {
            args.push_back(arg);
        }
    }
    return args;
}

int RunCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app("torume: " TEXT_PRODUCT_NAME " from the command line.\n"
                 "Drives the window's two commands on an in-memory form.",
                 "torume");
    app.require_subcommand(1);
    // Options start with "-" on every platform: "/" begins a path.
    app.allow_windows_style_options(false);
    app.footer(ObservationFileHelp);
    app.set_version_flag("--version", "torume " TORUME_VERSION);

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
        // CLI11 takes the arguments last first.
        std::vector<std::string> args = SplitEmptyValues(app, argc, argv);
        std::reverse(args.begin(), args.end());
        app.parse(args);
    } catch (const CLI::Success& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        app.exit(e, err, err);
        return UsageError;
    }

    if (damageCommand->parsed())
        return RunDamageCommand(damage, out, err);
    if (estimateCommand->parsed())
        return RunEstimateCommand(estimate, out, err);
    return UsageError;
}

} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    const int status = RunCommand(argc, argv, out, err);
    // Output that could not be written is a failure, not a silent success.
    errno = 0;
    if (!out.flush()) {
        err << "torume: cannot write the output" << (errno ? std::string(": ") + std::strerror(errno) : "") << '\n';
        return WriteFailed;
    }
    return status;
}
