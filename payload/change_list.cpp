#include "payload/change_list.h"

namespace qz::payload {

namespace {
constexpr std::intptr_t kShellStarted = 32;
}

void ShowChangeList(WriterWindow& window, WriterFiles& files, DocumentShell& shell) {
  const PayloadView changes = files.OpenPayload(kChangesPayload);
  bool shown = false;
  try {
    const std::wstring path = files.ProgramFilePath(kChangesFileName);
    files.WritePayload(changes, path);
    shown = shell.Open(path) > kShellStarted;
  } catch (...) {
    // Whatever failed, the user sees the same box, once.
    shown = false;
  }
  if (!shown) window.ShowMessageBox(kViewerErrorText, kViewerErrorTitle, kBoxIconError);
}

}  // namespace qz::payload
