#include "tests/e2e/driver/message_box.h"

#include <cstdlib>
#include <limits>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/screen.h"
#include "tests/e2e/driver/windows.h"

namespace qz::e2e {

namespace {

// Draws a standard icon on the given background colour, as the box's icon control draws it.
Image RenderIcon(LPCWSTR which, std::uint32_t background, int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC screen = ::GetDC(nullptr);
  const HDC dc = ::CreateCompatibleDC(screen);
  const HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(dc, dib);
  const HBRUSH brush = ::CreateSolidBrush(RGB(Red(background), Green(background), Blue(background)));
  RECT all{0, 0, width, height};
  ::FillRect(dc, &all, brush);
  ::DrawIconEx(dc, 0, 0, ::LoadIconW(nullptr, which), 0, 0, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  image.pixels.assign(p, p + width * height);
  for (std::uint32_t& px : image.pixels) px &= 0x00FFFFFF;
  ::SelectObject(dc, old);
  ::DeleteObject(brush);
  ::DeleteObject(dib);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return image;
}

long long Difference(const Image& a, const Image& b) {
  long long sum = 0;
  for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    sum += std::abs(Red(a.pixels[i]) - Red(b.pixels[i])) + std::abs(Green(a.pixels[i]) - Green(b.pixels[i])) +
           std::abs(Blue(a.pixels[i]) - Blue(b.pixels[i]));
  }
  return sum;
}

// Which standard icon the icon control shows, told by its pixels on the screen.
BoxIcon IdentifyIcon(HWND iconControl) {
  const Image shown = CaptureWindow(iconControl);
  if (shown.width == 0 || shown.height == 0) return BoxIcon::Unknown;
  const std::uint32_t background = shown.At(0, 0);
  struct Candidate {
    LPCWSTR resource;
    BoxIcon icon;
  };
  const Candidate candidates[] = {{IDI_HAND, BoxIcon::Error},
                                  {IDI_EXCLAMATION, BoxIcon::Warning},
                                  {IDI_ASTERISK, BoxIcon::Information},
                                  {IDI_QUESTION, BoxIcon::Question}};
  BoxIcon best = BoxIcon::Unknown;
  long long bestDifference = std::numeric_limits<long long>::max();
  for (const Candidate& c : candidates) {
    const long long d = Difference(shown, RenderIcon(c.resource, background, shown.width, shown.height));
    if (d < bestDifference) {
      bestDifference = d;
      best = c.icon;
    }
  }
  // An exact picture of a standard icon differs by nothing; allow a little for blending at the edges.
  const long long tolerance = static_cast<long long>(shown.width) * shown.height * 3 * 4;
  return bestDifference <= tolerance ? best : BoxIcon::Unknown;
}

}  // namespace

const char* NameOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None:
      return "none";
    case BoxIcon::Error:
      return "error";
    case BoxIcon::Warning:
      return "warning";
    case BoxIcon::Information:
      return "information";
    case BoxIcon::Question:
      return "question";
    case BoxIcon::Unknown:
      return "unknown";
  }
  return "?";
}

const BoxButton* MessageBoxView::Button(int id) const {
  for (const BoxButton& b : buttons) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Ms limit) {
  const HWND box = WaitForTopLevel(processId, L"#32770", limit);
  if (!box) return std::nullopt;
  return ReadMessageBox(box);
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.hwnd = box;
  view.owner = ::GetWindow(box, GW_OWNER);
  view.title = TextOf(box);
  for (HWND child : Children(box)) {
    const std::wstring cls = ClassOf(child);
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (cls == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      // A box that has just appeared may not be painted yet: look again until a known icon shows, for a while.
      view.icon = BoxIcon::None;
      if (::IsWindowVisible(child)) {
        WaitUntil([&] { return (view.icon = IdentifyIcon(child)) != BoxIcon::Unknown; }, Ms(2000), Ms(20));
      }
    } else if (cls == L"Static" && ::GetDlgCtrlID(child) == 0xFFFF) {
      view.text = TextOf(child);
    } else if (cls == L"Button" && ::IsWindowVisible(child)) {
      view.buttons.push_back(BoxButton{::GetDlgCtrlID(child), TextOf(child), child});
    }
  }
  return view;
}

bool ClickBoxButton(const MessageBoxView& box, int id, Ms limit) {
  const BoxButton* button = box.Button(id);
  if (!button) return false;
  Click(CenterOf(WindowRectOf(button->hwnd)));
  return WaitUntil([&] { return !::IsWindow(box.hwnd) || !::IsWindowVisible(box.hwnd); }, limit);
}

}  // namespace qz::e2e
