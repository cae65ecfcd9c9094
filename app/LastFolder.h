// The folder of the last file loaded or saved, where the save dialog opens.
#pragma once

#include <string>

// Before any load or save: the folder given, the start directory.
void SetLastFolder(const std::wstring& folder);

const wchar_t* LastFolder();

// The folder that holds path, a relative one taken from the current
// directory.
void RememberFolderOf(const wchar_t* path);
