#include "observations/PastedTable.h"

#include <algorithm>
#include <optional>

#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "form/TextFormat.h"
#include "observations/ObservationFile.h"

namespace {

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

// A whole cell as one integer, read as a number entering a field is: a
// spreadsheet may group its digits with commas (1,208), an input method
// give full-width ones.
bool CellNumber(std::string_view cell, std::int32_t& value)
{
    const std::optional<std::int32_t> number = ReadWholeNumber(cell);
    value = number.value_or(0);
    return number.has_value();
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

// Whether some cell of the line, pasted from column c on, reads.
bool LineReads(std::string_view line, int c)
{
    std::int32_t number = 0;
    for (int column = c; column < ObservationFieldCount; ++column) {
        const std::size_t tab = line.find('\t');
        const std::string_view cell = Trim(line.substr(0, tab));
        if (cell.empty() || CellNumber(cell, number))
            return true;
        for (const char* item : FindControlDef(ObservationRowIds(0).*ObservationFields[column])->items)
            if (cell == item)
                return true;
        if (tab == std::string_view::npos)
            return false;
        line.remove_prefix(tab + 1);
    }
    return false;
}

// The rows left from the one pasted into down to the sixth.
int RowsLeft(const TableReader& reader)
{
    return ObservationRowCount - reader.row;
}

// Bytes of the line being read, none of them a line end.
void TakeBytes(TableReader& reader, std::string_view bytes)
{
    // The cells up to the seventh column are kept, as much as a row takes.
    const int cells = ObservationFieldCount - reader.column;
    std::size_t kept = reader.lineTabs < cells ? bytes.size() : 0;
    for (std::size_t tab = bytes.find('\t'); tab != std::string_view::npos; tab = bytes.find('\t', tab + 1)) {
        reader.tab = true;
        if (++reader.lineTabs == cells)
            kept = tab;
    }
    // Whether the line holds a value, and a blank between two: once the
    // paste is known to be spaced or to hold a tab, the first value will do.
    for (const char b : bytes) {
        if (b != ' ' && b != '\t') {
            reader.spaced = reader.spaced || reader.lineGap;
            reader.lineText = true;
            if (reader.spaced || reader.tab)
                break;
        } else if (b == ' ' && reader.lineText) {
            reader.lineGap = true;
        }
    }
    const std::size_t room = MaxTableLineBytes - reader.line.size();
    reader.lineLong = reader.lineLong || kept > room;
    reader.line.append(bytes.substr(0, std::min(kept, room)));
}

// A blank line fills a row (with initial values) only when a line of text
// follows it: the blank lines at the end are a spreadsheet's line end.
void EndLine(TableReader& reader)
{
    const int rowsLeft = RowsLeft(reader);
    if (!reader.lineText) {
        // Its cells are all empty: only their number matters.
        const int tabs = std::min(reader.lineTabs, ObservationFieldCount - reader.column - 1);
        if (static_cast<int>(reader.rows.size() + reader.blanks.size()) < rowsLeft)
            reader.blanks.emplace_back(static_cast<std::size_t>(tabs), '\t');
        ++reader.blankCount;
    } else {
        reader.lines += reader.blankCount + 1;
        reader.rows.insert(reader.rows.end(), reader.blanks.begin(), reader.blanks.end());
        reader.linesBeyond += reader.blankCount - static_cast<int>(reader.blanks.size());
        reader.blanks.clear();
        reader.blankCount = 0;
        if (!reader.lineLong && LineReads(reader.line, reader.column)) {
            if (static_cast<int>(reader.rows.size()) < rowsLeft)
                reader.rows.push_back(reader.line);
            else
                ++reader.linesBeyond;
        }
    }
    reader.line.clear();
    reader.lineTabs = 0;
    reader.lineLong = reader.lineText = reader.lineGap = false;
}

} // namespace

bool IsPastedTable(std::string_view text)
{
    TableReader reader;
    StartTableRead(reader, 0, 0);
    ReadTableBytes(reader, text.data(), text.size());
    return FinishTableRead(reader);
}

PasteResult PasteTable(Form& form, int r, int c, std::string_view text)
{
    TableReader reader;
    StartTableRead(reader, r, c);
    ReadTableBytes(reader, text.data(), text.size());
    FinishTableRead(reader);
    return PasteTableRead(form, reader);
}

void StartTableRead(TableReader& reader, int r, int c)
{
    reader = TableReader{};
    reader.row = r;
    reader.column = c;
}

// A line ends at LF, CR LF or a lone CR.
void ReadTableBytes(TableReader& reader, const char* bytes, std::size_t size)
{
    std::string_view rest(bytes, size);
    if (rest.empty())
        return;
    if (reader.afterCr && rest.front() == '\n')
        rest.remove_prefix(1);
    reader.afterCr = false;
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r')
            ++end;
        TakeBytes(reader, rest.substr(0, end));
        if (end == rest.size())
            return;
        EndLine(reader);
        const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        reader.afterCr = rest[end] == '\r' && end + 1 == rest.size();
        rest.remove_prefix(end + (crLf ? 2 : 1));
    }
}

bool FinishTableRead(TableReader& reader)
{
    EndLine(reader);
    return reader.tab || (reader.lines >= 2 && !reader.spaced);
}

PasteResult PasteTableRead(Form& form, const TableReader& reader)
{
    PasteResult result{reader.row + 1, 0, 0, reader.linesBeyond};
    for (const std::string& line : reader.rows) {
        const std::vector<std::string_view> cells = Cells(line);
        const ObservationRow ids = ObservationRowIds(reader.row + result.rowsFilled);
        for (std::size_t k = 0; k < cells.size() && reader.column + static_cast<int>(k) < ObservationFieldCount; ++k) {
            const int column = reader.column + static_cast<int>(k);
            const bool chain = ObservationFields[column] == &ObservationRow::chain;
            if (!PasteCell(form, ids.*ObservationFields[column], cells[k], chain))
                ++result.cellsUnread;
        }
        ++result.rowsFilled;
    }
    return result;
}
