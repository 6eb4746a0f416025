// The main window's description: its settings and its controls, in creation order, at 96 pixels per inch.
#pragma once

#include "drives/watcher.h"

namespace qz::app {

// The application title, which is also the window's design-time caption.
inline constexpr const wchar_t* kTitle = L"Загрузочный модуль QZ";

struct ControlLayout {
  int left, top, width, height;
};

inline constexpr int kClientWidth = 312;
inline constexpr int kClientHeight = 81;
inline constexpr const wchar_t* kFontFace = L"MS Sans Serif";
inline constexpr int kFontHeight = -11;

// 1. Label1
inline constexpr ControlLayout kLabel1{8, 13, 106, 13};
inline constexpr const wchar_t* kLabel1Caption = drives::kPromptChoose;
// 2. FullVer
inline constexpr ControlLayout kFullVer{0, 71, 312, 10};
inline constexpr const wchar_t* kFullVerCaption = L"V1.11.0.2   ";
inline constexpr const wchar_t* kFullVerFontFace = L"Arial";
inline constexpr int kFullVerFontHeight = -8;
// 3. DeviceBox
inline constexpr ControlLayout kDeviceBox{128, 8, 177, 21};
inline constexpr int kDeviceBoxItemHeight = 13;
inline constexpr int kDeviceBoxDropDownCount = 8;
// 4. SaveButton
inline constexpr ControlLayout kSaveButton{8, 40, 257, 33};
inline constexpr const wchar_t* kSaveButtonCaption = L"Записать прошивку на USB-Flash";
// 5. RzBmpButton1
inline constexpr ControlLayout kRzBmpButton1{272, 40, 32, 32};
inline constexpr const wchar_t* kRzBmpButton1Hint = L"Изменения в ПО\r(Adobe Reader)";
// 6. Timer1
inline constexpr unsigned kTimer1Interval = 1000;

// The hint delay that the creation handler sets, in milliseconds.
inline constexpr int kHintPause = 100;

}  // namespace qz::app
