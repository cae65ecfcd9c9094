#include "app/MarkedRows.h"

#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/HandleTables.h"
#include "app/Win32Form.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimateAnalysis.h"
#include "estimator/EstimatorState.h"

namespace {

bool MarkedRows[ObservationRowCount];

void SetMark(int r, bool marked)
{
    if (MarkedRows[r] == marked)
        return;
    MarkedRows[r] = marked;
    InvalidateRect(ControlHandle(ObservationRowIds(r).damage), nullptr, TRUE);
}

// The rows the diagnosis names, for the estimation the process's estimator
// just ran on the rows on screen.
void MarkUnreproducedRows()
{
    bool missed[ObservationRowCount] = {};
    for (int row : UnreproducedRows(MainForm, Estimator))
        missed[row - 1] = true;
    for (int r = 0; r < ObservationRowCount; ++r)
        SetMark(r, missed[r]);
}

// A cancelled or failed load leaves the rows, and their marks, as they were.
int MarkAfterLoad(FileLoadResult result)
{
    if (result == FileLoadResult::Loaded)
        MarkUnreproducedRows();
    return result == FileLoadResult::Failed ? 1 : 0;
}

} // namespace

void ClearRowMarks()
{
    for (bool& mark : MarkedRows)
        mark = false;
}

void EstimateAndMark()
{
    RunDefenseEstimation(MainForm);
    MarkUnreproducedRows();
}

int LoadAndMark()
{
    return MarkAfterLoad(LoadObservationFile(MainForm));
}

int LoadPathAndMark(const wchar_t* path)
{
    return MarkAfterLoad(LoadObservationPath(MainForm, path));
}

void UnmarkEditedRow(int id, int notification)
{
    const int r = id - IDC_OBS_DAMAGE_0;
    if (notification == EN_CHANGE && r >= 0 && r < ObservationRowCount)
        SetMark(r, false);
}

HBRUSH ColorMarkedField(HDC dc, HWND control)
{
    // Created on the first request and kept, like the fonts.
    static const HBRUSH markBrush = CreateSolidBrush(HighlightText);
    for (int r = 0; r < ObservationRowCount; ++r) {
        if (MarkedRows[r] && ControlHandle(ObservationRowIds(r).damage) == control) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, HighlightText);
            return markBrush;
        }
    }
    return nullptr;
}
