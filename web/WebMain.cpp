// The page's entry points, called from its script: start-up, the commands
// the controls deliver, loading a file a slice at a time, and what the
// page shows below the window's panels, as JSON from the core's one
// serialiser. The page's texts are UTF-8 throughout: none is converted.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>

#include "estimator/EstimateAnalysis.h"
#include "estimator/EstimatorState.h"
#include "estimator/PanelCommand.h"
#include "form/ControlIds.h"
#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"
#include "observations/ObservationSave.h"
#include "report/AnalysisJson.h"
#include "report/LoadReport.h"
#include "web/WebForm.h"

namespace {

std::string JsonText;

// The estimation the page last ran, by a command or a load.
Estimate PageEstimate{};
SavedObservations SavedRows;
LoadResult LastLoad;

// The file being loaded, read by the page a slice at a time into the
// piece buffer: the module's memory does not grow with the file.
ObservationReader PageReader;
constexpr int PieceSize = 1 << 20;
char PieceBuffer[PieceSize];
// Why the browser could not read the file, in its own words.
std::string BrowserCause;

std::string AsIs(std::string_view text)
{
    return std::string(text);
}

// What the piece buffer holds: a text the script put there.
std::string PieceText(int length)
{
    return std::string(PieceBuffer, static_cast<std::size_t>(std::clamp(length, 0, PieceSize)));
}

const char* Keep(const nlohmann::json& json)
{
    JsonText = json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return JsonText.c_str();
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void WebStart()
{
    CreateWebControls();
}

// The panels' commands, routed as the window routes them. True when the
// estimation ran, so the page refreshes its analysis.
EMSCRIPTEN_KEEPALIVE bool WebCommand(int id)
{
    const PanelCommandResult result = RunPanelCommand(PageForm, id);
    if (result.estimated)
        PageEstimate = result.estimate;
    return result.estimated;
}

// The control of observation row r (0 to 5) in column c (the file's
// fields, 0 to 6), for the script that keeps and shares the rows; 0 past
// the row or the columns.
EMSCRIPTEN_KEEPALIVE int WebRowControl(int r, int c)
{
    if (r < 0 || r >= ObservationRowCount || c < 0 || c >= ObservationFieldCount)
        return 0;
    return ObservationRowIds(r).*ObservationFields[c];
}

// The page's headings and captions, as JSON valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebPageTexts()
{
    return Keep(PageTextsJson(AsIs));
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
    BrowserCause = PieceText(causeLength);
    LastLoad = FinishObservationRead(PageForm, PageReader, BrowserCause.empty() ? 0 : EIO);
    if (LastLoad.failure != LoadFailure::None)
        return 0;
    PageEstimate = LastLoad.estimate;
    return LastLoad.rowsFilled;
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
    return MessageText(MessageId::SavedFileName);
}

EMSCRIPTEN_KEEPALIVE const char* WebNothingToSave()
{
    return MessageText(MessageId::NothingToSave);
}

// What the last load tells the player, for the file whose name the piece
// buffer holds (nameLength bytes): {"failed", "lines": the window's
// message and the cause when it failed, then the lines it skipped}.
EMSCRIPTEN_KEEPALIVE const char* WebLoadReport(int nameLength)
{
    const std::string name = PieceText(nameLength);
    nlohmann::json lines = nlohmann::json::array();
    const bool failed = LastLoad.failure != LoadFailure::None;
    if (failed) {
        lines.push_back(MessageText(MessageId::LoadFailed));
        lines.push_back(name + ": " + LoadFailureMessage(LastLoad, BrowserCause));
    }
    for (const std::string& line : LoadReportLines(name, LastLoad, AsIs))
        lines.push_back(line);
    return Keep({{"failed", failed}, {"lines", lines}});
}

// The analysis of the page's last estimation, every candidate and the
// chart included, as JSON valid until the next call. The page, like the
// window, has the process's one estimator.
EMSCRIPTEN_KEEPALIVE const char* WebAnalyse()
{
    const MemoryForm rows = CopyObservationRows(PageForm);
    const EstimateAnalysis analysis = AnalyseEstimate(rows, PageEstimate, Estimator, {true, true});
    return Keep(AnalysisJson(rows, analysis, nullptr, {true, true}, AsIs));
}

} // extern "C"
