// The once-a-second drive watcher: rebuilds the drive list and switches the window between its two states.
#pragma once

#include <cstdint>
#include <string>

#include "drives/drive_block.h"

namespace qz::drives {

inline constexpr const wchar_t* kPromptNoDrive = L"ПОДКЛЮЧИТЕ USB-FLASH!";
inline constexpr const wchar_t* kPromptChoose = L"Выберите USB-Flash:";
// Colours as the system encodes them (0x00BBGGRR).
inline constexpr std::uint32_t kColorRed = 0x0000FF;
inline constexpr std::uint32_t kColorBlack = 0x000000;

// What a tick writes on the window.
class WatcherView {
public:
  virtual ~WatcherView() = default;
  virtual void ClearList() = 0;
  virtual void AddToList(const std::wstring& root) = 0;
  virtual int ListCount() const = 0;
  virtual void SelectFirst() = 0;
  virtual void SetSaveEnabled(bool enabled) = 0;
  virtual void SetPrompt(const std::wstring& text) = 0;
  virtual void SetPromptColor(std::uint32_t color) = 0;
  virtual void SetListVisible(bool visible) = 0;
};

// One tick, from scratch: nothing is kept from the tick before.
void WatchTick(const DriveCalls& calls, WatcherView& view);

}  // namespace qz::drives
