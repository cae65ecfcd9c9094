// The page's entry points, called from its script: start-up, the commands
// the controls deliver, loading a file's bytes, and the analysis shown
// below the window's panels.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>

#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "observations/ObservationFile.h"
#include "observations/ObservationSave.h"
#include "web/WebAnalysis.h"
#include "web/WebForm.h"

namespace {

std::string AnalysisText;
SavedObservations SavedRows;
std::string LoadReportText;
LoadResult LastLoad;

// The file being loaded, read by the page a slice at a time into the
// piece buffer: the module's memory does not grow with the file.
ObservationReader PageReader;
constexpr int PieceSize = 1 << 20;
char PieceBuffer[PieceSize];
// Why the browser could not read the file, in its own words.
std::string BrowserCause;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void WebStart()
{
    CreateWebControls();
}

// The window's command routing: the two run buttons and the spell-mode
// box act; every other control's click is dropped. True when the
// estimation ran, so the page refreshes its analysis.
EMSCRIPTEN_KEEPALIVE bool WebCommand(int id)
{
    switch (id) {
    case IDC_CALC_RUN: RunDamageCalculation(PageForm); break;
    case IDC_EST_RUN: RunDefenseEstimation(PageForm); return true;
    case IDC_SPELL_MODE: ApplySpellMode(PageForm); break;
    default: break;
    }
    return false;
}

// The control of observation row r (0 to 5) in column c (0 to 6: damage,
// attack, power, attribute, strength, charm, chain), for the script that
// saves and shares the rows.
EMSCRIPTEN_KEEPALIVE int WebRowControl(int r, int c)
{
    if (r < 0 || r >= ObservationRowCount || c < 0 || c >= ObservationFieldCount)
        return 0;
    const ObservationRow row = ObservationRowIds(r);
    const int columns[ObservationFieldCount] = {row.damage,   row.attack, row.power, row.attribute,
                                                row.strength, row.charm,  row.chain};
    return columns[c];
}

// Loading a file as the window's menu command does, in three steps: the
// page starts a load, hands over each slice it reads in the piece buffer
// (WebLoadBuffer, at most WebLoadPieceSize bytes), and finishes it.
EMSCRIPTEN_KEEPALIVE void WebLoadStart()
{
    StartObservationRead(PageReader);
}

EMSCRIPTEN_KEEPALIVE char* WebLoadBuffer()
{
    return PieceBuffer;
}

EMSCRIPTEN_KEEPALIVE int WebLoadPieceSize()
{
    return PieceSize;
}

EMSCRIPTEN_KEEPALIVE void WebLoadPiece(int size)
{
    if (size > 0 && size <= PieceSize)
        ReadObservationBytes(PageReader, PieceBuffer, static_cast<std::size_t>(size));
}

// The piece buffer then holds causeLength bytes: none, or why the browser
// stopped reading the file, which then ends where it stopped, as a read
// error ends a file for the window. Returns the number of rows filled, 0
// when the load failed and left the rows as they were.
EMSCRIPTEN_KEEPALIVE int WebLoadFinish(int causeLength)
{
    BrowserCause.assign(PieceBuffer, static_cast<std::size_t>(std::clamp(causeLength, 0, PieceSize)));
    LastLoad = FinishObservationRead(PageForm, PageReader, BrowserCause.empty() ? 0 : EIO);
    return LastLoad.failure == LoadFailure::None ? LastLoad.rowsFilled : 0;
}

// The rows as the window's save writes them, for the page to download as
// WebSavedName: their size, WebSavedBytes their bytes, valid until the
// next call. 0 when no row would be written; WebNothingToSave says why.
EMSCRIPTEN_KEEPALIVE int WebSaveRows()
{
    SavedRows = SaveObservationRows(PageForm);
    return SavedRows.rowCount > 0 ? static_cast<int>(SavedRows.bytes.size()) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* WebSavedBytes()
{
    return SavedRows.bytes.data();
}

EMSCRIPTEN_KEEPALIVE const char* WebSavedName()
{
    return SavedFileName;
}

EMSCRIPTEN_KEEPALIVE const char* WebNothingToSave()
{
    return NoRowToSaveText;
}

// What the last load reports, as JSON valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebLoadReport()
{
    LoadReportText = LoadReportJson(LastLoad, BrowserCause);
    return LoadReportText.c_str();
}

// The analysis of the estimation just run, as JSON valid until the next
// call. The page, like the window, has the process's one estimator.
EMSCRIPTEN_KEEPALIVE const char* WebAnalyse()
{
    AnalysisText = AnalysisJson(PageForm, Estimator);
    return AnalysisText.c_str();
}

} // extern "C"
