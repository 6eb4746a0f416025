// Drives of the private prefix, defined and removed while programs run (see tools/testbed/mountmgr.h).
#pragma once

#include <string>

#include "tools/testbed/mountmgr.h"

namespace qz::e2e {

using testbed::DriveKind;

// A drive letter mapped to a Linux folder for the lifetime of the object (or until Remove).
class TestDrive {
public:
  // Throws std::runtime_error when the mount manager refuses.
  TestDrive(wchar_t letter, const std::string& linuxFolder, DriveKind kind);
  TestDrive(const TestDrive&) = delete;
  TestDrive& operator=(const TestDrive&) = delete;
  ~TestDrive();

  // Unplugs it now; throws std::runtime_error when the mount manager refuses.
  void Remove();
  bool Defined() const { return defined_; }
  wchar_t Letter() const { return letter_; }
  // "E:\", as the system lists it.
  std::wstring Root() const;

private:
  wchar_t letter_;
  bool defined_ = false;
};

}  // namespace qz::e2e
