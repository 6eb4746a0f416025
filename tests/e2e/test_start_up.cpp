// Start-up that fails before the window opens: the last-resort report, then exit code 1.
#include <gtest/gtest.h>

#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"

namespace qz::e2e {
namespace {

using StartUpTest = LoaderTest;

TEST_F(StartUpTest, RefusedTimerGivesTheLastResortReportAndExitCodeOne) {
  Process& app = Start(LoaderNoTimerExe());
  const std::optional<MessageBoxView> box = WaitForMessageBox(app.Id(), Ms(15000));
  ASSERT_TRUE(box.has_value()) << "no message box appeared";
  SaveScreenshot("report");

  EXPECT_EQ(box->title, L"Application Error");
  EXPECT_NE(box->text.find(L"EOutOfResources"), std::wstring::npos) << testbed::ToUtf8(box->text);
  EXPECT_NE(box->text.find(L"QZLoaderNoTimer.exe"), std::wstring::npos) << testbed::ToUtf8(box->text);
  EXPECT_NE(box->text.find(L"Not enough timers available"), std::wstring::npos) << testbed::ToUtf8(box->text);
  EXPECT_EQ(box->icon, BoxIcon::Error) << NameOf(box->icon);
  EXPECT_EQ(box->owner, nullptr) << "the report has an owner window";
  ASSERT_NE(box->Button(IDOK), nullptr) << "the report has no OK button";
  EXPECT_EQ(box->buttons.size(), 1u);
  EXPECT_EQ(FindTopLevel(app.Id(), L"TForm"), nullptr) << "a main window is shown";

  // The program waits for the user.
  EXPECT_TRUE(app.Running());
  ASSERT_TRUE(ClickBoxButton(*box, IDOK));
  const std::optional<DWORD> code = app.WaitForExit(Ms(3000));
  ASSERT_TRUE(code.has_value()) << "still running 3 s after the report was closed";
  EXPECT_EQ(*code, 1u);
}

}  // namespace
}  // namespace qz::e2e
