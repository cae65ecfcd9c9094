#include "app/MarkedRows.h"

#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/HandleTables.h"
#include "app/WindowState.h"
#include "estimator/EstimateAnalysis.h"
#include "form/ControlIds.h"

namespace {

void SetMark(WindowState& state, int r, bool marked)
{
    if (state.markedRows[r] == marked)
        return;
    state.markedRows[r] = marked;
    InvalidateRect(ControlHandle(state.handles, ObservationRowIds(r).damage), nullptr, TRUE);
}

// A cancelled or failed load leaves the rows, and their marks, as they were.
int MarkAfterLoad(WindowState& state, FileLoadResult result, const Estimate& estimate)
{
    if (result == FileLoadResult::Loaded)
        MarkEstimate(state, estimate);
    return result == FileLoadResult::Failed ? 1 : 0;
}

} // namespace

// The rows the diagnosis names.
void MarkEstimate(WindowState& state, const Estimate& estimate)
{
    bool missed[ObservationRowCount] = {};
    for (int row : UnreproducedRows(estimate))
        missed[row - 1] = true;
    for (int r = 0; r < ObservationRowCount; ++r)
        SetMark(state, r, missed[r]);
}

int LoadAndMark(WindowState& state)
{
    Estimate estimate;
    return MarkAfterLoad(state, LoadObservationFile(state, &estimate), estimate);
}

int LoadPathAndMark(WindowState& state, const wchar_t* path)
{
    Estimate estimate;
    return MarkAfterLoad(state, LoadObservationPath(state, path, &estimate), estimate);
}

void UnmarkEditedRow(WindowState& state, int id, int notification)
{
    const int r = id - IDC_OBS_DAMAGE_0;
    if (notification == EN_CHANGE && r >= 0 && r < ObservationRowCount)
        SetMark(state, r, false);
}

HBRUSH ColorMarkedField(WindowState& state, HDC dc, HWND control)
{
    for (int r = 0; r < ObservationRowCount; ++r) {
        if (state.markedRows[r] && ControlHandle(state.handles, ObservationRowIds(r).damage) == control) {
            // Made on the first request and kept, like the fonts, until the
            // window goes.
            if (!state.markBrush)
                state.markBrush = CreateSolidBrush(HighlightText);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, HighlightText);
            return state.markBrush;
        }
    }
    return nullptr;
}
