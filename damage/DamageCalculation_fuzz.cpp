// Fuzz target: any texts, selections and boxes in the calculator panel,
// through the spell-mode switch and the calculation command. The command
// must write three integers and touch nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "form/IntegerField.h"
#include "form/MemoryForm.h"

namespace {

const int Fields[] = {IDC_ATTACK, IDC_POWER, IDC_DEFENSE, IDC_STRENGTH, IDC_CHARM};

bool IsIntegerText(const std::string& text)
{
    const IntegerScan scan = ScanInteger(text);
    return scan.converted && scan.end == text.size() && text == std::to_string(scan.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    MemoryForm form;
    // Three control bytes: two rate items (any index, out of range too) and
    // the three boxes; the rest is split into the five field texts at '|'.
    form.SetSelection(IDC_ATTR_RATE, static_cast<std::int8_t>(data[0]));
    form.SetSelection(IDC_ATTR_RATE2, static_cast<std::int8_t>(data[1]));
    form.SetCheck(IDC_ATTACK_UP, data[2] & 1);
    form.SetCheck(IDC_DEFENSE_DOWN, data[2] & 2);
    form.SetCheck(IDC_SPELL_MODE, data[2] & 4);
    ApplySpellMode(form);

    std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
    for (int id : Fields) {
        const std::size_t bar = rest.find('|');
        form.SetText(id, rest.substr(0, bar));
        rest = bar == std::string::npos ? std::string() : rest.substr(bar + 1);
    }
    const MemoryForm before = form;

    RunDamageCalculation(form);

    for (int id : {IDC_RESULT_CRIT, IDC_RESULT_AVG, IDC_RESULT_MIN})
        if (!IsIntegerText(form.FullText(id)))
            std::abort();
    for (const ControlDef& def : ControlMap) {
        if (def.id == IDC_RESULT_CRIT || def.id == IDC_RESULT_AVG || def.id == IDC_RESULT_MIN)
            continue;
        if (form.FullText(def.id) != before.FullText(def.id) || form.GetSelection(def.id) != before.GetSelection(def.id))
            std::abort();
    }
    return 0;
}
