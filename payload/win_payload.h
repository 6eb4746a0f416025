// The embedded payloads on Windows: opening one in the executable's own resources and writing it out as a file
// in the program folder.
#pragma once

#include <windows.h>

#include <string>

#include "payload/payload.h"

namespace qz::payload {

// A view of the raw-data resource of that name in the executable; raises EResNotFound when there is none.
PayloadView OpenPayload(const wchar_t* name);

// The folder of the running executable, with its trailing separator; empty when the system cannot tell.
std::wstring ProgramFolder();

// The program folder followed by the file name; raises EFCreateError naming the file when the folder is unknown,
// so that no relative path is ever used.
std::wstring ProgramFilePath(const std::wstring& fileName);

// Creates or replaces the file with read and write access and no sharing, and writes the whole payload in one
// write (none when it is empty). Raises EFCreateError or EWriteError.
void WritePayloadToFile(PayloadView payload, const std::wstring& path);

// The system's description of an error code, trimmed of its line break and full stop.
std::wstring SystemErrorText(DWORD code);

}  // namespace qz::payload
