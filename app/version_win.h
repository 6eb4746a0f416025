// The version lookup on Windows: the version block is read out of the executable file as a resource, so that the
// system's version library is never loaded (a copy of it planted in the program's folder could be picked up).
#pragma once

#include <cstdint>
#include <string>

#include "app/version.h"

namespace qz::app {

// The block of a file: the file is mapped as an image resource, not loaded as a module, and its version resource
// (RT_VERSION, id 1) copied out.
VersionCalls SystemVersionCalls();

// The full path of the running program's executable.
std::wstring ExecutablePath();

std::uint32_t GetPackedFileVersion(const std::wstring& path);
std::wstring GetFullVersion();

}  // namespace qz::app
