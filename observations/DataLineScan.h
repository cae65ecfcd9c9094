// One line of an observation file, scanned as its bytes arrive in pieces
// of any size: the seven integers of a data line, or why the line cannot be
// read. Only the bytes up to the seventh number matter, so a line of any
// length is scanned in a few bytes of state.
#pragma once

#include <cstddef>
#include <cstdint>

#include "form/ControlIds.h"

enum class LineKind : std::uint8_t {
    Data,       // seven numbers; text after them is ignored
    Comment,    // the first byte is "#"
    Blank,      // nothing but white space
    Unreadable, // looks like data but is not: see the reason
};

// Why a line fills no row although it was meant to.
enum class SkipReason : std::uint8_t {
    None,
    FullWidthDigits, // the input method left on: ８７８
    FullWidthSpace,
    Comma,           // "1208,50,300"
    FewerThanSeven,
    NotANumber,      // a word, a sign without digits, binary bytes
    BeyondSixRows,   // a seventh data line: the table has six rows
};

const char* SkipReasonText(SkipReason reason);

// Where the scan stands in its line: before its first byte, between numbers,
// after a sign, in a number, reading an odd character, or settled.
enum class ScanPhase : std::uint8_t { LineStart, Space, Sign, Digits, Naming, Comment, Complete, Failed };

struct DataLineScan {
    ScanPhase phase;
    bool negative;
    int field;              // numbers converted so far
    std::int64_t magnitude; // of the number being read, held just past the 32-bit range
    int oddCount;
    unsigned char odd[3];   // the bytes where a number was expected, to name them
    SkipReason reason;
    std::int32_t fields[ObservationFieldCount];
};

void StartDataLine(DataLineScan& scan);

// Scans the line's next bytes, from `bytes` up to `end`, and returns where
// the line ends: at the LF or CR that ends it, or `end` when it goes on past
// the bytes given. Bytes after the seventh number are only searched for
// the line end. Telling CR LF from a lone CR is the reader's affair.
const char* FeedDataLine(DataLineScan& scan, const char* bytes, const char* end);

// At the line's end: what the line was. For Data, scan.fields holds the
// seven numbers; for Unreadable, scan.reason says why.
LineKind FinishDataLine(DataLineScan& scan);
