// The test's place in the bed: its Linux folder (QZ_TESTBED_ROOT), its drives and its screenshots (QZ_ARTIFACTS).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver/drives.h"
#include "tests/e2e/driver/screen.h"

namespace qz::e2e {

// Z:\ maps the Linux root, so every Linux path has a Windows name.
std::wstring WindowsPathOf(const std::string& linuxPath);
// A Linux path given to the test through the environment; empty when it is not set.
std::string LinuxPathFromEnvironment(const wchar_t* name);

class BedTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A new folder <QZ_TESTBED_ROOT>/<name> (Linux path); fails the test when the bed did not set the root.
  std::string MakeFolder(const std::string& name);
  // A drive backed by a folder of its own, defined now and removed at the end of the test.
  TestDrive& AddDrive(wchar_t letter, DriveKind kind = DriveKind::Removable);

  // Saves the whole screen, or only the given window, as <QZ_ARTIFACTS>/<Suite.Test>[-<suffix>].png.
  void SaveScreenshot(const std::string& suffix = "", HWND window = nullptr);
  // Saves a picture taken earlier under the same kind of name.
  void SaveImage(const Image& image, const std::string& suffix = "");

private:
  std::string root_;
  std::vector<std::unique_ptr<TestDrive>> drives_;
};

}  // namespace qz::e2e
