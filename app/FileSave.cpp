#include "app/FileSave.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "app/FileReplace.h"
#include "app/LastFolder.h"
#include "app/OwnedDialogs.h"
#include "app/WindowState.h"
#include "encoding/TextEncoding.h"
#include "form/MenuLabel.h"
#include "messages/Messages.h"
#include "observations/ObservationSave.h"
#include "resources/ResourceText.h"

namespace {

// The menu item's own words name its boxes.
constexpr std::string_view SaveCaption = MenuItemLabel(TEXT_MENU_FILE_SAVE);

// Nothing worth a file: one without a row would only fail to load.
bool HasRowToSave(const SavedObservations& saved, HWND owner)
{
    if (saved.rowCount > 0)
        return true;
    ShowMessageBox(owner, MessageText(MessageId::NothingToSave), SaveCaption, MB_OK | MB_ICONINFORMATION);
    return false;
}

FileSaveResult Write(WindowState& state, const SavedObservations& saved, const wchar_t* path)
{
    const DWORD error = ReplaceFileBytes(path, saved.bytes);
    if (error == 0) {
        RememberFolderOf(state.lastFolder, path);
        return FileSaveResult::Saved;
    }
    // The path as given: it may hold characters code page 932 cannot.
    const std::wstring text =
        Utf8ToWide(MessageText(MessageId::SaveFailed)) + L"\n" + path + L"\n" + SystemErrorText(error);
    MessageBoxW(state.window, text.c_str(), Utf8ToWide(MessageText(MessageId::FailureCaption)).c_str(),
                MB_OK | MB_ICONERROR);
    return FileSaveResult::Failed;
}

} // namespace

void PrepareSaveFileRecord(FileDialog& dialog, HWND owner)
{
    dialog.path.assign(FileNameCapacity, L'\0');
    std::memset(&dialog.record, 0, sizeof dialog.record);
    // The record's own size: a 64-bit build rejects the 32-bit one.
    dialog.record.lStructSize = sizeof dialog.record;
    // Owned by the main window, modal like the open-file dialog.
    dialog.record.hwndOwner = owner;
    dialog.record.lpstrFilter = L"Text {*.txt}\0*.txt\0";
    dialog.record.lpstrFile = dialog.path.data();
    dialog.record.nMaxFile = FileNameCapacity;
    // A name typed without an extension gets ".txt".
    dialog.record.lpstrDefExt = L"txt";
    dialog.record.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON;
}

FileSaveResult SaveObservationFile(WindowState& state)
{
    // The rows are taken before the dialog: it is modal, they cannot change meanwhile.
    const SavedObservations saved = SaveObservationRows(state.form);
    if (!HasRowToSave(saved, state.window))
        return FileSaveResult::NothingToSave;
    const std::wstring name = Utf8ToWide(MessageText(MessageId::SavedFileName));
    std::wcsncpy(state.saveDialog.path.data(), name.c_str(), FileNameCapacity - 1);
    state.saveDialog.record.lpstrInitialDir = state.lastFolder.c_str();
    if (!GetSaveFileNameW(&state.saveDialog.record))
        return FileSaveResult::Cancelled;
    return Write(state, saved, state.saveDialog.path.data());
}
