// The rows an estimation did not reproduce, marked on screen: after a
// partial success their damage fields are drawn in the highlight colour,
// until the next estimation or until the field is edited.
#pragma once

#include <windows.h>

#include "estimator/Estimate.h"

struct WindowState;

// After an estimation: the rows it does not reproduce are marked, the
// others not.
void MarkEstimate(WindowState& state, const Estimate& estimate);

// Menu item 110: the file load, then the marks when it estimated. Returns
// the command's result: 1 when the load failed, else 0.
int LoadAndMark(WindowState& state);

// The same for a file given by its path, without the dialog.
int LoadPathAndMark(WindowState& state, const wchar_t* path);

// An edit field's notification: a damage field that changed loses its mark.
void UnmarkEditedRow(WindowState& state, int id, int notification);

// For WM_CTLCOLOREDIT: the highlight brush and background for a marked
// damage field; null, with dc untouched, for every other field.
HBRUSH ColorMarkedField(WindowState& state, HDC dc, HWND control);
