#include "observations/DataLineScan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

// The same reading as an integer field's (ScanInteger): white space, an
// optional sign, digits; a sign may follow the digits before it directly.
// LF and CR, white space to a field, only ever end the line here.
enum ByteClass : std::uint8_t { Other, Space, Sign, Digit, LineEnd };

constexpr std::array<ByteClass, 256> ByteClasses = [] {
    std::array<ByteClass, 256> classes{};
    for (unsigned char c : {' ', '\t', '\v', '\f'})
        classes[c] = Space;
    classes['\n'] = classes['\r'] = LineEnd;
    classes['+'] = classes['-'] = Sign;
    for (int c = '0'; c <= '9'; ++c)
        classes[static_cast<std::size_t>(c)] = Digit;
    return classes;
}();

// Past this the magnitude stops growing: it saturates all the same.
constexpr std::int64_t MagnitudeLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;

ByteClass ClassOf(unsigned char c)
{
    return ByteClasses[c];
}

// 2^31 and more give -2^31 or 2^31 - 1.
std::int32_t Saturated(bool negative, std::int64_t magnitude)
{
    if (negative)
        return static_cast<std::int32_t>(-std::min(magnitude, MagnitudeLimit));
    return static_cast<std::int32_t>(std::min(magnitude, MagnitudeLimit - 1));
}

// Bytes of a full-width character that name the fault, in Shift-JIS or
// UTF-8: the lead byte and how many bytes the character has.
int CharacterLength(unsigned char lead)
{
    if (lead == 0x81 || lead == 0x82)
        return 2;
    if (lead == 0xE3 || lead == 0xEF)
        return 3;
    return 1;
}

SkipReason NameOddBytes(const DataLineScan& scan)
{
    const unsigned char* b = scan.odd;
    const int n = scan.oddCount;
    if (b[0] == ',' && scan.field > 0)
        return SkipReason::Comma;
    // ０ to ９: 82 4F to 82 58 in Shift-JIS, EF BC 90 to EF BC 99 in UTF-8.
    if ((n == 2 && b[0] == 0x82 && b[1] >= 0x4F && b[1] <= 0x58) ||
        (n == 3 && b[0] == 0xEF && b[1] == 0xBC && b[2] >= 0x90 && b[2] <= 0x99))
        return SkipReason::FullWidthDigits;
    // The ideographic space: 81 40 in Shift-JIS, E3 80 80 in UTF-8.
    if ((n == 2 && b[0] == 0x81 && b[1] == 0x40) || (n == 3 && b[0] == 0xE3 && b[1] == 0x80 && b[2] == 0x80))
        return SkipReason::FullWidthSpace;
    return SkipReason::NotANumber;
}

void Fail(DataLineScan& scan, SkipReason reason)
{
    scan.phase = ScanPhase::Failed;
    scan.reason = reason;
}

// Where a number was expected: gathers the character there to name it.
void TakeOddByte(DataLineScan& scan, unsigned char c)
{
    scan.phase = ScanPhase::Naming;
    scan.odd[scan.oddCount++] = c;
    if (scan.oddCount == CharacterLength(scan.odd[0]))
        Fail(scan, NameOddBytes(scan));
}

// The rest of a line whose meaning is settled: only its end, the first LF
// or CR, matters. Two searches, each a fast library loop.
const unsigned char* LineEndFrom(const unsigned char* p, const unsigned char* end)
{
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const unsigned char* stop = lf ? static_cast<const unsigned char*>(lf) : end;
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(stop - p));
    return cr ? static_cast<const unsigned char*>(cr) : stop;
}

// The numbers: white space, a sign, digits, over and over, one byte at a
// time in one loop. The scan's state stays in locals meanwhile: a store
// through `scan` might change the bytes read, as far as the compiler knows.
// Stops at the line's LF or CR, after the seventh number, or where a number was
// expected and something else stands.
const unsigned char* ScanNumbers(DataLineScan& scan, const unsigned char* p, const unsigned char* end)
{
    ScanPhase phase = scan.phase; // Space, Sign or Digits
    bool negative = scan.negative;
    std::int64_t magnitude = scan.magnitude;
    int field = scan.field;
    for (; p < end; ++p) {
        const ByteClass c = ClassOf(*p);
        if (c == Digit) {
            if (phase != ScanPhase::Digits) {
                magnitude = 0;
                phase = ScanPhase::Digits;
            }
            if (magnitude <= MagnitudeLimit)
                magnitude = magnitude * 10 + (*p - '0');
            continue;
        }
        if (phase == ScanPhase::Digits) {
            scan.fields[field++] = Saturated(negative, magnitude);
            negative = false;
            if (field == ObservationFieldCount) {
                phase = ScanPhase::Complete;
                break;
            }
        } else if (phase == ScanPhase::Sign) {
            phase = ScanPhase::Failed; // a sign without digits
            scan.reason = SkipReason::NotANumber;
            break;
        }
        phase = ScanPhase::Space;
        if (c == Space)
            continue;
        if (c == Sign) {
            negative = *p == '-';
            phase = ScanPhase::Sign;
            continue;
        }
        if (c == Other)
            phase = ScanPhase::Naming;
        break;
    }
    scan.phase = phase;
    scan.negative = negative;
    scan.magnitude = magnitude;
    scan.field = field;
    return p;
}

} // namespace

const char* SkipReasonText(SkipReason reason)
{
    switch (reason) {
    case SkipReason::FullWidthDigits: return "full-width digits";
    case SkipReason::FullWidthSpace: return "full-width space";
    case SkipReason::Comma: return "comma between numbers";
    case SkipReason::FewerThanSeven: return "fewer than seven numbers";
    case SkipReason::NotANumber: return "not a number";
    case SkipReason::BeyondSixRows: return "more than six data lines: ignored";
    case SkipReason::None: break;
    }
    return "";
}

void StartDataLine(DataLineScan& scan)
{
    scan.phase = ScanPhase::LineStart;
    scan.negative = false;
    scan.field = 0;
    scan.magnitude = 0;
    scan.oddCount = 0;
    scan.reason = SkipReason::None;
}

const char* FeedDataLine(DataLineScan& scan, const char* bytes, const char* end)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* const stop = reinterpret_cast<const unsigned char*>(end);
    while (p < stop && ClassOf(*p) != LineEnd) {
        switch (scan.phase) {
        case ScanPhase::LineStart:
            // Only the very first byte makes a comment.
            scan.phase = *p == '#' ? ScanPhase::Comment : ScanPhase::Space;
            break;
        case ScanPhase::Space:
        case ScanPhase::Sign:
        case ScanPhase::Digits:
            p = ScanNumbers(scan, p, stop);
            break;
        case ScanPhase::Naming:
            TakeOddByte(scan, *p++);
            break;
        case ScanPhase::Comment:
        case ScanPhase::Complete:
        case ScanPhase::Failed:
            p = LineEndFrom(p, stop);
            break;
        }
    }
    return reinterpret_cast<const char*>(p);
}

LineKind FinishDataLine(DataLineScan& scan)
{
    switch (scan.phase) {
    case ScanPhase::LineStart:
        return LineKind::Blank;
    case ScanPhase::Space:
        if (scan.field == 0)
            return LineKind::Blank;
        Fail(scan, SkipReason::FewerThanSeven);
        return LineKind::Unreadable;
    case ScanPhase::Sign:
        Fail(scan, SkipReason::NotANumber);
        return LineKind::Unreadable;
    case ScanPhase::Digits:
        scan.fields[scan.field++] = Saturated(scan.negative, scan.magnitude);
        if (scan.field == ObservationFieldCount) {
            scan.phase = ScanPhase::Complete;
            return LineKind::Data;
        }
        Fail(scan, SkipReason::FewerThanSeven);
        return LineKind::Unreadable;
    case ScanPhase::Naming:
        // The line ended inside the character: name what there is.
        Fail(scan, NameOddBytes(scan));
        return LineKind::Unreadable;
    case ScanPhase::Comment:
        return LineKind::Comment;
    case ScanPhase::Complete:
        return LineKind::Data;
    case ScanPhase::Failed:
        break;
    }
    return LineKind::Unreadable;
}
