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
constexpr int HeadSettled = -1;
constexpr std::size_t ReadPieceSize = 65536;

void Skip(LoadResult& result, std::uint64_t line, SkipReason reason)
{
    if (result.skippedKept < MaxSkippedLines)
        result.skipped[result.skippedKept++] = {line, reason};
    ++result.skippedCount;
}

// Comments, blank lines and damages below 1 are deliberate: not reported.
void TakeLine(ObservationReader& reader)
{
    DataLineScan& scan = reader.scan;
    switch (FinishDataLine(scan)) {
    case LineKind::Data:
        if (scan.fields[0] < 1)
            break;
        if (reader.rowCount == ObservationRowCount) {
            Skip(reader.result, reader.line, SkipReason::BeyondSixRows);
            break;
        }
        std::memcpy(reader.rows[reader.rowCount++], scan.fields, sizeof scan.fields);
        break;
    case LineKind::Unreadable:
        Skip(reader.result, reader.line, scan.reason);
        break;
    case LineKind::Comment:
    case LineKind::Blank:
        break;
    }
    ++reader.line;
    StartDataLine(scan);
}

// The scan stops at a line's LF or CR; the LF of a CR LF pair, which may
// arrive in the next piece, ends no further line.
void ReadLines(ObservationReader& reader, const char* p, const char* end)
{
    while (p < end) {
        if (reader.afterCr) {
            reader.afterCr = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        const char* lineEnd = FeedDataLine(reader.scan, p, end);
        if (lineEnd == end)
            return; // the line goes on in the next piece
        reader.afterCr = *lineEnd == '\r';
        TakeLine(reader);
        p = lineEnd + 1;
    }
}

// A UTF-8 byte-order mark at the very start is skipped. A UTF-16 one is
// only noted: it names the encoding if the file yields no row, as UTF-16
// text never does, read byte by byte.
void SettleHead(ObservationReader& reader)
{
    const unsigned char* b = reader.head;
    const int n = reader.headCount;
    reader.headCount = HeadSettled;
    int skip = 0;
    if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
        reader.encoding = b[0] == 0xFF ? "UTF-16LE" : "UTF-16BE";
    else if (n == 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        skip = 3;
    ReadLines(reader, reinterpret_cast<const char*>(b) + skip, reinterpret_cast<const char*>(b) + n);
}

// Gathers the first three bytes; returns how many of `size` it took.
std::size_t TakeHead(ObservationReader& reader, const char* bytes, std::size_t size)
{
    std::size_t taken = 0;
    while (reader.headCount < static_cast<int>(sizeof reader.head) && taken < size)
        reader.head[reader.headCount++] = static_cast<unsigned char>(bytes[taken++]);
    if (reader.headCount == static_cast<int>(sizeof reader.head))
        SettleHead(reader);
    return taken;
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
    SetChainCount(form, row.chain, fields[6]);
}

// The C library's words, and the loader's own for its codes.
std::string ErrorText(int error)
{
    switch (error) {
    case LoadErrorInUse: return "in use by another program";
    case LoadErrorNotAFile: return "not a file on disk (a device or a pipe)";
    default: return std::strerror(error);
    }
}

} // namespace

void StartObservationRead(ObservationReader& reader)
{
    reader = ObservationReader{};
    reader.line = 1;
    StartDataLine(reader.scan);
}

void ReadObservationBytes(ObservationReader& reader, const char* bytes, std::size_t size)
{
    if (reader.ended)
        return;
    if (const void* stop = std::memchr(bytes, EndOfFileByte, size)) {
        size = static_cast<std::size_t>(static_cast<const char*>(stop) - bytes);
        reader.ended = true;
    }
    std::size_t at = 0;
    if (reader.headCount != HeadSettled)
        at = TakeHead(reader, bytes, size);
    ReadLines(reader, bytes + at, bytes + size);
}

LoadResult FinishObservationRead(Form& form, ObservationReader& reader, int readError)
{
    return FinishObservationRead(form, reader, readError, Estimator);
}

LoadResult FinishObservationRead(Form& form, ObservationReader& reader, int readError, EstimatorState& state)
{
    if (reader.headCount != HeadSettled)
        SettleHead(reader);
    // The last line needs no line end; without bytes it is blank and counts for nothing.
    if (reader.scan.phase != ScanPhase::LineStart)
        TakeLine(reader);
    LoadResult& result = reader.result;
    result.lineCount = reader.line - 1;
    result.error = readError;
    result.rowsFilled = reader.rowCount;
    if (reader.rowCount == 0) {
        // Nothing to show for it: the rows the player typed stay.
        if (reader.encoding) {
            // Its lines were never meant as bytes: none is worth a report.
            result.failure = LoadFailure::Utf16;
            result.encoding = reader.encoding;
            result.skippedCount = 0;
            result.skippedKept = 0;
        } else {
            result.failure = readError != 0 ? LoadFailure::ReadFailed : LoadFailure::NoDataRow;
        }
        return result;
    }
    EmptyRows(form);
    for (int r = 0; r < reader.rowCount; ++r)
        FillRow(form, r, reader.rows[r]);
    result.estimate = RunDefenseEstimation(form, state);
    return result;
}

// The list is set to "no chain" first, then to the count's item, as a
// recording form sees it.
void SetChainCount(Form& form, int id, std::int32_t count)
{
    form.SetSelection(id, 0);
    if (count > 0)
        form.SetSelection(id, ChainItemOfCount(count));
}

LoadResult LoadObservationsFromStream(Form& form, std::FILE* file)
{
    return LoadObservationsFromStream(form, file, Estimator);
}

// Reads until 0x1A, the end of the file or a read error; a short read
// comes only at the end or on an error.
LoadResult LoadObservationsFromStream(Form& form, std::FILE* file, EstimatorState& state)
{
    ObservationReader reader;
    StartObservationRead(reader);
    const auto buffer = std::make_unique<char[]>(ReadPieceSize); // not on the stack
    int error = 0;
    while (!reader.ended) {
        errno = 0;
        const std::size_t size = std::fread(buffer.get(), 1, ReadPieceSize, file);
        ReadObservationBytes(reader, buffer.get(), size);
        if (size < ReadPieceSize) {
            if (std::ferror(file))
                error = errno != 0 ? errno : EIO;
            break;
        }
    }
    return FinishObservationRead(form, reader, error, state);
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
    case LoadFailure::ReadFailed: return ErrorText(load.error);
    case LoadFailure::Utf16: return FormatText("is %s text; save it as Shift-JIS or UTF-8", load.encoding);
    case LoadFailure::NoDataRow: return "holds no observation (no data line with a damage of 1 or more)";
    }
    return {};
}
