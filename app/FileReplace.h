// Writing a file whole or not at all: the bytes go to a new file in the
// target's folder, which then takes the target's place: a new name by a
// move, an existing file through ReplaceFileW, so that it keeps its
// attributes, permissions and other streams, and a symbolic link stays a
// link to it. (Other hard links of the old file keep the old bytes.) A
// failure leaves no half-written file and the old one as it was. A save
// killed half-way does leave its new file; the next save into that folder
// removes it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// 0, or the system's error code of the step that failed; a target that
// another program holds gives ERROR_SHARING_VIOLATION, a read-only one
// ERROR_ACCESS_DENIED.
DWORD ReplaceFileBytes(const wchar_t* path, std::string_view bytes);

// The system's words for an error code, in the system's language.
std::wstring SystemErrorText(DWORD error);
