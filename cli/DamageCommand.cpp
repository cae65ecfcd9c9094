#include "cli/DamageCommand.h"

#include <charconv>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/FileEstimate.h"
#include "cli/PrintedName.h"
#include "damage/DamageCalculation.h"
#include "damage/DamageFormula.h"
#include "damage/SpellMode.h"
#include "estimator/EstimateHandOff.h"
#include "form/MemoryForm.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "report/AnalysisJson.h"
#include "report/LoadReport.h"

int RateItemIndex(const std::string& text)
{
    for (std::size_t i = 0; i < std::size(RateItems); ++i)
        if (text == RateItems[i])
            return static_cast<int>(i);
    return -1;
}

int AttributeItemIndex(const std::string& text)
{
    for (std::size_t i = 0; i < AttributeKindCount; ++i)
        if (text == AttributeItems[i])
            return static_cast<int>(i);
    return -1;
}

std::string RateListText()
{
    std::string list;
    for (const char* item : RateItems)
        list += std::string(list.empty() ? "" : ", ") + item;
    return list;
}

namespace {

std::string InitialText(int id)
{
    return FindControlDef(id)->text;
}

std::string InitialRate(int id)
{
    return RateItems[FindControlDef(id)->selection];
}

// The field texts exactly as typed, as the user would type them.
void FillPanel(MemoryForm& form, const DamageOptions& options)
{
    const struct {
        int id;
        const std::string& text;
    } fields[] = {{IDC_ATTACK, options.attack},     {IDC_POWER, options.power}, {IDC_DEFENSE, options.defense},
                  {IDC_STRENGTH, options.strength}, {IDC_CHARM, options.charm}};
    for (const auto& field : fields)
        form.SetText(field.id, field.text);
    form.SetSelection(IDC_ATTR_RATE, RateItemIndex(options.rate));
    form.SetSelection(IDC_ATTR_RATE2, RateItemIndex(options.rate2));
    form.SetCheck(IDC_ATTACK_UP, options.attackUp);
    form.SetCheck(IDC_DEFENSE_DOWN, options.defenseDown);
    if (options.spell) {
        // A click on the spell-mode box: ticks it, then the mode switch runs.
        form.SetCheck(IDC_SPELL_MODE, true);
        ApplySpellMode(form);
    }
}

constexpr std::size_t FigureColumn = 14;

// The shortest text that reads back as the same double: enough to follow
// every rounding by hand (413.99999999999994, not 414).
std::string Exact(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

MessageId VariantMessage(DamageVariant variant)
{
    switch (variant) {
    case DamageVariant::Critical: return MessageId::FigureCritical;
    case DamageVariant::Average: return MessageId::FigureAverage;
    case DamageVariant::Minimum: return MessageId::FigureMinimum;
    }
    return MessageId::FigureCritical;
}

// A figure's name, then blanks up to its value's column.
std::string VariantName(DamageVariant variant, std::size_t width = 0)
{
    return PadToColumns(MessageText(VariantMessage(variant)), width);
}

// The figures' keys in JSON.
const char* VariantKey(DamageVariant variant)
{
    switch (variant) {
    case DamageVariant::Critical: return "critical";
    case DamageVariant::Average: return "average";
    case DamageVariant::Minimum: return "minimum";
    }
    return "";
}

void PrintExplanation(const DamageCalculation& calculation, std::ostream& out)
{
    const CalculatorInputs& in = calculation.inputs;
    for (DamageVariant variant : AllDamageVariants) {
        const int v = static_cast<int>(variant);
        const DamageTerms& terms = calculation.terms[v];
        out << VariantName(variant) << "  " << terms.damage << '\n'
            << "  attack " << in.attack << ", defense " << terms.defense << (in.spellMode ? " (spell mode)" : "")
            << ", power " << in.power << '\n'
            << "  StatFactor " << Exact(in.statFactor) << ", M " << Exact(calculation.multiplier[v]) << ", M x StatFactor "
            << Exact(terms.rate) << '\n'
            << "  AttackTerm " << Exact(terms.attackTerm) << ", DefenseTerm " << Exact(terms.defenseTerm) << '\n'
            << "  DefenseTerm x AttackTerm x power x (M x StatFactor) = " << Exact(terms.beforeGuard) << '\n'
            << "  + 1e-11 = " << Exact(terms.afterGuard) << ", truncated: " << terms.damage << '\n';
    }
}

nlohmann::json ExplanationJson(const DamageCalculation& calculation)
{
    const CalculatorInputs& in = calculation.inputs;
    nlohmann::json json = nlohmann::json::object();
    for (DamageVariant variant : AllDamageVariants) {
        const int v = static_cast<int>(variant);
        const DamageTerms& terms = calculation.terms[v];
        json[std::to_string(ResultLabelOf(variant))] = {
            {"attack", in.attack},           {"defense", terms.defense},
            {"power", in.power},             {"statFactor", in.statFactor},
            {"rateMultiplier", calculation.multiplier[v]}, {"rate", terms.rate},
            {"attackTerm", terms.attackTerm}, {"defenseTerm", terms.defenseTerm},
            {"product", terms.beforeGuard}, {"guarded", terms.afterGuard},
            {"damage", terms.damage}};
    }
    return json;
}

// The enemy's defense and rate from its file's estimate, as the window's
// hand-off sets them.
bool HandOffEnemy(MemoryForm& form, const DamageOptions& options, std::ostream& err)
{
    const EstimateResult enemy = EstimateFile(options.enemy, false, nullptr);
    const std::string name = "torume: " + PrintedName(options.enemy) + ": ";
    if (enemy.load.failure != LoadFailure::None) {
        err << name << LoadFailureMessage(enemy.load) << '\n';
        return false;
    }
    const Estimate& estimate = enemy.analysis.estimate;
    if (!EstimateFound(estimate)) {
        err << name << ResultLabelTexts(estimate)[0] << '\n';
        return false;
    }
    const int attribute = AttributeItemIndex(options.attribute);
    if (!HandOffEstimate(form, estimate, attribute)) {
        err << name
            << ComposeText(MessageText(MessageId::HandOffNoRate), AttributeItems[attribute]) << '\n';
        return false;
    }
    return true;
}

} // namespace

DamageOptions InitialDamageOptions()
{
    DamageOptions options;
    options.attack = InitialText(IDC_ATTACK);
    options.power = InitialText(IDC_POWER);
    options.defense = InitialText(IDC_DEFENSE);
    options.strength = InitialText(IDC_STRENGTH);
    options.charm = InitialText(IDC_CHARM);
    options.rate = InitialRate(IDC_ATTR_RATE);
    options.rate2 = InitialRate(IDC_ATTR_RATE2);
    return options;
}

int RunDamageCommand(const DamageOptions& options, std::ostream& out, std::ostream& err)
{
    MemoryForm form;
    FillPanel(form, options);
    if (!options.enemy.empty() && !HandOffEnemy(form, options, err))
        return 1;
    const DamageCalculation calculation = RunDamageCalculation(form);

    if (options.json) {
        // The labels as the window writes them, and the same figures as
        // numbers, all from the calculation's record.
        nlohmann::json labels = nlohmann::json::object(), damage = nlohmann::json::object();
        for (DamageVariant variant : AllDamageVariants) {
            const std::int32_t figure = calculation.terms[static_cast<int>(variant)].damage;
            labels[std::to_string(ResultLabelOf(variant))] = FormatText("%d", figure);
            damage[VariantKey(variant)] = figure;
        }
        nlohmann::json json = {{"schema", JsonSchemaVersion}, {"labels", labels}, {"damage", damage}};
        if (options.explain)
            json["explain"] = ExplanationJson(calculation);
        out << json.dump() << '\n';
        return 0;
    }
    if (options.explain) {
        PrintExplanation(calculation, out);
        return 0;
    }
    for (DamageVariant variant : AllDamageVariants)
        out << VariantName(variant, FigureColumn) << calculation.terms[static_cast<int>(variant)].damage << '\n';
    return 0;
}
