#include "tests/e2e/driver/drives.h"

#include <stdexcept>

namespace qz::e2e {

TestDrive::TestDrive(wchar_t letter, const std::string& linuxFolder, DriveKind kind)
    : letter_(static_cast<wchar_t>(letter >= L'a' && letter <= L'z' ? letter - L'a' + L'A' : letter)) {
  const DWORD error = testbed::DefineDrive(letter_, linuxFolder, kind);
  if (error != ERROR_SUCCESS) {
    throw std::runtime_error("defining drive " + std::string(1, static_cast<char>(letter_)) + ": failed, error " +
                             std::to_string(error));
  }
  defined_ = true;
}

TestDrive::~TestDrive() {
  if (defined_) testbed::RemoveDrive(letter_);
}

void TestDrive::Remove() {
  const DWORD error = testbed::RemoveDrive(letter_);
  if (error != ERROR_SUCCESS) {
    throw std::runtime_error("removing drive " + std::string(1, static_cast<char>(letter_)) + ": failed, error " +
                             std::to_string(error));
  }
  defined_ = false;
}

std::wstring TestDrive::Root() const { return std::wstring{letter_, L':', L'\\'}; }

}  // namespace qz::e2e
