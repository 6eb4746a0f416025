#include "tests/e2e/driver/bed.h"

#include <cstdio>

namespace qz::e2e {

std::wstring WindowsPathOf(const std::string& linuxPath) {
  std::wstring path = L"Z:" + testbed::FromUtf8(linuxPath);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string LinuxPathFromEnvironment(const wchar_t* name) {
  wchar_t buffer[4096] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, buffer, 4096);
  if (length == 0 || length >= 4096) return {};
  return testbed::ToUtf8(std::wstring(buffer, length));
}

void BedTest::SetUp() {
  root_ = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT");
  ASSERT_FALSE(root_.empty()) << "QZ_TESTBED_ROOT is not set: run the test through tools/testbed/wine-run";
}

void BedTest::TearDown() { drives_.clear(); }

std::string BedTest::MakeFolder(const std::string& name) {
  const std::string folder = root_ + "/" + name;
  const std::wstring windowsPath = WindowsPathOf(folder);
  if (!::CreateDirectoryW(windowsPath.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    ADD_FAILURE() << "cannot create " << folder << ", error " << ::GetLastError();
  }
  return folder;
}

TestDrive& BedTest::AddDrive(wchar_t letter, DriveKind kind) {
  const std::string folder = MakeFolder(std::string("drive-") + static_cast<char>(letter));
  drives_.push_back(std::make_unique<TestDrive>(letter, folder, kind));
  return *drives_.back();
}

void BedTest::SaveScreenshot(const std::string& suffix, HWND window) {
  SaveImage(window ? CaptureWindow(window) : CaptureWholeScreen(), suffix);
}

void BedTest::SaveImage(const Image& image, const std::string& suffix) {
  std::string artifacts = LinuxPathFromEnvironment(L"QZ_ARTIFACTS");
  if (artifacts.empty()) {
    ADD_FAILURE() << "QZ_ARTIFACTS is not set: run the test through tools/testbed/wine-run";
    return;
  }
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  if (!suffix.empty()) name += "-" + suffix;
  for (char& c : name) {
    if (c == '/') c = '_';  // parameterised names
  }
  const std::string file = artifacts + "/" + name + ".png";
  SavePng(image, WindowsPathOf(file));
  std::printf("screenshot: %s\n", file.c_str());
}

}  // namespace qz::e2e
