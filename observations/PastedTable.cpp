#include "observations/PastedTable.h"

#include <vector>

#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "form/TextFormat.h"
#include "observations/ObservationFile.h"

namespace {

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    // A spreadsheet ends its copy with a line end.
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string_view::npos)
        lines.pop_back();
    return lines;
}

std::vector<std::string_view> Cells(std::string_view line)
{
    std::vector<std::string_view> cells;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return cells;
        start = tab + 1;
    }
}

std::string_view Trim(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(" ");
    if (first == std::string_view::npos)
        return {};
    return cell.substr(first, cell.find_last_not_of(" ") - first + 1);
}

// A whole cell as one integer; a spreadsheet may group its digits with
// commas (1,208).
bool CellNumber(std::string_view cell, std::int32_t& value)
{
    std::string digits;
    std::size_t group = 0;
    bool grouped = false;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == ',') {
            if (group == 0 || (grouped && group != 3) || (!grouped && group > 3))
                return false;
            grouped = true;
            group = 0;
            continue;
        }
        if (cell[i] >= '0' && cell[i] <= '9')
            ++group;
        digits += cell[i];
    }
    if (grouped && group != 3)
        return false;
    const IntegerScan scan = ScanInteger(digits);
    value = scan.value;
    return scan.converted && scan.end == digits.size();
}

// Writes one cell into its control; false when the cell does not read.
bool PasteCell(Form& form, int id, std::string_view cell, bool chain)
{
    const ControlDef& def = *FindControlDef(id);
    cell = Trim(cell);
    std::int32_t number = 0;
    if (def.kind == ControlKind::Combo) {
        if (cell.empty()) {
            form.SetSelection(id, def.selection);
            return true;
        }
        for (std::size_t item = 0; item < def.items.size(); ++item) {
            if (cell == def.items[item]) {
                form.SetSelection(id, static_cast<int>(item));
                return true;
            }
        }
        if (!CellNumber(cell, number))
            return false;
        // The file's numbers, set as the loader sets them.
        if (!chain) {
            form.SetSelection(id, number);
            return true;
        }
        SetChainCount(form, id, number);
        return true;
    }
    if (cell.empty()) {
        form.SetText(id, def.text);
        return true;
    }
    if (!CellNumber(cell, number))
        return false;
    form.SetText(id, FormatText("%d", number));
    return true;
}

bool LineReads(const std::vector<std::string_view>& cells, int c)
{
    std::int32_t number = 0;
    for (std::size_t k = 0; k < cells.size() && c + static_cast<int>(k) < ObservationFieldCount; ++k) {
        const std::string_view cell = Trim(cells[k]);
        if (cell.empty() || CellNumber(cell, number))
            return true;
        const ControlDef& def = *FindControlDef(ObservationRowIds(0).*ObservationFields[c + static_cast<int>(k)]);
        for (const char* item : def.items)
            if (cell == item)
                return true;
    }
    return false;
}

} // namespace

bool IsPastedTable(std::string_view text)
{
    if (text.find('\t') != std::string_view::npos)
        return true;
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() < 2)
        return false;
    for (std::string_view line : lines)
        if (Trim(line).find(' ') != std::string_view::npos)
            return false;
    return true;
}

PasteResult PasteTable(Form& form, int r, int c, std::string_view text)
{
    PasteResult result{r + 1, 0, 0, 0};
    int row = r;
    for (std::string_view line : Lines(text)) {
        const std::vector<std::string_view> cells = Cells(line);
        if (!LineReads(cells, c))
            continue;
        if (row >= ObservationRowCount) {
            ++result.linesBeyond;
            continue;
        }
        const ObservationRow ids = ObservationRowIds(row);
        for (std::size_t k = 0; k < cells.size() && c + static_cast<int>(k) < ObservationFieldCount; ++k) {
            const int column = c + static_cast<int>(k);
            const bool chain = ObservationFields[column] == &ObservationRow::chain;
            if (!PasteCell(form, ids.*ObservationFields[column], cells[k], chain))
                ++result.cellsUnread;
        }
        ++result.rowsFilled;
        ++row;
    }
    return result;
}
