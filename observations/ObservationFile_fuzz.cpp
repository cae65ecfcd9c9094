// Fuzz target: any file bytes through the loader and the estimation on an
// in-memory form. Checks what must hold for every input: only the rows and
// the result labels change, filled rows carry a damage of at least 1, a
// load without a row changes nothing, the skipped lines are in order, and
// the estimator's tables keep their invariants. The first line, scanned in
// two pieces, reads as seven integer fields read one after the other; the
// whole input pushed in small pieces loads as the stream did.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "estimator/EstimatorState.h"
#include "form/IntegerField.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"
#include "observations/ObservationFile.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool IsRowOrLabel(int id)
{
    return IsObservationRowControl(id) || (id >= IDC_EST_DEFENSE && id <= IDC_EST_ALT3_RATES);
}

void CheckEstimator(const EstimatorState& s)
{
    Require(s.observationCount >= 0 && s.observationCount <= MaxObservations);
    Require(s.candidateCount >= 0 && s.candidateCount <= MaxCandidates);
    for (int k = 0; k < s.candidateCount; ++k) {
        Require(s.candidateDefense[k] >= 0 && s.candidateDefense[k] < DefenseValueCount);
        Require(s.candidateHits[k] >= 1 && s.candidateHits[k] <= s.observationCount);
        bool anyStep = false;
        for (int a = 0; a < AttributeKindCount; ++a) {
            Require(s.candidateRateStep[k][a] >= -1 && s.candidateRateStep[k][a] < RateStepCount);
            anyStep |= s.candidateRateStep[k][a] >= 0;
        }
        Require(anyStep);
    }
    if (s.candidateCount == 0)
        return;
    Require(s.tieCount >= 0 && s.tieCount < s.candidateCount);
    for (int n = 0; n <= s.tieCount; ++n) {
        Require(s.bestList[n] >= 0 && s.bestList[n] < s.candidateCount);
        Require(n == 0 || s.bestList[n - 1] < s.bestList[n]);
        Require(s.candidateHits[s.bestList[n]] == s.candidateHits[s.bestList[0]]);
    }
}

void CheckSkipped(const LoadResult& result)
{
    Require(result.skippedKept >= 0 && result.skippedKept <= MaxSkippedLines);
    Require(result.skippedCount >= static_cast<std::uint64_t>(result.skippedKept));
    Require(result.skippedKept == MaxSkippedLines || result.skippedCount == static_cast<std::uint64_t>(result.skippedKept));
    for (int k = 0; k < result.skippedKept; ++k) {
        Require(result.skipped[k].line >= 1 && result.skipped[k].line <= result.lineCount);
        Require(k == 0 || result.skipped[k - 1].line < result.skipped[k].line);
        Require(result.skipped[k].reason != SkipReason::None);
    }
}

// The first line against seven ScanInteger calls, fed in two pieces.
void CheckFirstLine(const std::uint8_t* data, std::size_t size)
{
    std::string_view line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find_first_of("\n\r"));
    std::int32_t expected[ObservationFieldCount];
    bool seven = true;
    std::size_t position = 0;
    for (int f = 0; f < ObservationFieldCount && seven; ++f) {
        const IntegerScan scan = ScanInteger(line, position);
        seven = scan.converted;
        expected[f] = scan.value;
        position = scan.end;
    }
    DataLineScan scan;
    StartDataLine(scan);
    const std::size_t split = size > 0 ? data[0] % (line.size() + 1) : 0;
    FeedDataLine(scan, line.data(), line.data() + split);
    FeedDataLine(scan, line.data() + split, line.data() + line.size());
    const LineKind kind = FinishDataLine(scan);
    Require((kind == LineKind::Data) == seven);
    for (int f = 0; seven && f < ObservationFieldCount; ++f)
        Require(scan.fields[f] == expected[f]);
}

// The same bytes pushed in pieces of another size load the same rows.
void CheckPieces(const std::uint8_t* data, std::size_t size, const MemoryForm& loaded, const LoadResult& expected)
{
    const std::size_t piece = size > 0 ? data[size - 1] % 7 + 1 : 1;
    ObservationReader reader;
    StartObservationRead(reader);
    for (std::size_t at = 0; at < size; at += piece)
        ReadObservationBytes(reader, reinterpret_cast<const char*>(data) + at, std::min(piece, size - at));
    MemoryForm form;
    form.SetText(IDC_EST_DEFENSE, "earlier");
    EstimatorState state;
    const LoadResult result = FinishObservationRead(form, reader, 0, state);
    Require(result.failure == expected.failure && result.rowsFilled == expected.rowsFilled);
    Require(result.lineCount == expected.lineCount && result.skippedCount == expected.skippedCount);
    for (int r = 0; r < result.rowsFilled; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        for (int id : {row.damage, row.attack, row.power, row.strength, row.charm})
            Require(form.FullText(id) == loaded.FullText(id));
        for (int id : {row.attribute, row.chain})
            Require(form.GetSelection(id) == loaded.GetSelection(id));
    }
    Require(form.FullText(IDC_EST_DEFENSE) == loaded.FullText(IDC_EST_DEFENSE));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The bytes as a read-only stream, without touching the disk.
    std::FILE* file = size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb") : std::fopen("/dev/null", "rb");
    if (!file)
        return 0;

    MemoryForm form;
    form.SetText(IDC_EST_DEFENSE, "earlier");
    const MemoryForm before = form;
    const LoadResult result = LoadObservationsFromStream(form, file);
    std::fclose(file);
    const int filled = result.rowsFilled;

    Require(filled >= 0 && filled <= ObservationRowCount);
    Require((filled > 0) == (result.failure == LoadFailure::None));
    CheckSkipped(result);
    CheckFirstLine(data, size);
    CheckPieces(data, size, form, result);
    for (const ControlDef& def : ControlMap) {
        if (IsRowOrLabel(def.id))
            continue;
        Require(form.FullText(def.id) == before.FullText(def.id));
        Require(form.GetSelection(def.id) == before.GetSelection(def.id));
    }
    for (int r = 0; r < ObservationRowCount; ++r) {
        const int damage = form.GetNumber(ObservationRowIds(r).damage);
        Require(r < filled ? damage >= 1 : damage == 0);
    }
    // No estimation without a filled row: the labels keep what they showed.
    Require(result.failure == LoadFailure::None || form.FullText(IDC_EST_DEFENSE) == "earlier");
    if (filled > 0)
        CheckEstimator(Estimator);
    return 0;
}
