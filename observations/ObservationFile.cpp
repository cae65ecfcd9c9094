#include "observations/ObservationFile.h"

#include <cstring>
#include <memory>

#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "form/TextFormat.h"

namespace {

constexpr char EndOfFileByte = 0x1A;

bool Refill(TextReader& reader)
{
    reader.position = 0;
    reader.size = reader.ended ? 0 : std::fread(reader.buffer, 1, sizeof reader.buffer, reader.file);
    if (reader.size == 0)
        reader.ended = true;
    return reader.size > 0;
}

void EmptyRows(Form& form)
{
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        form.SetText(row.damage, "0");
        form.SetText(row.attack, "");
        form.SetText(row.power, "");
        form.SetText(row.strength, "");
        form.SetText(row.charm, "");
        form.SetSelection(row.attribute, 0);
        form.SetSelection(row.chain, 0);
    }
}

void SetNumber(Form& form, int id, std::int32_t value)
{
    form.SetText(id, FormatText("%d", value));
}

// Fields: damage, attack, power, attribute code, strength, charm, chain
// count. Codes outside a list's items leave it without a selection.
void FillRow(Form& form, int r, const std::int32_t fields[ObservationFieldCount])
{
    const ObservationRow row = ObservationRowIds(r);
    SetNumber(form, row.damage, fields[0]);
    SetNumber(form, row.attack, fields[1]);
    SetNumber(form, row.power, fields[2]);
    form.SetSelection(row.attribute, fields[3]);
    SetNumber(form, row.strength, fields[4]);
    SetNumber(form, row.charm, fields[5]);
    // The file holds the chain count itself: 0 or 1 no chain, k item k - 1.
    form.SetSelection(row.chain, 0);
    if (fields[6] > 0)
        form.SetSelection(row.chain, fields[6] - 1);
}

} // namespace

void StartTextReader(TextReader& reader, std::FILE* file)
{
    reader.file = file;
    reader.ended = false;
    reader.position = 0;
    reader.size = 0;
}

bool ReadTextLine(TextReader& reader, std::string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        if (reader.position == reader.size && !Refill(reader))
            return any;
        const char* start = reader.buffer + reader.position;
        const std::size_t available = reader.size - reader.position;
        const void* newline = std::memchr(start, '\n', available);
        const void* stop = std::memchr(start, EndOfFileByte, available);
        if (stop && (!newline || stop < newline)) {
            // 0x1A ends the file where it stands; what precedes it is the last line.
            line.append(start, static_cast<const char*>(stop) - start);
            reader.ended = true;
            reader.position = reader.size = 0;
            return any || stop != start;
        }
        if (newline) {
            const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(newline) - start);
            line.append(start, length);
            reader.position += length + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.append(start, available);
        reader.position = reader.size;
        any = true;
    }
}

bool ParseDataLine(std::string_view line, std::int32_t fields[ObservationFieldCount])
{
    std::size_t position = 0;
    for (int f = 0; f < ObservationFieldCount; ++f) {
        const IntegerScan scan = ScanInteger(line, position);
        if (!scan.converted)
            return false;
        fields[f] = scan.value;
        position = scan.end;
    }
    return true;
}

int LoadObservationsFromStream(Form& form, std::FILE* file)
{
    return LoadObservationsFromStream(form, file, Estimator);
}

int LoadObservationsFromStream(Form& form, std::FILE* file, EstimatorState& state)
{
    EmptyRows(form);
    const auto reader = std::make_unique<TextReader>();
    StartTextReader(*reader, file);
    std::string line;
    int filled = 0;
    while (ReadTextLine(*reader, line)) {
        if (!line.empty() && line[0] == '#')
            continue;
        std::int32_t fields[ObservationFieldCount];
        // A line without seven numbers fills nothing and repeats nothing.
        if (!ParseDataLine(line, fields) || fields[0] < 1 || filled == ObservationRowCount)
            continue;
        FillRow(form, filled++, fields);
    }
    if (filled > 0)
        RunDefenseEstimation(form, state);
    return filled;
}

LoadResult LoadObservationsFromFile(Form& form, const char* path)
{
    return LoadObservationsFromFile(form, path, Estimator);
}

LoadResult LoadObservationsFromFile(Form& form, const char* path, EstimatorState& state)
{
    // Binary mode: the text-mode rules are applied by ReadTextLine alike on
    // every platform. The C library's fopen lets others read and write meanwhile.
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return {false, 0};
    const int filled = LoadObservationsFromStream(form, file, state);
    std::fclose(file);
    return {true, filled};
}
