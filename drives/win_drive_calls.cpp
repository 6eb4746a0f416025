#include "drives/win_drive_calls.h"

#include <windows.h>

namespace qz::drives {

DriveCalls SystemDriveCalls() {
  return DriveCalls{
      [](std::uint32_t len, wchar_t* buf) -> std::uint32_t { return ::GetLogicalDriveStringsW(len, buf); },
      [](const std::wstring& root) -> unsigned { return ::GetDriveTypeW(root.c_str()); },
  };
}

}  // namespace qz::drives
