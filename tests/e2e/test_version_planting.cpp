// No DLL is taken from the program's folder: a comctl32.dll planted next to the program, with the system told to
// prefer such a copy (comctl32=native,builtin, so that Wine behaves as Windows), is never loaded. A probe program
// that imports comctl32 shows first that the planted copy is picked up wherever the search order allows it.
// version.dll cannot serve here: Wine's own user32 imports it, so every program would load a planted one.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"

namespace qz::e2e {
namespace {

// The planted DLL leaves this file next to itself when a process loads it.
const char* const kMarker = "comctl32.loaded";

bool Exists(const std::string& linuxPath) {
  return ::GetFileAttributesW(WindowsPathOf(linuxPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PlantedDllTest : public LoaderTest {
protected:
  // Wine takes the load order of a new process from the registry of the prefix (the WINEDLLOVERRIDES variable
  // only counts in the environment that Wine itself was started with); the prefix is this test's own.
  void SetUp() override {
    LoaderTest::SetUp();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"comctl32", REG_SZ, kNativeFirst,
                                static_cast<DWORD>(sizeof(kNativeFirst))),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, L"comctl32");
    LoaderTest::TearDown();
  }

  // A new folder holding a copy of the program and the planted comctl32.dll; the copy's Windows path.
  std::wstring PlantNextTo(const std::wstring& exe, const std::string& folderName, std::string& folder) {
    folder = MakeFolder(folderName);
    const std::wstring name = exe.substr(exe.find_last_of(L'\\') + 1);
    const std::wstring copy = WindowsPathOf(folder) + L"\\" + name;
    EXPECT_TRUE(::CopyFileW(exe.c_str(), copy.c_str(), FALSE));
    EXPECT_TRUE(::CopyFileW(WindowsPathOf(QZ_E2E_PLANTED_COMCTL32).c_str(),
                            (WindowsPathOf(folder) + L"\\comctl32.dll").c_str(), FALSE));
    return copy;
  }

  // Runs the copy until its window is up and a few timer ticks have passed, then closes it from its system menu.
  void RunAndClose(const std::wstring& exe, const std::string& folder, bool expectRangeErrorBox) {
    Process& app = Start(exe, folder);
    if (expectRangeErrorBox) {
      const std::optional<MessageBoxView> box = WaitForMessageBox(app.Id(), Ms(15000));
      ASSERT_TRUE(box.has_value()) << "no message box appeared";
      EXPECT_EQ(box->text, L"Range check error.");
      ASSERT_TRUE(ClickBoxButton(*box, IDOK));
    }
    const HWND form = WaitForTopLevel(app.Id(), L"TForm", Ms(15000));
    ASSERT_NE(form, nullptr) << "the main window did not appear";
    ::Sleep(2500);
    ::PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> code = app.WaitForExit(Ms(5000));
    ASSERT_TRUE(code.has_value()) << "still running 5 s after the close";
    EXPECT_EQ(*code, 0u);
  }

private:
  static constexpr const wchar_t* kOverrides = L"Software\\Wine\\DllOverrides";
  static constexpr wchar_t kNativeFirst[] = L"native,builtin";
};

TEST_F(PlantedDllTest, PlantedComctl32IsNeverLoaded) {
  // The probe: the planted copy works and the override is in force.
  std::string probeFolder;
  const std::wstring probe = PlantNextTo(WindowsPathOf(QZ_E2E_PLANT_PROBE), "probe", probeFolder);
  {
    Process p(probe, WindowsPathOf(probeFolder));
    const std::optional<DWORD> code = p.WaitForExit(Ms(15000));
    ASSERT_TRUE(code.has_value()) << "the probe did not end";
    EXPECT_EQ(*code, 0u);
  }
  ASSERT_TRUE(Exists(probeFolder + "/" + kMarker)) << "the probe did not load the planted comctl32.dll";

  std::string folder;
  RunAndClose(PlantNextTo(LoaderExe(), "program", folder), folder, false);
  EXPECT_FALSE(Exists(folder + "/" + kMarker)) << "the program loaded the planted comctl32.dll";

  // The build without a version resource also shows a message box at start.
  std::string boxFolder;
  RunAndClose(PlantNextTo(WindowsPathOf(QZ_E2E_LOADER_NO_VERSION), "program-box", boxFolder), boxFolder, true);
  EXPECT_FALSE(Exists(boxFolder + "/" + kMarker)) << "the program loaded the planted comctl32.dll";
}

}  // namespace
}  // namespace qz::e2e
