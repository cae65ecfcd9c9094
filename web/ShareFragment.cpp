#include "web/ShareFragment.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

#include "form/ControlMap.h"
#include "form/Form.h"

namespace {

constexpr std::string_view CalculatorKey = "calc=";
// The rows as the observation file writes them: the chain list as its
// count. Earlier links and kept states carry "rows=", whose chain value is
// the list's item; they still open.
constexpr std::string_view RowsKey = "obs=";
constexpr std::string_view ItemRowsKey = "rows=";

constexpr int ChainColumn = ObservationFieldCount - 1;

ControlKind KindOf(int id)
{
    return FindControlDef(id)->kind;
}

bool Unreserved(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string Encode(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (Unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Decode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

bool ParseIndex(std::string_view text, int& index)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// The length of the well-formed UTF-8 character text starts with, or 0
// when it starts with none: a stray continuation byte, an overlong form,
// a surrogate, a value past U+10FFFF or a sequence cut short.
std::size_t CharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(k < text.size() ? text[k] : 0); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    // The lead byte bounds the second byte where a shorter form, a
    // surrogate or a value too large would begin.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The length of text's longest prefix of whole, well-formed characters.
std::size_t WholeCharactersLength(std::string_view text)
{
    std::size_t at = 0;
    while (const std::size_t length = CharacterLength(text.substr(at)))
        at += length;
    return at;
}

// A decoded value is one the control can hold: a field's text is UTF-8,
// as the page's texts are, of at most 99 bytes and without a control
// character.
bool Acceptable(int id, const std::string& value)
{
    const ControlDef& def = *FindControlDef(id);
    int index = 0;
    switch (def.kind) {
    case ControlKind::Check: return value == "0" || value == "1";
    case ControlKind::Combo:
        return ParseIndex(value, index) && index >= -1 && index < static_cast<int>(def.items.size());
    default:
        if (value.size() >= FieldText::Capacity || WholeCharactersLength(value) != value.size())
            return false;
        for (unsigned char c : value)
            if (c < 0x20 || c == 0x7F)
                return false;
        return true;
    }
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

// Decodes count values into shared.values from index first.
bool ReadValues(std::string_view list, SharedForm& shared, int first, int count)
{
    const std::vector<std::string_view> parts = Split(list, ',');
    if (static_cast<int>(parts.size()) != count)
        return false;
    for (int k = 0; k < count; ++k) {
        const std::optional<std::string> value = Decode(parts[static_cast<std::size_t>(k)]);
        if (!value || !Acceptable(SharedControlId(first + k), *value))
            return false;
        shared.values[static_cast<std::size_t>(first + k)] = *value;
    }
    return true;
}

// A row's chain code (0 to NoChainCode, as the file may hold it) as the
// list's item, -1 for none.
std::optional<std::string> ChainItemText(std::string_view code)
{
    int count = 0;
    if (!ParseIndex(code, count) || count < 0 || count > NoChainCode)
        return std::nullopt;
    const int item = ChainItemOfCount(count);
    return std::to_string(item < static_cast<int>(std::size(ChainItems)) ? item : -1);
}

// A row as the file writes it: the chain column carries the count.
bool ReadRow(std::string_view line, SharedForm& shared, int first, bool chainAsCount)
{
    if (!chainAsCount)
        return ReadValues(line, shared, first, ObservationFieldCount);
    std::vector<std::string_view> parts = Split(line, ',');
    if (static_cast<int>(parts.size()) != ObservationFieldCount)
        return false;
    const std::optional<std::string> item = ChainItemText(parts[ChainColumn]);
    if (!item)
        return false;
    std::string rewritten;
    for (int k = 0; k < ObservationFieldCount; ++k)
        rewritten += std::string(k ? "," : "") + std::string(k == ChainColumn ? std::string_view(*item) : parts[k]);
    return ReadValues(rewritten, shared, first, ObservationFieldCount);
}


std::string JoinValues(const SharedForm& shared, int first, int count)
{
    std::string out;
    for (int k = 0; k < count; ++k)
        out += (k ? "," : "") + Encode(shared.values[static_cast<std::size_t>(first + k)]);
    return out;
}

std::string RowLine(const SharedForm& shared, int first)
{
    SharedForm row = shared;
    std::string& chain = row.values[static_cast<std::size_t>(first + ChainColumn)];
    int item = -1;
    ParseIndex(chain, item);
    chain = std::to_string(ChainCodeOfItem(item));
    return JoinValues(row, first, ObservationFieldCount);
}

int RowStart(int r)
{
    return SharedCalculatorCount + r * ObservationFieldCount;
}

bool SameValues(const SharedForm& a, const SharedForm& b, int first, int count)
{
    for (int k = first; k < first + count; ++k)
        if (a.values[static_cast<std::size_t>(k)] != b.values[static_cast<std::size_t>(k)])
            return false;
    return true;
}

} // namespace

int SharedControlId(int i)
{
    if (i < SharedCalculatorCount)
        return SharedCalculatorIds[i];
    const int k = i - SharedCalculatorCount;
    return ObservationRowIds(k / ObservationFieldCount).*ObservationFields[k % ObservationFieldCount];
}

SharedForm ReadSharedForm(const Form& form)
{
    SharedForm shared;
    for (int i = 0; i < SharedCount; ++i) {
        const int id = SharedControlId(i);
        std::string& value = shared.values[static_cast<std::size_t>(i)];
        switch (KindOf(id)) {
        case ControlKind::Check: value = form.GetCheck(id) ? "1" : "0"; break;
        case ControlKind::Combo: value = std::to_string(form.GetSelection(id)); break;
        default: {
            // The form's 99 bytes may end inside a character, which is left
            // out: a link holds whole UTF-8 characters only.
            const FieldText field = form.GetText(id);
            const std::string_view text = field.View();
            value = std::string(text.substr(0, WholeCharactersLength(text)));
            break;
        }
        }
    }
    return shared;
}

SharedForm InitialSharedForm()
{
    SharedForm shared;
    for (int i = 0; i < SharedCount; ++i) {
        const ControlDef& def = *FindControlDef(SharedControlId(i));
        std::string& value = shared.values[static_cast<std::size_t>(i)];
        switch (def.kind) {
        case ControlKind::Check: value = "0"; break;
        case ControlKind::Combo: value = std::to_string(def.selection); break;
        default: value = def.text; break;
        }
    }
    return shared;
}

std::string ShareFragmentOf(const SharedForm& shared)
{
    const SharedForm initial = InitialSharedForm();
    int rows = ObservationRowCount;
    while (rows > 0 && SameValues(shared, initial, RowStart(rows - 1), ObservationFieldCount))
        --rows;
    std::string fragment = std::string(CalculatorKey) + JoinValues(shared, 0, SharedCalculatorCount) + "&" +
                           std::string(RowsKey);
    for (int r = 0; r < rows; ++r)
        fragment += (r ? ";" : "") + RowLine(shared, RowStart(r));
    return fragment;
}

std::optional<SharedForm> ParseShareFragment(std::string_view fragment)
{
    SharedForm shared = InitialSharedForm();
    bool seenCalculator = false, seenRows = false;
    for (std::string_view entry : Split(fragment, '&')) {
        if (entry.starts_with(CalculatorKey) && !seenCalculator) {
            seenCalculator = true;
            if (!ReadValues(entry.substr(CalculatorKey.size()), shared, 0, SharedCalculatorCount))
                return std::nullopt;
        } else if ((entry.starts_with(RowsKey) || entry.starts_with(ItemRowsKey)) && !seenRows) {
            seenRows = true;
            const bool chainAsCount = entry.starts_with(RowsKey);
            const std::string_view rows = entry.substr(chainAsCount ? RowsKey.size() : ItemRowsKey.size());
            if (rows.empty())
                continue;
            const std::vector<std::string_view> lines = Split(rows, ';');
            if (static_cast<int>(lines.size()) > ObservationRowCount)
                return std::nullopt;
            for (std::size_t r = 0; r < lines.size(); ++r)
                if (!ReadRow(lines[r], shared, RowStart(static_cast<int>(r)), chainAsCount))
                    return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return shared;
}

void WriteSharedFields(Form& form, const SharedForm& shared)
{
    for (int i = 0; i < SharedCount; ++i) {
        const int id = SharedControlId(i);
        const std::string& value = shared.values[static_cast<std::size_t>(i)];
        switch (KindOf(id)) {
        case ControlKind::Check: break;
        case ControlKind::Combo: {
            int index = -1;
            ParseIndex(value, index);
            form.SetSelection(id, index);
            break;
        }
        default: form.SetText(id, value); break;
        }
    }
}

bool SharedCheck(const SharedForm& shared, int id)
{
    for (int i = 0; i < SharedCalculatorCount; ++i)
        if (SharedCalculatorIds[i] == id)
            return shared.values[static_cast<std::size_t>(i)] == "1";
    return false;
}

SharedForm ClearedForNewEnemy(const SharedForm& shared)
{
    static constexpr int EnemyIds[] = {IDC_DEFENSE_DOWN, IDC_DEFENSE, IDC_ATTR_RATE, IDC_ATTR_RATE2};
    const SharedForm initial = InitialSharedForm();
    SharedForm cleared = shared;
    for (int i = 0; i < SharedCount; ++i) {
        const int id = SharedControlId(i);
        if (i >= SharedCalculatorCount || std::find(std::begin(EnemyIds), std::end(EnemyIds), id) != std::end(EnemyIds))
            cleared.values[static_cast<std::size_t>(i)] = initial.values[static_cast<std::size_t>(i)];
    }
    return cleared;
}

bool SameSharedRows(const SharedForm& a, const SharedForm& b)
{
    return SameValues(a, b, SharedCalculatorCount, SharedCount - SharedCalculatorCount);
}
