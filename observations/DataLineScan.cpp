#include "observations/DataLineScan.h"

#include <array>
#include <limits>

namespace {

// The same reading as an integer field's (ScanInteger): white space, an
// optional sign, digits; a sign may follow the digits before it directly.
enum ByteClass : std::uint8_t { Other, Space, Sign, Digit };

constexpr std::array<ByteClass, 256> ByteClasses = [] {
    std::array<ByteClass, 256> classes{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        classes[c] = Space;
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

void Fail(DataLineScan& scan, SkipReason reason)
{
    scan.phase = ScanPhase::Failed;
    scan.reason = reason;
}

void EndNumber(DataLineScan& scan)
{
    std::int32_t value;
    if (scan.negative)
        value = scan.magnitude >= MagnitudeLimit ? std::numeric_limits<std::int32_t>::min()
                                                 : static_cast<std::int32_t>(-scan.magnitude);
    else
        value = scan.magnitude >= MagnitudeLimit ? std::numeric_limits<std::int32_t>::max()
                                                 : static_cast<std::int32_t>(scan.magnitude);
    scan.fields[scan.field++] = value;
    scan.phase = scan.field == ObservationFieldCount ? ScanPhase::Complete : ScanPhase::Space;
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

void TakeOddByte(DataLineScan& scan, unsigned char c)
{
    scan.odd[scan.oddCount++] = c;
    if (scan.oddCount == CharacterLength(scan.odd[0]))
        Fail(scan, NameOddBytes(scan));
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

void FeedDataLine(DataLineScan& scan, const char* bytes, std::size_t count)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* const end = p + count;
    while (p < end) {
        switch (scan.phase) {
        case ScanPhase::LineStart:
            // Only the very first byte makes a comment.
            if (*p == '#') {
                scan.phase = ScanPhase::Comment;
                return;
            }
            scan.phase = ScanPhase::Space;
            [[fallthrough]];
        case ScanPhase::Space:
            while (p < end && ClassOf(*p) == Space)
                ++p;
            if (p == end)
                return;
            if (ClassOf(*p) == Sign) {
                scan.negative = *p++ == '-';
                scan.phase = ScanPhase::Sign;
            } else if (ClassOf(*p) == Digit) {
                scan.negative = false;
                scan.magnitude = 0;
                scan.phase = ScanPhase::Digits;
            } else {
                scan.phase = ScanPhase::Naming;
                TakeOddByte(scan, *p++);
            }
            break;
        case ScanPhase::Sign:
            if (ClassOf(*p) != Digit) {
                Fail(scan, SkipReason::NotANumber);
                return;
            }
            scan.magnitude = 0;
            scan.phase = ScanPhase::Digits;
            [[fallthrough]];
        case ScanPhase::Digits:
            for (; p < end && ClassOf(*p) == Digit; ++p) {
                if (scan.magnitude <= MagnitudeLimit)
                    scan.magnitude = scan.magnitude * 10 + (*p - '0');
            }
            if (p < end)
                EndNumber(scan);
            break;
        case ScanPhase::Naming:
            TakeOddByte(scan, *p++);
            break;
        case ScanPhase::Comment:
        case ScanPhase::Complete:
        case ScanPhase::Failed:
            return; // the rest of the line changes nothing
        }
    }
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
        EndNumber(scan);
        if (scan.phase == ScanPhase::Complete)
            return LineKind::Data;
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
