// The page's entry points, called from its script: start-up, the commands
// the controls deliver, loading a file a slice at a time, and what the
// page shows below the window's panels, as JSON from the core's one
// serialiser. The page's texts are UTF-8 throughout: none is converted.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>

#include "commands/PanelCommand.h"
#include "estimator/EstimateAnalysis.h"
#include "estimator/EstimateHandOff.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/TextFormat.h"
#include "observations/ObservationFile.h"
#include "observations/ObservationSave.h"
#include "observations/PastedTable.h"
#include "report/AnalysisJson.h"
#include "report/LoadReport.h"
#include "web/EditCommand.h"
#include "web/FieldEntry.h"
#include "web/FieldNames.h"
#include "web/PageHtml.h"
#include "web/PageAnalysis.h"
#include "web/PageModel.h"
#include "web/ShareFragment.h"
#include "web/WebForm.h"

namespace {

std::string JsonText;

SavedObservations SavedRows;
LoadResult LastLoad;

// The file being loaded, read by the page a slice at a time into the
// piece buffer: the module's memory does not grow with the file.
ObservationReader PageReader;
constexpr int PieceSize = 1 << 20;
char PieceBuffer[PieceSize];
// Why the browser could not read the file, in its own words.
std::string BrowserCause;
// A load the page gave up before its end: the player cancelled it, or the
// browser stopped delivering the file.
enum class Abandoned { No, Cancelled, Stalled };
Abandoned LoadAbandoned = Abandoned::No;

// The analysis the page shows, made again only when the rows change.
HandedAnalysis HandedToPage;

// A paste into a control, read a piece at a time as a file is.
TableReader PageTable;
int PastedInto = 0;

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

const char* KeepText(std::string text)
{
    JsonText = std::move(text);
    return JsonText.c_str();
}

// A link's or the kept state's values, applied as a player would: the
// check boxes, spell mode's command, the fields, then both panels run.
void OpenShared(const SharedForm& shared)
{
    for (int id : SharedCalculatorIds)
        if (FindControlDef(id)->kind == ControlKind::Check)
            PageForm.SetCheck(id, SharedCheck(shared, id));
    RunPanelCommand(PageForm, IDC_SPELL_MODE);
    WriteSharedFields(PageForm, shared);
    RunPanelCommand(PageForm, IDC_CALC_RUN);
    RunPanelCommand(PageForm, IDC_EST_RUN);
}

} // namespace

extern "C" {

// The controls adopted and the page started as the build wrote it.
EMSCRIPTEN_KEEPALIVE void WebStart()
{
    AdoptWebControls();
    StartPage(PageForm);
}

// The panels' commands, routed as the window routes them. True when the
// estimation ran, so the page refreshes its analysis.
EMSCRIPTEN_KEEPALIVE bool WebCommand(int id)
{
    return RunPanelCommand(PageForm, id).estimated;
}

// An edit of a control (a character typed, a list chosen, a box ticked):
// the control's own command, then the one that brings its panel's results
// up to date. {"reran": "none", "calculation" or "estimation"}.
EMSCRIPTEN_KEEPALIVE const char* WebEdited(int id)
{
    const int recompute = RecomputeCommandOf(id);
    const char* reran = "none";
    if (recompute != 0) {
        RunPanelCommand(PageForm, id);
        reran = RunPanelCommand(PageForm, recompute).estimated ? "estimation" : "calculation";
    }
    return Keep({{"reran", reran}});
}

// A spin button's arrow (delta +1 or -1): its buddy field's text stepped,
// which the page then hands over as an edit of the field.
EMSCRIPTEN_KEEPALIVE void WebStepSpin(int id, int delta)
{
    const std::string text = SteppedText(PageForm, id, delta);
    if (const ControlDef* spin = FindControlDef(id); spin && !text.empty())
        PageForm.SetText(spin->buddyId, text);
}

// Where each control stands on a wide screen and on a phone, the rows'
// controls and the chart's size: PageModelJson, valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebPageModel()
{
    return Keep(PageModelJson());
}

// What the page writes beside the controls after every change:
// {"fields": {ID: {"name": the field's accessible name, "caption": its
// caption (FieldCaption)}}, "unused": [rows the estimation does not read,
// 0-based], "incomplete": [{"controls": the row's, "missing": the blank
// fields that keep it from the estimate, "hint": which}], "calculation":
// the calculator's results in one sentence}.
EMSCRIPTEN_KEEPALIVE const char* WebFieldState()
{
    nlohmann::json fields = nlohmann::json::object(), unused = nlohmann::json::array();
    for (const ControlDef& def : ControlMap)
        if (def.kind == ControlKind::Edit || def.kind == ControlKind::Combo)
            fields[std::to_string(def.id)] = {{"name", FieldName(PageForm, def.id)},
                                              {"caption", FieldCaption(PageForm, def.id)}};
    for (int r = 0; r < ObservationRowCount; ++r)
        if (!ObservationRowUsed(PageForm, r))
            unused.push_back(r);
    nlohmann::json incomplete = nlohmann::json::array();
    for (const IncompleteRow& row : IncompleteRows(PageForm)) {
        nlohmann::json controls = nlohmann::json::array();
        for (int ObservationRow::*field : ObservationFields)
            controls.push_back(ObservationRowIds(row.row).*field);
        incomplete.push_back({{"controls", controls}, {"missing", row.missing}, {"hint", IncompleteHint(PageForm, row)}});
    }
    return Keep({{"fields", fields},
                 {"unused", unused},
                 {"incomplete", incomplete},
                 {"calculation", CalculationAnnouncement(PageForm)}});
}

// Both panels as a share link's fragment, without "#".
EMSCRIPTEN_KEEPALIVE const char* WebShareFragment()
{
    return KeepText(ShareFragmentOf(ReadSharedForm(PageForm)));
}

// Opens the fragment the piece buffer holds (length bytes), which the
// kept state follows (keptLength bytes, none when nothing is kept), and
// runs both panels. {"outcome": "malformed" when nothing changed;
// "opened-differs" when the kept rows differ from the fragment's and are
// not the initial ones, so the player may want them back; else "opened"}.
EMSCRIPTEN_KEEPALIVE const char* WebOpenFragment(int length, int keptLength)
{
    const std::string text = PieceText(length);
    const std::string keptText(PieceBuffer + text.size(),
                               static_cast<std::size_t>(std::clamp(keptLength, 0, PieceSize - static_cast<int>(text.size()))));
    const std::optional<SharedForm> shared = ParseShareFragment(text);
    if (!shared)
        return Keep({{"outcome", "malformed"}});
    const std::optional<SharedForm> kept = ParseShareFragment(keptText);
    OpenShared(*shared);
    const bool differs = kept && !SameSharedRows(*kept, *shared) && !SameSharedRows(*kept, InitialSharedForm());
    return Keep({{"outcome", differs ? "opened-differs" : "opened"}});
}

// A text entering an edit field by any path (a key, the input method, a
// paste, a drop): the piece buffer holds the field's text as it would be,
// up to the caret (beforeLength bytes), then after it (afterLength); a
// negative length is a text that did not fit there. {"accepted", "text":
// what the field then holds, "caret": where in it, or "hint": why the
// field keeps its text}.
EMSCRIPTEN_KEEPALIVE const char* WebFieldEntry(int beforeLength, int afterLength)
{
    const FieldEntry entry =
        beforeLength < 0 || afterLength < 0 || beforeLength + afterLength > PieceSize
            ? FieldEntry{false, {}, 0}
            : EnterFieldText(std::string_view(PieceBuffer, static_cast<std::size_t>(beforeLength)),
                             std::string_view(PieceBuffer + beforeLength, static_cast<std::size_t>(afterLength)));
    if (!entry.accepted)
        return Keep({{"accepted", false}, {"hint", MessageText(MessageId::PageEntryRefused)}});
    return Keep({{"accepted", true}, {"text", entry.text}, {"caret", entry.caret}});
}

// The menu's clear: the rows and the enemy's values back to how they
// start (ClearedForNewEnemy), both panels run.
EMSCRIPTEN_KEEPALIVE void WebClearTable()
{
    OpenShared(ClearedForNewEnemy(ReadSharedForm(PageForm)));
}

// A paste into control id (0 outside the controls), handed over as a file
// is: WebPasteStart, each piece the piece buffer holds (WebPastePiece),
// then WebPasteFinish, which says where it goes.
EMSCRIPTEN_KEEPALIVE void WebPasteStart(int id)
{
    const RowPlace place = RowPlaceOf(id).value_or(RowPlace{0, 0});
    StartTableRead(PageTable, place.row, place.column);
    PastedInto = id;
}

EMSCRIPTEN_KEEPALIVE void WebPastePiece(int size)
{
    if (size > 0 && size <= PieceSize)
        ReadTableBytes(PageTable, PieceBuffer, static_cast<std::size_t>(size));
}

// {"paste": where the paste goes (PasteKindOf): "value" into the field as
// the browser pastes it, "file" to load as an observation file, or
// "table": it has filled the rows from the one pasted into, as a
// spreadsheet does, and run the estimation; "lines": what to tell the
// player}.
EMSCRIPTEN_KEEPALIVE const char* WebPasteFinish()
{
    const PasteKind kind = PasteKindOf(PastedInto, FinishTableRead(PageTable), PageTable);
    nlohmann::json json = {{"paste", PasteKindName(kind)}};
    if (kind == PasteKind::Table) {
        const PasteResult result = PasteTableRead(PageForm, PageTable);
        RunPanelCommand(PageForm, IDC_EST_RUN);
        nlohmann::json& lines = json["lines"] = nlohmann::json::array();
        lines.push_back(ComposeText(MessageText(MessageId::PagePasteFilled), result.firstRow, result.rowsFilled));
        if (result.cellsUnread)
            lines.push_back(ComposeText(MessageText(MessageId::PagePasteUnread), result.cellsUnread));
        if (result.linesBeyond)
            lines.push_back(ComposeText(MessageText(MessageId::PagePasteBeyond), result.linesBeyond));
    }
    StartTableRead(PageTable, 0, 0); // the lines it kept go
    return Keep(json);
}

// The page's headings and captions, as JSON valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebPageTexts()
{
    return Keep(PageTextsJson());
}

// Loading a file as the window's menu command does, in three steps: the
// page starts a load, hands over each slice it reads in the piece buffer
// (WebLoadBuffer, at most WebLoadPieceSize bytes), and finishes it, or
// gives it up.
EMSCRIPTEN_KEEPALIVE void WebLoadStart()
{
    StartObservationRead(PageReader);
    LoadAbandoned = Abandoned::No;
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
    return LastLoad.rowsFilled;
}

// Gives up the load under way, which leaves the rows as they were: the
// player cancelled it, or (stalled) the browser stopped delivering the
// file, which fails it.
EMSCRIPTEN_KEEPALIVE void WebLoadAbandon(bool stalled)
{
    LoadAbandoned = stalled ? Abandoned::Stalled : Abandoned::Cancelled;
    StartObservationRead(PageReader);
}

// What a long load shows beside its progress bar: how much of the file,
// size bytes, it has read.
EMSCRIPTEN_KEEPALIVE const char* WebLoadProgress(double read, double size)
{
    constexpr double Megabyte = 1 << 20;
    return KeepText(ComposeText(MessageText(MessageId::PageLoadProgress), read / Megabyte, size / Megabyte));
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
// message and the cause when it failed, else the rows it filled; then the
// lines it skipped}. A load given up says only that.
EMSCRIPTEN_KEEPALIVE const char* WebLoadReport(int nameLength)
{
    const std::string name = PieceText(nameLength);
    nlohmann::json lines = nlohmann::json::array();
    if (LoadAbandoned == Abandoned::Cancelled)
        lines.push_back(ComposeText(MessageText(MessageId::PageLoadCancelled), name.c_str()));
    if (LoadAbandoned == Abandoned::Stalled) {
        lines.push_back(MessageText(MessageId::LoadFailed));
        lines.push_back(name + ": " + MessageText(MessageId::PageLoadStalled));
    }
    if (LoadAbandoned != Abandoned::No)
        return Keep({{"failed", true}, {"lines", lines}});
    const bool failed = LastLoad.failure != LoadFailure::None;
    if (failed) {
        lines.push_back(MessageText(MessageId::LoadFailed));
        lines.push_back(name + ": " + LoadFailureMessage(LastLoad, BrowserCause));
    } else {
        lines.push_back(ComposeText(MessageText(MessageId::PageLoadFilled), name.c_str(), LastLoad.rowsFilled));
    }
    for (const std::string& line : LoadReportLines(name, LastLoad))
        lines.push_back(line);
    return Keep({{"failed", failed}, {"lines", lines}});
}

// The estimation of the rows on the page and what the page shows of its
// analysis: the parts that changed since the last call (PageAnalysisUpdate),
// none when the rows the estimation reads are as they were, as JSON valid
// until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebAnalyse()
{
    return Keep(PageAnalysisUpdate(HandedToPage, ReadObservationSet(PageForm)));
}

// The next batch of the candidates' rows, from index from on
// (PageCandidateRows), as JSON valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebCandidateRows(int from)
{
    return Keep(PageCandidateRows(HandedToPage, static_cast<std::size_t>(std::max(from, 0))));
}

// The estimate of the rows on the page handed to the calculator for
// attribute (0 slash, 1 strike, 2 thrust): its defense and rate set, the
// damage computed. False, changing nothing, when it has no such rate.
EMSCRIPTEN_KEEPALIVE bool WebHandOff(int attribute)
{
    return HandOffEstimate(PageForm, AnalyseObservations(ReadObservationSet(PageForm), {false, false}).estimate,
                           attribute);
}

} // extern "C"
