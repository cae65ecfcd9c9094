#include "app/FileLoad.h"

#include <cstring>

#include "app/LastFolder.h"
#include "app/OwnedDialogs.h"
#include "app/WindowState.h"
#include "encoding/TextEncoding.h"
#include "messages/Messages.h"
#include "observations/DiskFile.h"

void PrepareOpenFileRecord(FileDialog& dialog, const wchar_t* startDirectory, HWND owner)
{
    dialog.path.assign(FileNameCapacity, L'\0');
    std::memset(&dialog.record, 0, sizeof dialog.record);
    // The record's own size: a 64-bit build rejects the 32-bit one.
    dialog.record.lStructSize = sizeof dialog.record;
    // Owned by the main window, the dialog is modal: the player cannot
    // reach the window while it is open. A second load that still arrives,
    // queued before it or dropped on the window, is turned away by the
    // window's flag for an open dialog (WindowState::dialogOpen).
    dialog.record.hwndOwner = owner;
    dialog.record.lpstrFilter = L"Text {*.txt}\0*.txt\0";
    dialog.record.nFilterIndex = 0;
    dialog.record.lpstrFile = dialog.path.data();
    dialog.record.nMaxFile = FileNameCapacity;
    dialog.record.lpstrInitialDir = startDirectory;
    dialog.record.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
}

FileLoadResult LoadObservationFile(WindowState& state, Estimate* estimate)
{
    if (!GetOpenFileNameW(&state.openDialog.record))
        return FileLoadResult::Cancelled;
    return LoadObservationPath(state, state.openDialog.path.data(), estimate);
}

FileLoadResult LoadObservationPath(WindowState& state, const wchar_t* path, Estimate* estimate)
{
    // By its UTF-16 name, and only a file on disk: a device or a pipe could
    // hold the window's thread for good. A file that yields no row is a
    // failure too: the rows typed stay. Owned like the dialog, the box
    // stays in front of the window, which waits for it.
    const LoadResult load = LoadObservationsFromDiskFile(state.form, path);
    if (load.failure != LoadFailure::None) {
        ShowMessageBox(state.window, MessageText(MessageId::LoadFailed), MessageText(MessageId::FailureCaption), MB_OK);
        return FileLoadResult::Failed;
    }
    if (estimate)
        *estimate = load.estimate;
    RememberFolderOf(state.lastFolder, path);
    return FileLoadResult::Loaded;
}
