#include "observations/ObservationSave.h"

#include <cstdint>
#include <iterator>

#include "Version.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"

namespace {

// The program's name (TEXT_PRODUCT_NAME) in code page 932, as the file is:
// written out, so that the page needs no code page tables for it; the
// tests check it against the converter's bytes.
constexpr char ProgramNameCp932[] = "\x83\x67\x83\x8B\x83\x81 \x83\x5F\x83\x81\x81\x5B\x83\x57\x8C\x76\x8E\x5A\x8B\x40";

constexpr int NoAttributeCode = -1;

int AttributeCode(int selection)
{
    return selection >= 0 && selection < static_cast<int>(std::size(AttributeItems)) ? selection : NoAttributeCode;
}

} // namespace

SavedObservations SaveObservationRows(const Form& form)
{
    SavedObservations saved{0, std::string("# ") + ProgramNameCp932 + " " + TORUME_VERSION + "\r\n"};
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        const std::int32_t damage = form.GetNumber(row.damage);
        if (damage < 1)
            continue;
        saved.bytes += FormatText("%d %d %d %d %d %d %d\r\n", damage, form.GetNumber(row.attack),
                                  form.GetNumber(row.power), AttributeCode(form.GetSelection(row.attribute)),
                                  form.GetNumber(row.strength), form.GetNumber(row.charm),
                                  ChainCodeOfItem(form.GetSelection(row.chain)));
        ++saved.rowCount;
    }
    return saved;
}
