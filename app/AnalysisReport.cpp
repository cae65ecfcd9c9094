#include "app/AnalysisReport.h"

#include <cstring>

#include "app/Win32Form.h"
#include "estimator/EstimateReportText.h"
#include "resources/resource.h"

HFONT ReportFont;

namespace {

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

// The candidate columns line up only in a fixed-pitch font. The pitch and
// the character set are asked for too, so that a system without the face
// still gets a fixed-pitch Japanese font.
HFONT FixedPitchFont()
{
    if (!ReportFont)
        ReportFont = CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    return ReportFont;
}

std::wstring WideText(const std::string& text)
{
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(932, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(932, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// The clipboard owns the memory once it took it; otherwise it is ours to free.
void PutOnClipboard(UINT format, const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory))
        GlobalFree(memory);
}

void CopyToClipboard(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    const std::wstring wide = WideText(text);
    PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
    CloseClipboard();
}

void ShowReport(HWND dialog, const char* text)
{
    HWND edit = GetDlgItem(dialog, IDC_REPORT_TEXT);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(FixedPitchFont()), 0);
    // A long candidate list goes beyond the 32 K characters a user may type.
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(edit, text);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(text));
    // On the edit the focus would select the whole report.
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

// Enter reaches the default button "閉じる" or comes as IDOK; Esc comes as
// IDCANCEL.
INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ShowReport(dialog, reinterpret_cast<const char*>(lParam));
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_REPORT_COPY:
        CopyToClipboard(dialog, reinterpret_cast<const char*>(GetWindowLongPtrA(dialog, DWLP_USER)));
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

std::string WindowReportText()
{
    return WithCrLf(RowsReportText(MainForm));
}

void ShowAnalysisReport(HWND owner)
{
    const std::string text = WindowReportText();
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ANALYSIS_REPORT), owner, ReportDialogProc,
                    reinterpret_cast<LPARAM>(text.c_str()));
}

void CopyAnalysisReport(HWND owner)
{
    CopyToClipboard(owner, WindowReportText());
}
