// The payloads' texts and the program folder, as the portable core composes them.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"
#include "ui/presentation.h"

namespace qz::payload {
namespace {

TEST(Payload, ProgramFolderKeepsItsSeparator) {
  struct Case {
    const wchar_t *path, *folder;
  };
  for (const Case& c : {Case{L"C:\\Program Files\\QZ\\QZLoader.exe", L"C:\\Program Files\\QZ\\"},
                        Case{L"E:\\QZLoader.exe", L"E:\\"},
                        Case{L"C:\\Прошивки\\QZ\\QZLoader.exe", L"C:\\Прошивки\\QZ\\"},
                        Case{L"\\\\server\\share\\QZLoader.exe", L"\\\\server\\share\\"},
                        Case{L"\\\\?\\C:\\very\\long\\QZLoader.exe", L"\\\\?\\C:\\very\\long\\"},
                        Case{L"E:QZLoader.exe", L"E:"},
                        Case{L"QZLoader.exe", L""},
                        Case{L"", L""}}) {
    EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
  }
}

TEST(Payload, SystemTextLosesItsEnding) {
  struct Case {
    const wchar_t *raw, *trimmed;
  };
  for (const Case& c : {Case{L"Access is denied.\r\n", L"Access is denied"},
                        Case{L"The system cannot find the path specified.\r\n", L"The system cannot find the path specified"},
                        Case{L"Отказано в доступе.\r\n", L"Отказано в доступе"},
                        Case{L"Version 1.2 \t. \n", L"Version 1.2"},
                        Case{L"No ending", L"No ending"},
                        Case{L". \r\n", L""},
                        Case{L"", L""}}) {
    EXPECT_EQ(TrimSystemMessage(c.raw), c.trimmed) << c.raw;
  }
}

// As the user reads them in the exception presentation's box.
TEST(Payload, FailureMessagesAsPresented) {
  EXPECT_EQ(PresentedMessage(ResourceNotFoundMessage(L"Firmware")), L"Resource Firmware not found.");
  EXPECT_EQ(PresentedMessage(ResourceNotFoundMessage(L"Changes")), L"Resource Changes not found.");
  EXPECT_EQ(PresentedMessage(CreateErrorMessage(
                L"C:\\x\\QZ1769_m.dat",
                TrimSystemMessage(L"The process cannot access the file because it is being used by another process.\r\n"))),
            L"Cannot create file \"C:\\x\\QZ1769_m.dat\". The process cannot access the file because it is being used "
            L"by another process.");
  EXPECT_EQ(PresentedMessage(kStreamWriteError), L"Stream write error.");
}

}  // namespace
}  // namespace qz::payload
