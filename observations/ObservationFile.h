// Observation files: plain text, one observed critical hit per data line
// ("damage attack power attribute strength charm chain"), "#" comments.
// A line ends at LF, CR LF or a lone CR; a byte 0x1A ends the file.
// Loading reads the whole file first; when it holds at least one data row
// it empties the six observation rows, fills them and runs the estimation,
// all through the Form. A file without one changes nothing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "estimator/Estimate.h"
#include "form/ControlIds.h"
#include "observations/DataLineScan.h"

class Form;
struct EstimatorState;

enum class LoadFailure : std::uint8_t {
    None,       // rows filled and estimated
    CannotOpen, // error holds the system's reason
    ReadFailed, // a read failed before any data row: error holds the reason
    Utf16,      // no data row, and a UTF-16 byte-order mark: encoding names it
    NoDataRow,  // read to its end without a data row with a damage of 1 or more
};

// A line that looked like data but filled no row, 1-based as an editor counts.
struct SkippedLine {
    std::uint64_t line;
    SkipReason reason;
};

// The first skipped lines are kept, the rest only counted: a file of
// millions of bad lines costs no memory for them.
constexpr int MaxSkippedLines = 100;

// Causes the C library has no errno for, kept in LoadResult::error beside
// the errno values; negative, where no errno lies. Windows reports them.
constexpr int LoadErrorInUse = -1;    // another program holds the file, or a part of it, locked
constexpr int LoadErrorNotAFile = -2; // a device or a pipe, not a file on disk

struct LoadResult {
    LoadFailure failure;
    int error;              // errno or a LoadError code of a failed open or read, else 0;
                            // a read error after a data row ends the file and is kept here too
    const char* encoding;   // the refused encoding, or null
    int rowsFilled;
    std::uint64_t lineCount; // lines read, up to the end or the read error
    std::uint64_t skippedCount;
    int skippedKept;
    SkippedLine skipped[MaxSkippedLines];
    Estimate estimate;       // what the estimation the load ran found, when it filled rows
};

// Why a load failed, for a player: the system's own words for a failed open
// or read, what to do with UTF-16, or that no row was filled; empty when
// the load succeeded.
std::string LoadFailureText(const LoadResult& load);

// A file read as its bytes arrive, in pieces of any size: by the stream
// loader below, and by the page, which reads a file a slice at a time.
// Memory does not depend on the file's size or its lines' lengths.
struct ObservationReader {
    DataLineScan scan;
    std::uint64_t line;     // 1-based number of the line being scanned
    bool ended;             // a byte 0x1A was read: the rest is not text
    bool afterCr;           // the last line ended at a CR: an LF next belongs to it
    int headCount;          // the file's first bytes held until a byte-order
    unsigned char head[3];  // mark can be told, or -1 once it has been
    const char* encoding;   // a UTF-16 byte-order mark seen, or null
    int rowCount;
    std::int32_t rows[ObservationRowCount][ObservationFieldCount];
    LoadResult result;
};

void StartObservationRead(ObservationReader& reader);
void ReadObservationBytes(ObservationReader& reader, const char* bytes, std::size_t size);

// After the last piece: loads the rows as described above. readError is
// the errno of a read that failed and ended the file early, else 0.
LoadResult FinishObservationRead(Form& form, ObservationReader& reader, int readError);
LoadResult FinishObservationRead(Form& form, ObservationReader& reader, int readError, EstimatorState& state);

// A chain list set from a file's chain count (not an item index), as a
// load sets it; a count past the list leaves it without a selection.
void SetChainCount(Form& form, int id, std::int32_t count);

// Reads the stream to its end (a byte 0x1A, the end of the file or a read
// error), then loads it into the rows as described above; the estimation
// runs on the process's one estimator, or on the state given.
LoadResult LoadObservationsFromStream(Form& form, std::FILE* file);
LoadResult LoadObservationsFromStream(Form& form, std::FILE* file, EstimatorState& state);

// The same for a file opened read-only.
LoadResult LoadObservationsFromFile(Form& form, const char* path);
LoadResult LoadObservationsFromFile(Form& form, const char* path, EstimatorState& state);
