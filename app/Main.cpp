#include "app/Main.h"

#include "app/description.h"
#include "app/version_win.h"
#include "drives/win_drive_calls.h"
#include "ui/application.h"

namespace qz::app {

TForm1* Form1 = nullptr;

namespace {

FormSettings Form1Settings() {
  return FormSettings{L"Form1", kTitle, kClientWidth, kClientHeight, FontSpec{kFontFace, kFontHeight}};
}

DesignBounds Bounds(const ControlLayout& l) { return DesignBounds{l.left, l.top, l.width, l.height}; }

// The drive watcher's view of the window.
class Form1WatcherView : public drives::WatcherView {
public:
  explicit Form1WatcherView(TForm1& form) : f_(form) {}
  void ClearList() override { f_.DeviceBox->Clear(); }
  void AddToList(const std::wstring& root) override { f_.DeviceBox->Add(root); }
  int ListCount() const override { return f_.DeviceBox->Count(); }
  void SelectFirst() override { f_.DeviceBox->SetItemIndex(0); }
  void SetSaveEnabled(bool enabled) override { f_.SaveButton->SetEnabled(enabled); }
  void SetPrompt(const std::wstring& text) override { f_.Label1->SetCaption(text); }
  void SetPromptColor(std::uint32_t color) override { f_.Label1->SetFontColor(color); }
  void SetListVisible(bool visible) override { f_.DeviceBox->SetVisible(visible); }

private:
  TForm1& f_;
};

}  // namespace

TForm1::TForm1() : TForm(Form1Settings()) {
  Form1 = this;
  Label1 = Make<TLabel>(TLabel::Settings{
      .name = L"Label1", .bounds = Bounds(kLabel1), .caption = kLabel1Caption, .autoSize = true});
  FullVer = Make<TLabel>(TLabel::Settings{.name = L"FullVer",
                                          .bounds = Bounds(kFullVer),
                                          .caption = kFullVerCaption,
                                          .align = TLabel::Align::Bottom,
                                          .alignment = TLabel::Alignment::Right,
                                          .transparent = true,
                                          .ownFont = FontSpec{kFullVerFontFace, kFullVerFontHeight}});
  DeviceBox = Make<TRzComboBox>(
      TRzComboBox::Settings{L"DeviceBox", Bounds(kDeviceBox), kDeviceBoxItemHeight, kDeviceBoxDropDownCount});
  SaveButton = Make<TRzMenuButton>(
      TRzMenuButton::Settings{L"SaveButton", Bounds(kSaveButton), kSaveButtonCaption, false},
      [this](TObject* sender) { SaveButtonClick(sender); });
  RzBmpButton1 = Make<TRzBmpButton>(
      TRzBmpButton::Settings{L"RzBmpButton1", Bounds(kRzBmpButton1), {L"INFO_UP", L"INFO_HOT", L"INFO_DOWN"},
                             kRzBmpButton1Hint},
      [this](TObject* sender) { RzBmpButton1Click(sender); });
  Timer1 = Make<TTimer>(L"Timer1", [this](TObject* sender) { Timer1Timer(sender); }, kTimer1Interval);
  // The buttons' lower edges reach into the small print's band and are drawn in front of it.
  ::SetWindowPos(FullVer->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TForm1::Timer1Timer(TObject*) {
  Form1WatcherView view(*this);
  drives::WatchTick(drives::SystemDriveCalls(), view);
}

void TForm1::SaveButtonClick(TObject*) { WriteFirmwareToDrive(); }

void TForm1::RzBmpButton1Click(TObject*) { ShowChangeList(); }

void TForm1::FormCreate(TObject*) {
  Application->SetHintPause(kHintPause);
  // Without a usable fixed version this raises, and the caption and the label keep their design-time texts.
  const std::wstring suffix = VersionSuffix(GetPackedFileVersion(ExecutablePath()));
  SetCaption(Caption() + suffix);
  FullVer->SetCaption(GetFullVersion() + kFullVerPadding);
}

}  // namespace qz::app
