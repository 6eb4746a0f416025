#include "ui/buttons.h"

#include "ui/application.h"

namespace qz {

namespace {
std::uint32_t ToRgb(COLORREF c) {
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 |
         GetBValue(c);
}

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

// Puts 0x00RRGGBB pixels, top row first, on a DC.
void BlitPixels(HDC dc, int x, int y, int width, int height, const std::vector<std::uint32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
}
}  // namespace

TRzMenuButton::TRzMenuButton(TForm& form, const Settings& s, TNotifyEvent onClick)
    : TCustomButton(form, s.name, std::move(onClick)) {
  CreateButton(L"TRzMenuButton", s.caption, s.bounds, s.enabled);
}

void TRzMenuButton::Paint(HDC dc) {
  RECT r{};
  ::GetClientRect(Handle(), &r);
  const bool enabled = Enabled();
  const bool pressed = Behaviour().Pressed();
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  ::DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  SelectGuard font(dc, Form().FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  const std::wstring caption = Text();
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (Focused() && !Behaviour().Hot()) {
    RECT focus = r;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
}

TRzBmpButton::TRzBmpButton(TForm& form, const Settings& s, TNotifyEvent onClick)
    : TCustomButton(form, s.name, std::move(onClick)), hint_(s.hint) {
  for (size_t i = 0; i < pictures_.size(); ++i) pictures_[i] = LoadPicture(s.pictures[i]);
  // The button takes the size of its Up picture.
  DesignBounds bounds = s.bounds;
  bounds.width = pictures_[0].width;
  bounds.height = pictures_[0].height;
  CreateButton(L"TRzBmpButton", L"", bounds, true);
}

void TRzBmpButton::Paint(HDC dc) {
  const Picture& picture = pictures_[static_cast<size_t>(Behaviour().Face())];
  const std::vector<std::uint32_t> background(picture.pixels.size(), ToRgb(::GetSysColor(COLOR_BTNFACE)));
  BlitPixels(dc, 0, 0, picture.width, picture.height, Composite(picture, background, kPureWhite));
}

void TRzBmpButton::PointerEntered() { Application->HintPointerOver(Handle(), hint_); }

void TRzBmpButton::PointerLeft() { Application->HintPointerLeft(Handle()); }

}  // namespace qz
