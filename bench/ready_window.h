// What the benchmarks that drive the program share: its main window, once it offers the benchmark's drive.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/process.h"

namespace qz::bench {

// The main window of the started program once it lists exactly `root`; nothing (with the reason printed) otherwise.
inline std::optional<e2e::MainWindow> WaitUntilReady(const e2e::Process& app, const std::wstring& root) {
  const HWND form = e2e::WaitForTopLevel(app.Id(), L"TForm", e2e::Ms(15000));
  if (!form) {
    std::fprintf(stderr, "the main window did not appear\n");
    return std::nullopt;
  }
  const e2e::MainWindow window(form);
  bool ready = false;
  window.WaitFor([&](const e2e::WindowState& s) { return s.IsReadyWith({root}); }, e2e::Ms(5000), &ready);
  if (!ready) {
    std::fprintf(stderr, "the drive was not offered\n");
    return std::nullopt;
  }
  return window;
}

}  // namespace qz::bench
