#include "web/FieldEntry.h"

#include <algorithm>
#include <optional>

#include "estimator/Estimate.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "web/FieldNames.h"

namespace {

// The characters of text that the number keeps: digits and the minus
// sign, as the reading folds them; a plus, a comma or a space is dropped.
int KeptCharacters(std::string_view text)
{
    const std::string folded = FoldFullWidth(text);
    return static_cast<int>(std::count_if(folded.begin(), folded.end(),
                                          [](char c) { return (c >= '0' && c <= '9') || c == '-'; }));
}

bool Blank(std::string_view text)
{
    return text.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

} // namespace

FieldEntry EnterFieldText(std::string_view beforeCaret, std::string_view afterCaret)
{
    std::optional<std::string> number = EnteredNumberText(std::string(beforeCaret) + std::string(afterCaret));
    if (!number)
        return {false, {}, 0};
    // A text beyond the limit is cut there, as the window's edit control
    // cuts a paste.
    if (number->size() > static_cast<std::size_t>(EditTextLimit))
        number->resize(static_cast<std::size_t>(EditTextLimit));
    const int caret = std::min(KeptCharacters(beforeCaret), static_cast<int>(number->size()));
    return {true, *number, caret};
}

std::vector<IncompleteRow> IncompleteRows(const Form& form)
{
    std::vector<IncompleteRow> rows;
    for (int r = 0; r < ObservationRowCount; ++r) {
        if (!ObservationRowUsed(form, r))
            continue;
        const ObservationRow ids = ObservationRowIds(r);
        IncompleteRow row{r, {}};
        for (int id : {ids.attack, ids.power})
            if (Blank(form.GetText(id).View()))
                row.missing.push_back(id);
        if (!row.missing.empty())
            rows.push_back(row);
    }
    return rows;
}

std::string IncompleteHint(const Form& form, const IncompleteRow& row)
{
    std::string names;
    for (int id : row.missing)
        names += (names.empty() ? "" : MessageText(MessageId::PageNameSeparator)) + FieldCaption(form, id);
    return ComposeText(MessageText(MessageId::PageRowIncomplete), row.row + 1, names.c_str());
}
