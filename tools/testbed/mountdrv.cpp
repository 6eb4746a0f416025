// mountdrv add <letter> <linux-folder> [removable|fixed|cdrom]   defines a drive letter while programs run
// mountdrv del <letter>                                          removes it
// Exit code 0 on success; otherwise the message and the system's error code are printed and the exit code is 1.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tools/testbed/mountmgr.h"

namespace {

int Usage() {
  std::fputs(
      "usage: mountdrv add <letter> <linux-folder> [removable|fixed|cdrom]\n"
      "       mountdrv del <letter>\n",
      stderr);
  return 2;
}

bool ParseLetter(const wchar_t* text, wchar_t& letter) {
  // "e", "E", "e:" are all accepted.
  if (!text[0] || (text[1] && !(text[1] == L':' && !text[2]))) return false;
  letter = text[0];
  return (letter >= L'a' && letter <= L'z') || (letter >= L'A' && letter <= L'Z');
}

int Report(const char* what, DWORD error) {
  if (error == ERROR_SUCCESS) return 0;
  std::fprintf(stderr, "mountdrv: %s failed, error %lu\n", what, static_cast<unsigned long>(error));
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t letter = 0;
  if (argc < 3 || !ParseLetter(argv[2], letter)) return Usage();
  const std::wstring verb = argv[1];
  if (verb == L"del" && argc == 3) return Report("del", qz::testbed::RemoveDrive(letter));
  if (verb != L"add" || argc < 4 || argc > 5) return Usage();
  qz::testbed::DriveKind kind = qz::testbed::DriveKind::Removable;
  if (argc == 5) {
    const std::wstring type = argv[4];
    if (type == L"fixed") {
      kind = qz::testbed::DriveKind::Fixed;
    } else if (type == L"cdrom") {
      kind = qz::testbed::DriveKind::CdRom;
    } else if (type != L"removable") {
      return Usage();
    }
  }
  return Report("add", qz::testbed::DefineDrive(letter, qz::testbed::ToUtf8(argv[3]), kind));
}
