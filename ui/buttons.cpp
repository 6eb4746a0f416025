#include "ui/buttons.h"

#include "ui/application.h"

namespace qz {

namespace {
Picture LoadPicture(const wchar_t* resourceName) {
  const HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw EResNotFound(L"Resource " + std::wstring(resourceName) + L" not found");
  Bitmap owner(bitmap);
  DIBSECTION dib{};
  if (::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24) {
    throw EResNotFound(L"Resource " + std::wstring(resourceName) + L" not found");
  }
  return PictureFrom24Bit(static_cast<const std::uint8_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth,
                          dib.dsBm.bmHeight, dib.dsBmih.biHeight > 0);
}
}  // namespace

TRzMenuButton::TRzMenuButton(TForm& form, const Settings& s, TNotifyEvent onClick)
    : TCustomButton(form, s.name, std::move(onClick)) {
  CreateButton(L"TRzMenuButton", s.caption, s.bounds, s.enabled);
}

void TRzMenuButton::Paint(PaintBuffer& buffer) {
  const bool enabled = Enabled();
  const PushButtonState state{enabled, Behaviour().Hot(), Behaviour().Pressed(), Focused()};
  const PushButtonColors colors{SystemRgb(COLOR_BTNFACE), SystemRgb(COLOR_BTNSHADOW), SystemRgb(COLOR_HIGHLIGHT)};
  buffer.Load(DrawPushButton(buffer.Width(), buffer.Height(), state, colors, RichColourDisplay()));
  // The caption stays where it is in every state.
  const HDC dc = buffer.Dc();
  SelectGuard font(dc, Form().FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  RECT r{0, 0, buffer.Width(), buffer.Height()};
  const std::wstring caption = Text();
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TRzBmpButton::TRzBmpButton(TForm& form, const Settings& s, TNotifyEvent onClick)
    : TCustomButton(form, s.name, std::move(onClick)), hint_(s.hint) {
  for (size_t i = 0; i < pictures_.size(); ++i) pictures_[i] = LoadPicture(s.pictures[i]);
  // The button takes the size of its Up picture; at another density the pictures grow with the window.
  DesignBounds bounds = s.bounds;
  bounds.width = pictures_[0].width;
  bounds.height = pictures_[0].height;
  const Scaler& scale = form.Scale();
  if (!scale.IsIdentity()) {
    for (Picture& p : pictures_) p = ScalePicture(p, scale(bounds.width), scale(bounds.height), kPureWhite);
  }
  CreateButton(L"TRzBmpButton", L"", bounds, true);
}

void TRzBmpButton::Paint(PaintBuffer& buffer) {
  // What the window shows behind the button, with the picture over it and its pure white left out.
  PaintBehind(Handle(), buffer.Dc());
  buffer.DrawPicture(pictures_[static_cast<size_t>(Behaviour().Face())], kPureWhite);
}

void TRzBmpButton::PointerEntered() { Application->HintPointerOver(Handle(), hint_); }

void TRzBmpButton::PointerLeft() { Application->HintPointerLeft(Handle()); }

}  // namespace qz
