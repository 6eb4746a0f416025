// The drive watcher's decisions: splitting the block, passing over A and B, and the two window states.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "drives/watcher.h"

namespace qz::drives {
namespace {

using namespace std::string_literals;

// A system with a given drive block and drive types, recording what it was asked.
struct FakeSystem {
  std::wstring block;             // as the system would write it, final NUL included
  std::map<std::wstring, unsigned> types;
  bool failListing = false;
  std::uint32_t reportedLength = 0;  // when not 0: what the listing returns instead of the true count
  std::vector<std::wstring> queried;
  std::vector<std::uint32_t> listingLengths;

  DriveCalls Calls() {
    return DriveCalls{
        [this](std::uint32_t len, wchar_t* buf) -> std::uint32_t {
          listingLengths.push_back(len);
          if (failListing) return 0;
          if (block.size() > len) return static_cast<std::uint32_t>(block.size());
          std::copy(block.begin(), block.end(), buf);
          return reportedLength ? reportedLength : static_cast<std::uint32_t>(block.size() - 1);
        },
        [this](const std::wstring& root) -> unsigned {
          queried.push_back(root);
          const auto it = types.find(root);
          return it == types.end() ? 1u : it->second;
        }};
  }
};

std::wstring BlockOf(const std::vector<std::wstring>& roots) {
  std::wstring block;
  for (const auto& r : roots) block += r + L'\0';
  return block + L'\0';
}

// Records every write of a tick, in order.
struct RecordingView : WatcherView {
  std::vector<std::wstring> list;
  int selected = -1;
  std::vector<std::string> steps;
  bool saveEnabled = false;
  std::wstring prompt;
  std::uint32_t color = 0xFFFFFFFF;
  bool visible = true;

  void ClearList() override { list.clear(), selected = -1, steps.push_back("clear"); }
  void AddToList(const std::wstring& root) override { list.push_back(root), steps.push_back("add"); }
  int ListCount() const override { return static_cast<int>(list.size()); }
  void SelectFirst() override { selected = 0, steps.push_back("select"); }
  void SetSaveEnabled(bool e) override { saveEnabled = e, steps.push_back(e ? "enable" : "disable"); }
  void SetPrompt(const std::wstring& t) override { prompt = t, steps.push_back("prompt"); }
  void SetPromptColor(std::uint32_t c) override { color = c, steps.push_back("color"); }
  void SetListVisible(bool v) override { visible = v, steps.push_back(v ? "show" : "hide"); }
};

TEST(DriveWatcher, ListsRemovableDrivesInSystemOrderAndSelectsTheFirst) {
  FakeSystem sys;
  sys.block = BlockOf({L"C:\\", L"D:\\", L"E:\\", L"F:\\"});
  sys.types = {{L"C:\\", 3}, {L"D:\\", 5}, {L"E:\\", 2}, {L"F:\\", 2}};
  RecordingView view;
  WatchTick(sys.Calls(), view);
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"E:\\", L"F:\\"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(view.saveEnabled);
  EXPECT_EQ(view.prompt, L"Выберите USB-Flash:");
  EXPECT_EQ(view.color, 0x000000u);
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.steps, (std::vector<std::string>{"clear", "add", "add", "select", "enable", "prompt", "color",
                                                  "show"}));
}

TEST(DriveWatcher, NoRemovableDriveGivesTheNoDriveStateInOrder) {
  FakeSystem sys;
  sys.block = BlockOf({L"C:\\"});
  sys.types = {{L"C:\\", 3}};
  RecordingView view;
  view.list = {L"E:\\"};
  WatchTick(sys.Calls(), view);
  EXPECT_TRUE(view.list.empty());
  EXPECT_FALSE(view.saveEnabled);
  EXPECT_EQ(view.prompt, L"ПОДКЛЮЧИТЕ USB-FLASH!");
  EXPECT_EQ(view.color, 0x0000FFu);
  EXPECT_FALSE(view.visible);
  EXPECT_EQ(view.steps, (std::vector<std::string>{"clear", "disable", "prompt", "color", "hide"}));
}

struct FilterCase {
  const char* name;
  std::vector<std::wstring> roots;
  std::map<std::wstring, unsigned> types;
  std::vector<std::wstring> listed;
  std::vector<std::wstring> queried;
};

class DriveFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DriveFilter, ListsAndQueriesExactly) {
  const FilterCase& c = GetParam();
  FakeSystem sys;
  sys.block = BlockOf(c.roots);
  sys.types = c.types;
  RecordingView view;
  WatchTick(sys.Calls(), view);
  EXPECT_EQ(view.list, c.listed);
  EXPECT_EQ(sys.queried, c.queried);
}

std::vector<std::wstring> Letters(wchar_t first, wchar_t last) {
  std::vector<std::wstring> roots;
  for (wchar_t l = first; l <= last; ++l) roots.push_back(std::wstring(1, l) + L":\\");
  return roots;
}

std::map<std::wstring, unsigned> AllRemovable(const std::vector<std::wstring>& roots) {
  std::map<std::wstring, unsigned> types;
  for (const auto& r : roots) types[r] = 2;
  return types;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriveFilter,
    ::testing::Values(
        FilterCase{"OnlyAAndBRemovableAreNeverQueried", {L"A:\\", L"B:\\", L"C:\\"},
                   {{L"A:\\", 2}, {L"B:\\", 2}, {L"C:\\", 3}}, {}, {L"C:\\"}},
        FilterCase{"LowerCaseAIsQueriedLikeAnyOther", {L"a:\\", L"C:\\"}, {{L"a:\\", 2}, {L"C:\\", 3}},
                   {L"a:\\"}, {L"a:\\", L"C:\\"}},
        FilterCase{"TwentyFiveLetters", Letters(L'B', L'Z'), AllRemovable(Letters(L'B', L'Z')),
                   Letters(L'C', L'Z'), Letters(L'C', L'Z')},
        FilterCase{"TwentySixLetters", Letters(L'A', L'Z'), AllRemovable(Letters(L'A', L'Z')),
                   Letters(L'C', L'Z'), Letters(L'C', L'Z')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriveWatcher, FailedListingGivesNoDriveStateWithoutQueries) {
  FakeSystem sys;
  sys.failListing = true;
  RecordingView view;
  WatchTick(sys.Calls(), view);
  EXPECT_TRUE(sys.queried.empty());
  EXPECT_FALSE(view.saveEnabled);
  EXPECT_FALSE(view.visible);
}

TEST(DriveBlock, ARootCutBeforeItsNulIsNotExamined) {
  FakeSystem sys;
  sys.block = BlockOf({L"C:\\", L"E:\\"});
  sys.types = {{L"C:\\", 2}, {L"E:\\", 2}};
  sys.reportedLength = 6;  // "C:\<NUL>E:" : the count ends inside the second root
  RecordingView view;
  WatchTick(sys.Calls(), view);
  EXPECT_EQ(view.list, std::vector<std::wstring>{L"C:\\"});
  EXPECT_EQ(sys.queried, std::vector<std::wstring>{L"C:\\"});
}

TEST(DriveBlock, ABlockLargerThanTheBufferIsListedAgainAtTheSizeAskedFor) {
  // More than 26 roots' worth (a system that lists more than letters): the second listing fits.
  std::vector<std::wstring> roots = Letters(L'A', L'Z');
  roots.push_back(L"\\\\?\\Volume{x}\\");
  FakeSystem sys;
  sys.block = BlockOf(roots);
  sys.types = AllRemovable(roots);
  RecordingView view;
  WatchTick(sys.Calls(), view);
  ASSERT_EQ(sys.listingLengths.size(), 2u);
  EXPECT_GE(sys.listingLengths[1], sys.block.size());
  EXPECT_EQ(view.list.size(), 25u);
}

TEST(DriveBlock, SplitNeverReadsPastTheCountedPart) {
  const std::wstring buffer = L"C:\\\0D:\\\0garbage-without-nul"s;
  EXPECT_EQ(SplitDriveBlock(std::wstring_view(buffer).substr(0, 8)),
            (std::vector<std::wstring>{L"C:\\", L"D:\\"}));
  EXPECT_TRUE(SplitDriveBlock(std::wstring_view(buffer).substr(0, 3)).empty());
}

}  // namespace
}  // namespace qz::drives
