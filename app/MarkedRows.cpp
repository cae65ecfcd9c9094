#include "app/MarkedRows.h"

#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/HandleTables.h"
#include "app/Win32Form.h"
#include "estimator/EstimateAnalysis.h"

namespace {

bool MarkedRows[ObservationRowCount];

void SetMark(int r, bool marked)
{
    if (MarkedRows[r] == marked)
        return;
    MarkedRows[r] = marked;
    InvalidateRect(ControlHandle(ObservationRowIds(r).damage), nullptr, TRUE);
}

// A cancelled or failed load leaves the rows, and their marks, as they were.
int MarkAfterLoad(FileLoadResult result, const Estimate& estimate)
{
    if (result == FileLoadResult::Loaded)
        MarkEstimate(estimate);
    return result == FileLoadResult::Failed ? 1 : 0;
}

} // namespace

// The rows the diagnosis names.
void MarkEstimate(const Estimate& estimate)
{
    bool missed[ObservationRowCount] = {};
    for (int row : UnreproducedRows(estimate))
        missed[row - 1] = true;
    for (int r = 0; r < ObservationRowCount; ++r)
        SetMark(r, missed[r]);
}

void ClearRowMarks()
{
    for (bool& mark : MarkedRows)
        mark = false;
}

int LoadAndMark()
{
    Estimate estimate;
    return MarkAfterLoad(LoadObservationFile(MainForm, &estimate), estimate);
}

int LoadPathAndMark(const wchar_t* path)
{
    Estimate estimate;
    return MarkAfterLoad(LoadObservationPath(MainForm, path, &estimate), estimate);
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
