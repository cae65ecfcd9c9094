#include "app/FileLoad.h"

#include <cstring>

#include "app/LastFolder.h"
#include "app/WideText.h"
#include "observations/DiskFile.h"
#include "report/Messages.h"

OPENFILENAMEW OpenFileRecord;
wchar_t FileNameBuffer[FileNameCapacity];

void PrepareOpenFileRecord(const wchar_t* startDirectory, HWND owner)
{
    std::memset(&OpenFileRecord, 0, sizeof OpenFileRecord);
    // The record's own size: a 64-bit build rejects the 32-bit one.
    OpenFileRecord.lStructSize = sizeof OpenFileRecord;
    // Owned by the main window, the dialog is modal: no second load can
    // start while it is open.
    OpenFileRecord.hwndOwner = owner;
    OpenFileRecord.lpstrFilter = L"Text {*.txt}\0*.txt\0";
    OpenFileRecord.nFilterIndex = 0;
    OpenFileRecord.lpstrFile = FileNameBuffer;
    OpenFileRecord.nMaxFile = FileNameCapacity;
    OpenFileRecord.lpstrInitialDir = startDirectory;
    OpenFileRecord.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
}

FileLoadResult LoadObservationFile(Form& form, Estimate* estimate)
{
    if (!GetOpenFileNameW(&OpenFileRecord))
        return FileLoadResult::Cancelled;
    return LoadObservationPath(form, FileNameBuffer, estimate);
}

FileLoadResult LoadObservationPath(Form& form, const wchar_t* path, Estimate* estimate)
{
    // By its UTF-16 name, and only a file on disk: a device or a pipe could
    // hold the window's thread for good. A file that yields no row is a
    // failure too: the rows typed stay. Owned like the dialog, the box
    // stays in front of the window, which waits for it.
    const LoadResult load = LoadObservationsFromDiskFile(form, path);
    if (load.failure != LoadFailure::None) {
        ShowMessageBox(OpenFileRecord.hwndOwner, MessageText(MessageId::LoadFailed), "error!!", MB_OK);
        return FileLoadResult::Failed;
    }
    if (estimate)
        *estimate = load.estimate;
    RememberFolderOf(path);
    return FileLoadResult::Loaded;
}
