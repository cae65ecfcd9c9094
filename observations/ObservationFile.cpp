#include "observations/ObservationFile.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"

namespace {

constexpr char EndOfFileByte = 0x1A;

// Reads a file as text the same way on every platform: a line ends at LF,
// a byte 0x1A ends the file, the last line needs no line end. The CR of a
// CR LF pair needs no dropping: a CR is white space to the scan. Each byte
// is searched once for 0x1A, when its buffer is read; the scan finds the LF.
struct TextReader {
    std::FILE* file;
    bool ended;           // no more reads: end of file, 0x1A or a read error
    int error;            // errno of the read that failed, else 0
    std::size_t position; // next byte of the buffer to hand out
    std::size_t limit;    // end of the text in the buffer: its size, or the 0x1A
    std::size_t size;
    char buffer[65536];
};

bool Refill(TextReader& reader)
{
    if (reader.ended || reader.limit < reader.size)
        return false;
    reader.position = 0;
    errno = 0;
    reader.size = std::fread(reader.buffer, 1, sizeof reader.buffer, reader.file);
    if (reader.size < sizeof reader.buffer) {
        // fread returns short only at the end of the file or on an error.
        if (std::ferror(reader.file))
            reader.error = errno != 0 ? errno : EIO;
        reader.ended = true;
    }
    const void* stop = std::memchr(reader.buffer, EndOfFileByte, reader.size);
    reader.limit = stop ? static_cast<std::size_t>(static_cast<const char*>(stop) - reader.buffer) : reader.size;
    return reader.size > 0;
}

// What the file holds for the rows, gathered before any row is touched.
struct FileRows {
    int count;
    std::int32_t fields[ObservationRowCount][ObservationFieldCount];
};

void Skip(LoadResult& result, std::uint64_t line, SkipReason reason)
{
    if (result.skippedKept < MaxSkippedLines)
        result.skipped[result.skippedKept++] = {line, reason};
    ++result.skippedCount;
}

// Comments, blank lines and damages below 1 are deliberate: not reported.
void TakeLine(DataLineScan& scan, std::uint64_t line, FileRows& rows, LoadResult& result)
{
    switch (FinishDataLine(scan)) {
    case LineKind::Data:
        if (scan.fields[0] < 1)
            return;
        if (rows.count == ObservationRowCount) {
            Skip(result, line, SkipReason::BeyondSixRows);
            return;
        }
        std::memcpy(rows.fields[rows.count++], scan.fields, sizeof scan.fields);
        return;
    case LineKind::Unreadable:
        Skip(result, line, scan.reason);
        return;
    case LineKind::Comment:
    case LineKind::Blank:
        return;
    }
}

// A UTF-8 byte-order mark is skipped; UTF-16 is refused (its text would
// be read as bytes of garbage).
bool TakeByteOrderMark(TextReader& reader, LoadResult& result)
{
    const auto* b = reinterpret_cast<const unsigned char*>(reader.buffer);
    if (reader.limit >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        result.failure = LoadFailure::Utf16;
        result.encoding = b[0] == 0xFF ? "UTF-16LE" : "UTF-16BE";
        return false;
    }
    if (reader.limit >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        reader.position = 3;
    return true;
}

void ReadLines(TextReader& reader, FileRows& rows, LoadResult& result)
{
    DataLineScan scan;
    StartDataLine(scan);
    std::uint64_t line = 1;
    for (;;) {
        if (reader.position == reader.limit && !Refill(reader))
            break;
        const char* stop = reader.buffer + reader.limit;
        const char* lineEnd = FeedDataLine(scan, reader.buffer + reader.position, stop);
        if (lineEnd == stop) {
            reader.position = reader.limit; // the line goes on in the next buffer
            continue;
        }
        reader.position = static_cast<std::size_t>(lineEnd - reader.buffer) + 1;
        TakeLine(scan, line++, rows, result);
        StartDataLine(scan);
    }
    // The last line needs no line end; without bytes it is blank and counts for nothing.
    if (scan.phase != ScanPhase::LineStart)
        TakeLine(scan, line, rows, result);
    else
        --line;
    result.lineCount = line;
}

void ReadFile(std::FILE* file, FileRows& rows, LoadResult& result)
{
    const auto reader = std::make_unique<TextReader>(); // 64 KiB, zeroed: not on the stack
    reader->file = file;
    if (Refill(*reader) && TakeByteOrderMark(*reader, result))
        ReadLines(*reader, rows, result);
    result.error = reader->error;
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
    // The file holds the chain count itself.
    form.SetSelection(row.chain, ChainItemOfCount(fields[6]));
}

} // namespace

bool ParseDataLine(std::string_view line, std::int32_t fields[ObservationFieldCount])
{
    DataLineScan scan;
    StartDataLine(scan);
    FeedDataLine(scan, line.data(), line.data() + line.size());
    if (FinishDataLine(scan) != LineKind::Data)
        return false;
    std::memcpy(fields, scan.fields, sizeof scan.fields);
    return true;
}

LoadResult LoadObservationsFromStream(Form& form, std::FILE* file)
{
    return LoadObservationsFromStream(form, file, Estimator);
}

LoadResult LoadObservationsFromStream(Form& form, std::FILE* file, EstimatorState& state)
{
    LoadResult result{};
    FileRows rows{};
    ReadFile(file, rows, result);
    result.rowsFilled = rows.count;
    if (result.failure == LoadFailure::Utf16)
        return result;
    if (rows.count == 0) {
        // Nothing to show for it: the rows the player typed stay.
        result.failure = result.error != 0 ? LoadFailure::ReadFailed : LoadFailure::NoDataRow;
        return result;
    }
    EmptyRows(form);
    for (int r = 0; r < rows.count; ++r)
        FillRow(form, r, rows.fields[r]);
    RunDefenseEstimation(form, state);
    return result;
}

LoadResult LoadObservationsFromFile(Form& form, const char* path)
{
    return LoadObservationsFromFile(form, path, Estimator);
}

LoadResult LoadObservationsFromFile(Form& form, const char* path, EstimatorState& state)
{
    // Binary mode: the text-mode rules are applied by the reader alike on
    // every platform. The C library's fopen lets others read and write meanwhile.
    errno = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        LoadResult result{};
        result.failure = LoadFailure::CannotOpen;
        result.error = errno != 0 ? errno : ENOENT;
        return result;
    }
    const LoadResult result = LoadObservationsFromStream(form, file, state);
    std::fclose(file);
    return result;
}

std::string LoadFailureText(const LoadResult& load)
{
    switch (load.failure) {
    case LoadFailure::None: break;
    case LoadFailure::CannotOpen:
    case LoadFailure::ReadFailed: return std::strerror(load.error);
    case LoadFailure::Utf16: return FormatText("is %s text; save it as Shift-JIS or UTF-8", load.encoding);
    case LoadFailure::NoDataRow: return "holds no observation (no data line with a damage of 1 or more)";
    }
    return {};
}
