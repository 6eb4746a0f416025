#include "drives/watcher.h"

namespace qz::drives {

void WatchTick(const DriveCalls& calls, WatcherView& view) {
  const std::vector<std::wstring> roots = ReadDriveRoots(calls);
  view.ClearList();
  for (const std::wstring& root : roots) {
    if (IsPassedOver(root)) continue;
    if (calls.driveType(root) == kDriveRemovable) view.AddToList(root);
  }
  if (view.ListCount() <= 0) {
    view.SetSaveEnabled(false);
    view.SetPrompt(kPromptNoDrive);
    view.SetPromptColor(kColorRed);
    view.SetListVisible(false);
  } else {
    view.SelectFirst();
    view.SetSaveEnabled(true);
    view.SetPrompt(kPromptChoose);
    view.SetPromptColor(kColorBlack);
    view.SetListVisible(true);
  }
}

}  // namespace qz::drives
