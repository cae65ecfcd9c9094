#include "app/AnalysisReport.h"

#include "app/Clipboard.h"
#include "app/Controls.h"
#include "app/Dpi.h"
#include "encoding/TextEncoding.h"
#include "app/WindowState.h"
#include "report/ReportText.h"
#include "resources/resource.h"

namespace {

// What a report dialog shows, and the window whose report font it uses.
struct ReportDialog {
    WindowState& state;
    std::string text;
};

// The edit control and the clipboard take CRLF line ends.
std::string WithCrLf(const std::string& text)
{
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    return lines;
}

// The report for the rows on screen, in code page 932 with CRLF lines.
std::string WindowReportText(const WindowState& state)
{
    return WithCrLf(RowsReportText(state.form));
}

// The candidate columns line up only in a fixed-pitch font. The pitch and
// the character set are asked for too, so that a system without the face
// still gets a fixed-pitch Japanese font. Its cell is 16 pixels at 96 DPI;
// it is made again when a dialog of another DPI asks for it, and the font
// it replaces deleted once the edit control holds the new one.
void SetReportFont(WindowState& state, HWND dialog, int dpi)
{
    HFONT replaced = nullptr;
    if (!state.reportFont || dpi != state.reportFontDpi) {
        replaced = state.reportFont;
        state.reportFont = CreateFontW(ScaleToDpi(16, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                       FIXED_PITCH | FF_MODERN, GothicFace);
        state.reportFontDpi = dpi;
    }
    SendMessageW(GetDlgItem(dialog, IDC_REPORT_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(state.reportFont), 1);
    if (replaced)
        DeleteObject(replaced);
}

// Windows 10 (version 1703 on) lays a dialog out again on a monitor of
// another DPI and gives its controls the dialog's font at that DPI; the
// report keeps its own, which WM_DPICHANGED makes at the new DPI.
void KeepOwnFontAcrossDpis(HWND control)
{
    static auto* const setBehavior =
        LaterUser32Function<decltype(SetDialogControlDpiChangeBehavior)>("SetDialogControlDpiChangeBehavior");
    if (setBehavior)
        setBehavior(control, DCDC_DISABLE_FONT_UPDATE, DCDC_DISABLE_FONT_UPDATE);
}

void ShowReport(HWND dialog, ReportDialog& report)
{
    HWND edit = GetDlgItem(dialog, IDC_REPORT_TEXT);
    KeepOwnFontAcrossDpis(edit);
    SetReportFont(report.state, dialog, WindowDpi(dialog));
    // A long candidate list goes beyond the 32 K characters a user may type.
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(edit, Utf8ToWide(report.text).c_str());
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&report));
    // On the edit the focus would select the whole report.
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

// Enter reaches the default button "閉じる" or comes as IDOK; Esc comes as
// IDCANCEL.
INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ShowReport(dialog, *reinterpret_cast<ReportDialog*>(lParam));
        return FALSE;
    }
    // Null for the messages before WM_INITDIALOG.
    auto* report = reinterpret_cast<ReportDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!report)
        return FALSE;
    // The dialog's own layout is left to Windows.
    if (message == WM_DPICHANGED) {
        SetReportFont(report->state, dialog, HIWORD(wParam));
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_REPORT_COPY:
        CopyTextToClipboard(dialog, report->text);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowAnalysisReport(WindowState& state)
{
    ReportDialog report{state, WindowReportText(state)};
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(state.window, GWLP_HINSTANCE));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ANALYSIS_REPORT), state.window, ReportDialogProc,
                    reinterpret_cast<LPARAM>(&report));
}

void CopyAnalysisReport(const WindowState& state)
{
    CopyTextToClipboard(state.window, WindowReportText(state));
}
