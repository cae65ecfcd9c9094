#include "web/FieldNames.h"

#include <algorithm>
#include <iterator>

#include "damage/SpellMode.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "web/EditCommand.h"

namespace {

// The calculator's fields left to right, as its names are listed.
constexpr int CalculatorFields[] = {IDC_ATTACK, IDC_POWER, IDC_STRENGTH, IDC_CHARM,
                                    IDC_DEFENSE, IDC_ATTR_RATE, IDC_ATTR_RATE2};

// Item k of a tab-separated message.
std::string TabItem(MessageId id, int k)
{
    const std::string text = MessageText(id);
    std::size_t start = 0;
    for (int i = 0; i < k && start != std::string::npos; ++i) {
        start = text.find('\t', start);
        if (start != std::string::npos)
            ++start;
    }
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find('\t', start) - start);
}

} // namespace

std::string FieldName(const Form& form, int id)
{
    if (const std::optional<RowPlace> place = RowPlaceOf(id))
        return ComposeText(MessageText(MessageId::PageRowFieldName), place->row + 1,
                           TabItem(MessageId::PageRowColumns, place->column).c_str());
    const MessageId names = form.GetCheck(IDC_SPELL_MODE) ? MessageId::PageSpellFields : MessageId::PageCalcFields;
    for (int k = 0; k < static_cast<int>(std::size(CalculatorFields)); ++k)
        if (CalculatorFields[k] == id)
            return TabItem(names, k);
    return {};
}

std::string FieldCaption(const Form& form, int id)
{
    if (const std::optional<RowPlace> place = RowPlaceOf(id))
        return TabItem(MessageId::PageRowColumns, place->column);
    const int* const disabled = std::find(std::begin(SpellModeDisabled), std::end(SpellModeDisabled), id);
    if (form.GetCheck(IDC_SPELL_MODE) && disabled != std::end(SpellModeDisabled))
        return {};
    return FieldName(form, id);
}

std::string CalculationAnnouncement(const Form& form)
{
    const auto text = [&](int id) { return std::string(form.GetText(id).View()); };
    return ComposeText(MessageText(MessageId::PageCalcAnnounce), text(IDC_RESULT_CRIT).c_str(),
                       text(IDC_RESULT_AVG).c_str(), text(IDC_RESULT_MIN).c_str());
}
