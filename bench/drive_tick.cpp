// The cost of one tick's split and filter of a full 26-letter drive block, with the system calls answered from memory.
// Prints figures; asserts nothing.   drive_tick [iterations]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "drives/watcher.h"

namespace {

// A view that only counts, so that the figure is the watcher's own work.
class CountingView : public qz::drives::WatcherView {
public:
  void ClearList() override { count_ = 0; }
  void AddToList(const std::wstring&) override { ++count_; }
  int ListCount() const override { return count_; }
  void SelectFirst() override {}
  void SetSaveEnabled(bool) override {}
  void SetPrompt(const std::wstring&) override {}
  void SetPromptColor(std::uint32_t) override {}
  void SetListVisible(bool) override {}

private:
  int count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const long iterations = argc > 1 ? std::atol(argv[1]) : 200000;
  std::wstring block;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) block += std::wstring(1, letter) + L":\\" + L'\0';
  block += L'\0';
  const qz::drives::DriveCalls calls{
      [&block](std::uint32_t len, wchar_t* buf) -> std::uint32_t {
        if (block.size() > len) return static_cast<std::uint32_t>(block.size());
        block.copy(buf, block.size());
        return static_cast<std::uint32_t>(block.size() - 1);
      },
      [](const std::wstring&) -> unsigned { return qz::drives::kDriveRemovable; }};
  CountingView view;
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < iterations; ++i) qz::drives::WatchTick(calls, view);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(iterations);
  std::printf("drive_tick: 26-letter block, %d removable listed, %ld ticks, %.0f ns per tick (%.3f us)\n",
              view.ListCount(), iterations, ns, ns / 1000.0);
  return 0;
}
