// The menu "解析": the report of the rows on screen (the text of
// `torume estimate --candidates`) in the dialog "候補一覧と診断", or on the
// clipboard.
#pragma once

#include <windows.h>

#include <string>

// The fixed-pitch font of the report, created with the first dialog at its
// DPI.
extern HFONT ReportFont;

// The report for the rows on screen, in code page 932 with CRLF lines.
std::string WindowReportText();

// ID 120: the modal dialog, owned by owner, with "コピー" and "閉じる".
void ShowAnalysisReport(HWND owner);

// ID 121 and the dialog's "コピー": the report as Unicode text; a clipboard that stays busy is reported in a box owned by
// owner, or by the dialog.
void CopyAnalysisReport(HWND owner);
