#include "app/FileLoad.h"

#include <cstring>

#include "observations/ObservationFile.h"

OPENFILENAMEA OpenFileRecord;
char FileNameBuffer[MAX_PATH];

void PrepareOpenFileRecord(const char* startDirectory, HWND owner)
{
    std::memset(&OpenFileRecord, 0, sizeof OpenFileRecord);
    // The record's own size: a 64-bit build rejects the 32-bit one.
    OpenFileRecord.lStructSize = sizeof OpenFileRecord;
    // Owned by the main window, the dialog is modal: no second load can
    // start while it is open.
    OpenFileRecord.hwndOwner = owner;
    OpenFileRecord.lpstrFilter = "Text {*.txt}\0*.txt\0";
    OpenFileRecord.nFilterIndex = 0;
    OpenFileRecord.lpstrFile = FileNameBuffer;
    OpenFileRecord.nMaxFile = MAX_PATH;
    OpenFileRecord.lpstrInitialDir = startDirectory;
    OpenFileRecord.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
}

int LoadObservationFile(Form& form, bool* loaded)
{
    if (loaded)
        *loaded = false;
    if (!GetOpenFileNameA(&OpenFileRecord))
        return 0;
    // A file that yields no row is a failure too: the rows typed stay. Owned
    // like the dialog, the box stays in front of the window, which waits
    // for it.
    if (LoadObservationsFromFile(form, FileNameBuffer).failure != LoadFailure::None) {
        MessageBoxA(OpenFileRecord.hwndOwner, "file読み込み失敗", "error!!", MB_OK);
        return 1;
    }
    if (loaded)
        *loaded = true;
    return 0;
}
