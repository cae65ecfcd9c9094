#include "app/FileSave.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "app/FileReplace.h"
#include "app/LastFolder.h"
#include "app/WideText.h"
#include "observations/ObservationSave.h"
#include "report/Messages.h"

OPENFILENAMEW SaveFileRecord;
wchar_t SaveNameBuffer[FileNameCapacity];

namespace {

constexpr char SaveCaption[] = "観測データを保存";

// Nothing worth a file: one without a row would only fail to load.
bool HasRowToSave(const SavedObservations& saved)
{
    if (saved.rowCount > 0)
        return true;
    ShowMessageBox(SaveFileRecord.hwndOwner, MessageText(MessageId::NothingToSave), SaveCaption, MB_OK | MB_ICONINFORMATION);
    return false;
}

FileSaveResult Write(const SavedObservations& saved, const wchar_t* path)
{
    const DWORD error = ReplaceFileBytes(path, saved.bytes);
    if (error == 0) {
        RememberFolderOf(path);
        return FileSaveResult::Saved;
    }
    // The path as given: it may hold characters code page 932 cannot.
    const std::wstring text =
        WideFromCp932("観測データを保存できませんでした。") + L"\n" + path + L"\n" + SystemErrorText(error);
    MessageBoxW(SaveFileRecord.hwndOwner, text.c_str(), WideFromCp932("error!!").c_str(), MB_OK | MB_ICONERROR);
    return FileSaveResult::Failed;
}

} // namespace

void PrepareSaveFileRecord(HWND owner)
{
    std::memset(&SaveFileRecord, 0, sizeof SaveFileRecord);
    // The record's own size: a 64-bit build rejects the 32-bit one.
    SaveFileRecord.lStructSize = sizeof SaveFileRecord;
    // Owned by the main window, modal like the open-file dialog.
    SaveFileRecord.hwndOwner = owner;
    SaveFileRecord.lpstrFilter = L"Text {*.txt}\0*.txt\0";
    SaveFileRecord.lpstrFile = SaveNameBuffer;
    SaveFileRecord.nMaxFile = FileNameCapacity;
    // A name typed without an extension gets ".txt".
    SaveFileRecord.lpstrDefExt = L"txt";
    SaveFileRecord.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON;
}

FileSaveResult SaveObservationFile(const Form& form)
{
    // The rows are taken before the dialog: it is modal, they cannot change meanwhile.
    const SavedObservations saved = SaveObservationRows(form);
    if (!HasRowToSave(saved))
        return FileSaveResult::NothingToSave;
    const std::wstring name = WideFromCp932(MessageText(MessageId::SavedFileName));
    std::wcsncpy(SaveNameBuffer, name.c_str(), FileNameCapacity - 1);
    SaveFileRecord.lpstrInitialDir = LastFolder();
    if (!GetSaveFileNameW(&SaveFileRecord))
        return FileSaveResult::Cancelled;
    return Write(saved, SaveNameBuffer);
}

FileSaveResult SaveObservationPath(const Form& form, const wchar_t* path)
{
    const SavedObservations saved = SaveObservationRows(form);
    if (!HasRowToSave(saved))
        return FileSaveResult::NothingToSave;
    return Write(saved, path);
}
