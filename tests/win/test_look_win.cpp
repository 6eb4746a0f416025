// The once-a-second refresh without flicker: a control set to what it already shows, and the drive list rebuilt
// with the same drives, leave nothing to repaint, the open list included; a real change still repaints.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/description.h"
#include "drives/watcher.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"

namespace qz {
namespace {

using app::ControlLayout;

DesignBounds Bounds(const ControlLayout& l) { return DesignBounds{l.left, l.top, l.width, l.height}; }

// The main window's controls, built from its description, without its timer.
class LookForm : public TForm {
public:
  LookForm()
      : TForm(FormSettings{L"LookForm", app::kTitle, app::kClientWidth, app::kClientHeight,
                           FontSpec{app::kFontFace, app::kFontHeight}}) {
    label = Make<TLabel>(TLabel::Settings{.name = L"Label1",
                                          .bounds = Bounds(app::kLabel1),
                                          .caption = app::kLabel1Caption,
                                          .autoSize = true});
    fullVer = Make<TLabel>(TLabel::Settings{.name = L"FullVer",
                                            .bounds = Bounds(app::kFullVer),
                                            .caption = app::kFullVerCaption,
                                            .align = TLabel::Align::Bottom,
                                            .alignment = TLabel::Alignment::Right,
                                            .transparent = true,
                                            .ownFont = FontSpec{app::kFullVerFontFace, app::kFullVerFontHeight}});
    box = Make<TRzComboBox>(TRzComboBox::Settings{L"DeviceBox", Bounds(app::kDeviceBox), app::kDeviceBoxItemHeight,
                                                  app::kDeviceBoxDropDownCount});
    save = Make<TRzMenuButton>(
        TRzMenuButton::Settings{L"SaveButton", Bounds(app::kSaveButton), app::kSaveButtonCaption, false}, nullptr);
    picture = Make<TRzBmpButton>(TRzBmpButton::Settings{L"RzBmpButton1",
                                                        Bounds(app::kRzBmpButton1),
                                                        {L"INFO_UP", L"INFO_HOT", L"INFO_DOWN"},
                                                        app::kRzBmpButton1Hint},
                                 nullptr);
  }
  TLabel* label;
  TLabel* fullVer;
  TRzComboBox* box;
  TRzMenuButton* save;
  TRzBmpButton* picture;
};

// What a tick of the drive watcher writes, onto these controls.
class View : public drives::WatcherView {
public:
  explicit View(LookForm& f) : f_(f) {}
  void ClearList() override { f_.box->Clear(); }
  void AddToList(const std::wstring& root) override { f_.box->Add(root); }
  int ListCount() const override { return f_.box->Count(); }
  void SelectFirst() override { f_.box->SetItemIndex(0); }
  void SetSaveEnabled(bool enabled) override { f_.save->SetEnabled(enabled); }
  void SetPrompt(const std::wstring& text) override { f_.label->SetCaption(text); }
  void SetPromptColor(std::uint32_t color) override { f_.label->SetFontColor(color); }
  void SetListVisible(bool visible) override { f_.box->SetVisible(visible); }

private:
  LookForm& f_;
};

// A system whose removable drives are the given letters, behind a fixed C:.
drives::DriveCalls Drives(const std::wstring& removable) {
  drives::DriveCalls calls;
  calls.logicalDriveStrings = [removable](std::uint32_t len, wchar_t* buf) -> std::uint32_t {
    std::wstring block = std::wstring(L"C:\\") + L'\0';
    for (wchar_t letter : removable) block += std::wstring(1, letter) + L":\\" + L'\0';
    if (block.size() + 1 > len) return static_cast<std::uint32_t>(block.size() + 1);
    std::copy(block.begin(), block.end(), buf);
    buf[block.size()] = L'\0';
    return static_cast<std::uint32_t>(block.size());
  };
  calls.driveType = [](const std::wstring& root) { return root == L"C:\\" ? 3u : drives::kDriveRemovable; };
  return calls;
}

// Everything the queue holds, painting included, until it is empty.
void Settle() {
  for (int round = 0; round < 20; ++round) {
    MSG msg;
    bool any = false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!any) return;
  }
}

// Messages posted to the queue, but no painting: what runs right after a handler, before the screen is touched.
void RunPostedOnly() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool NeedsPainting(HWND hwnd) { return ::GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

class QuietRefresh : public ::testing::Test {
protected:
  void SetUp() override {
    Application = &app_;
    form_ = std::make_unique<LookForm>();
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    Application = nullptr;
  }

  void Tick(const std::wstring& removable) {
    View view(*form_);
    drives::WatchTick(Drives(removable), view);
  }
  HWND List() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(form_->box->Handle(), &info);
    return info.hwndList;
  }
  // The windows that would show a flicker.
  std::vector<HWND> Windows() const {
    return {form_->Handle(),         form_->label->Handle(), form_->fullVer->Handle(), form_->box->Handle(),
            form_->save->Handle(),   form_->picture->Handle(), List()};
  }
  std::vector<HWND> ToRepaint() const {
    std::vector<HWND> dirty;
    for (HWND h : Windows()) {
      if (NeedsPainting(h)) dirty.push_back(h);
    }
    return dirty;
  }

  TApplication app_;
  std::unique_ptr<LookForm> form_;
};

TEST_F(QuietRefresh, SteadyTicksRepaintNothingWhileARealChangeRepaintsTheList) {
  for (const wchar_t* drives : {L"EF", L""}) {
    Tick(drives);
    Settle();
    ASSERT_TRUE(ToRepaint().empty());
    Tick(drives);
    RunPostedOnly();
    EXPECT_TRUE(ToRepaint().empty()) << "a tick with the same drives left " << ToRepaint().size()
                                     << " windows to repaint (removable: " << ::testing::PrintToString(std::wstring(drives))
                                     << ")";
  }
  Tick(L"EF");
  Settle();
  Tick(L"E");
  RunPostedOnly();
  EXPECT_TRUE(NeedsPainting(form_->box->Handle())) << "a changed list is not repainted";
  Settle();
  EXPECT_EQ(form_->box->Count(), 1);
  EXPECT_EQ(form_->box->Text(), L"E:\\");
  EXPECT_EQ(::SendMessageW(form_->box->Handle(), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(QuietRefresh, OpenListKeepsItsPlaceThroughASteadyTick) {
  Tick(L"EFGHIJKLMN");
  Settle();
  ::SetFocus(form_->box->Handle());
  ::SendMessageW(form_->box->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Settle();
  ASSERT_TRUE(::IsWindowVisible(List()));
  // The user scrolls the open list down; the tick selects the first entry again but does not empty the list.
  ::SendMessageW(List(), LB_SETTOPINDEX, 2, 0);
  Settle();
  Tick(L"EFGHIJKLMN");
  RunPostedOnly();
  EXPECT_FALSE(NeedsPainting(List()));
  EXPECT_EQ(::SendMessageW(List(), LB_GETTOPINDEX, 0, 0), 2);
  EXPECT_TRUE(::IsWindowVisible(List()));
  ::SendMessageW(form_->box->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(QuietRefresh, ReadsDuringARebuildSeeTheNewList) {
  Tick(L"EF");
  Settle();
  TRzComboBox& box = *form_->box;
  box.Clear();
  EXPECT_EQ(box.Count(), 0);
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Text(), L"");
  box.Add(L"G:\\");
  box.SetItemIndex(3);  // outside the list: nothing selected
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItemIndex(0);
  EXPECT_EQ(box.Text(), L"G:\\");
  EXPECT_EQ(box.Item(0), L"G:\\");
  RunPostedOnly();
  EXPECT_EQ(::SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(box.Handle(), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(box.Text(), L"G:\\");
}

TEST_F(QuietRefresh, SettingWhatIsShownRepaintsNothing) {
  Tick(L"E");
  Settle();
  form_->label->SetFontColor(drives::kColorBlack);
  form_->label->SetCaption(drives::kPromptChoose);
  form_->save->SetEnabled(true);
  form_->box->SetVisible(true);
  form_->box->SetItemIndex(0);
  EXPECT_TRUE(ToRepaint().empty());
  form_->label->SetFontColor(drives::kColorRed);
  EXPECT_TRUE(NeedsPainting(form_->label->Handle()));
}

}  // namespace
}  // namespace qz
