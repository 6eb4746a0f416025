// Defining and removing drive letters at run time through Wine's mount manager, as its configuration tool does.
// Programs that are already running see the change at their next look at the drive list.
#pragma once

#include <windows.h>

#include <string>

namespace qz::testbed {

enum class DriveKind : ULONG { Removable = DRIVE_REMOVABLE, Fixed = DRIVE_FIXED, CdRom = DRIVE_CDROM };

// Maps `letter` (a-z, either case) to a Linux folder, which need not exist (a reader without a medium).
// Returns ERROR_SUCCESS or the system's error code.
DWORD DefineDrive(wchar_t letter, const std::string& unixFolderUtf8, DriveKind kind);
// Removes the letter; ERROR_SUCCESS or the system's error code (433 when the letter is not defined).
DWORD RemoveDrive(wchar_t letter);

// UTF-16 to UTF-8 and back, for Linux paths that pass through the Windows side.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace qz::testbed
