// The menu "解析": the report of the rows on screen (the text of
// `torume estimate --candidates`) in the dialog "候補一覧と診断", or on the
// clipboard.
#pragma once

struct WindowState;

// ID 120: the modal dialog, owned by the window, with "コピー" and "閉じる".
void ShowAnalysisReport(WindowState& state);

// ID 121 and the dialog's "コピー": the report as Unicode text. A clipboard
// that stays busy is reported in a box owned by the window, or by the
// dialog.
void CopyAnalysisReport(const WindowState& state);
