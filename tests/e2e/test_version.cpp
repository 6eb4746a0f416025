// The version in the caption and in the small print, and the program built without a version resource.
#include <gtest/gtest.h>

#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"

namespace qz::e2e {
namespace {

const wchar_t* const kTitle = L"Загрузочный модуль QZ";

std::wstring LoaderNoVersionExe() { return WindowsPathOf(QZ_E2E_LOADER_NO_VERSION); }

using VersionTest = LoaderTest;

TEST_F(VersionTest, CaptionCarriesTheVersionAndTheTaskbarEntryDoesNot) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  w.WaitFor([](const WindowState& s) { return s.IsNoDrive(); }, Ms(3000));  // painted and ticking
  SaveScreenshot("", w.form);
  EXPECT_EQ(TextOf(w.form), L"Загрузочный модуль QZ v4.16");
  const HWND app = ::GetWindow(w.form, GW_OWNER);
  ASSERT_NE(app, nullptr) << "the main window has no owner";
  EXPECT_EQ(TextOf(app), kTitle);
  EXPECT_EQ(TextOf(w.fullVer), L"4.16.0.0      ");
}

TEST_F(VersionTest, WithoutVersionResourceTheRangeErrorIsShownThenTheWindowOpensUnchanged) {
  Process& app = Start(LoaderNoVersionExe());
  const std::optional<MessageBoxView> box = WaitForMessageBox(app.Id(), Ms(15000));
  ASSERT_TRUE(box.has_value()) << "no message box appeared";
  SaveScreenshot("box");
  EXPECT_EQ(box->title, kTitle);
  EXPECT_EQ(box->text, L"Range check error.");
  EXPECT_EQ(box->icon, BoxIcon::Error) << NameOf(box->icon);
  EXPECT_NE(box->owner, nullptr) << "the box has no owner";
  ASSERT_NE(box->Button(IDOK), nullptr);
  EXPECT_EQ(box->buttons.size(), 1u);
  EXPECT_EQ(FindTopLevel(app.Id(), L"TForm"), nullptr) << "the main window is shown while the box is open";

  ASSERT_TRUE(ClickBoxButton(*box, IDOK));
  const HWND form = WaitForTopLevel(app.Id(), L"TForm", Ms(5000));
  ASSERT_NE(form, nullptr) << "no main window after the box was closed";
  const MainWindow w(form);
  ASSERT_TRUE(w.Complete());
  w.WaitFor([](const WindowState& s) { return s.IsNoDrive(); }, Ms(3000));
  SaveScreenshot("window", form);
  EXPECT_EQ(TextOf(form), kTitle);
  EXPECT_EQ(TextOf(w.fullVer), L"V1.11.0.2   ");
  EXPECT_TRUE(app.Running());
}

}  // namespace
}  // namespace qz::e2e
