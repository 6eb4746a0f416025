// A program under test, started as a user would start it, and always ended by the time its owner goes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/driver/wait.h"

namespace qz::e2e {

class Process {
public:
  // Starts `exe` with `workingFolder` as its current folder; throws std::runtime_error when it cannot start.
  Process(const std::wstring& exe, const std::wstring& workingFolder, const std::wstring& arguments = L"");
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  // Kills the program if it still runs.
  ~Process();

  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code once the program has ended within `limit`; nothing when it still runs then.
  std::optional<DWORD> WaitForExit(Ms limit) const;
  void Kill();

private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace qz::e2e
