// Everything a main window holds while it lives, in one record per window:
// made at WM_NCCREATE, reached from the window through GWLP_USERDATA, and
// released with its fonts and brush at WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/HandleTables.h"
#include "app/Win32Form.h"
#include "form/ControlIds.h"

// A file dialog's path buffer holds the longest path Windows allows, so a
// path past the old 260 characters opens too.
constexpr DWORD FileNameCapacity = 32768;

// The record a file dialog is run with, and the buffer it fills with the
// chosen path (64 KiB, on the heap), which keeps it for the next time.
struct FileDialog {
    OPENFILENAMEW record;
    std::vector<wchar_t> path;
};

// The fonts of the controls at one DPI; the stand-in is null where the
// system font itself shows Japanese.
struct ControlFonts {
    HFONT normal;
    HFONT bold;
    HFONT systemStandIn;
};

struct WindowState {
    HWND window;
    HandleTables handles;
    Win32Form form{handles};
    ControlFonts fonts;
    // The damage fields drawn in the highlight colour, and their brush,
    // made when a field is first drawn so.
    bool markedRows[ObservationRowCount];
    HBRUSH markBrush;
    // The current directory when the window was created, where the
    // open-file dialog starts.
    std::wstring startDirectory;
    // The folder of the last file loaded or saved, where the save dialog opens.
    std::wstring lastFolder;
    FileDialog openDialog;
    FileDialog saveDialog;
    // The report's fixed-pitch font, made with the first report dialog at
    // its DPI, and made again for a dialog of another DPI.
    HFONT reportFont;
    int reportFontDpi;
    // Set while a dialog or message box of a load, save, analysis or exit
    // command is open. Its modal loop still delivers queued commands, drops
    // and close requests to the window.
    bool dialogOpen;
};

// The record of a main window; null before WM_NCCREATE and after
// WM_NCDESTROY.
WindowState* StateOf(HWND window);

// For WM_NCCREATE: a new record, empty, for the window. False when there
// is no memory for it, which fails the window's creation.
bool AttachWindowState(HWND window);

// For WM_NCDESTROY, when the controls that used the fonts are gone.
void ReleaseWindowState(HWND window);
