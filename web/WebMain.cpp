// The page's entry points, called from its script: start-up, the commands
// the controls deliver, loading a file's bytes, and the analysis shown
// below the window's panels.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "observations/ObservationFile.h"
#include "web/WebAnalysis.h"
#include "web/WebForm.h"

// The page's side, in WebControls.js: the next bytes of the file the
// page holds, 0 at its end.
extern "C" int WebReadFile(char* buffer, int size);

namespace {

std::string AnalysisText;
std::string LoadReportText;
LoadResult LastLoad;

ssize_t ReadPageFile(void*, char* buffer, size_t size)
{
    return WebReadFile(buffer, static_cast<int>(size));
}

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

// Loads the file the page holds as the window's menu command loads a
// file, read through a stream a piece at a time, so that the module's
// memory does not grow with the file; returns the number of rows filled,
// 0 when the load failed and left the rows as they were.
EMSCRIPTEN_KEEPALIVE int WebLoad()
{
    std::FILE* file = fopencookie(nullptr, "rb", {ReadPageFile, nullptr, nullptr, nullptr});
    if (!file)
        return 0;
    LastLoad = LoadObservationsFromStream(PageForm, file);
    std::fclose(file);
    return LastLoad.failure == LoadFailure::None ? LastLoad.rowsFilled : 0;
}

// What the last load reports, as JSON valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebLoadReport()
{
    LoadReportText = LoadReportJson(LastLoad);
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
