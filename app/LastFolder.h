// The folder of the last file loaded or saved, where the save dialog opens.
#pragma once

#include <string>

// folder becomes the one that holds path, a relative path taken from the
// current directory; it stays as it was when path has no full form.
void RememberFolderOf(std::wstring& folder, const wchar_t* path);
