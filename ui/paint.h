// Painting the window's own controls off screen and putting the result on screen in one step, so that no
// half-drawn state is ever seen; the system's colours as the portable drawing code takes them.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "ui/look.h"
#include "ui/win_gdi.h"

namespace qz {

// A system colour (COLOR_*) as 0x00RRGGBB.
Rgb SystemRgb(int index);
// A COLORREF (0x00BBGGRR) as 0x00RRGGBB.
Rgb ToRgb(COLORREF color);

// More than 256 colours on the screen: shaded faces and coloured bands are drawn only then.
bool RichColourDisplay();

// An off-screen picture of a control, with a DC for the system's drawing. With more than 256 colours it is a
// 32-bit picture whose pixels are reached directly; with fewer it has the screen's own format, so that colours
// are mixed from the palette as the system mixes them everywhere else on such a screen.
class PaintBuffer {
public:
  PaintBuffer(int width, int height);
  PaintBuffer(const PaintBuffer&) = delete;
  PaintBuffer& operator=(const PaintBuffer&) = delete;
  ~PaintBuffer();

  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Load(const Canvas& canvas);
  // The picture at the top left over what the buffer holds, every pixel of `transparent` left out.
  void DrawPicture(const Picture& picture, Rgb transparent);
  void CopyTo(HDC target, int x = 0, int y = 0) const;

private:
  // 0x00RRGGBB, top row first; null on a screen of 256 colours or fewer.
  Rgb* Pixels();

  int width_;
  int height_;
  MemoryDC dc_;
  Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  Rgb* bits_ = nullptr;
};

// Answers WM_PAINT (target null) or WM_PRINTCLIENT (target given): `paint` draws the whole client area into a
// buffer, which then goes to the screen or the target in one copy.
void PaintBuffered(HWND hwnd, HDC target, const std::function<void(PaintBuffer&)>& paint);

// The painting messages of a control drawn that way (WM_PAINT, WM_PRINTCLIENT, and WM_ERASEBKGND left out so that
// nothing flashes); nothing for any other message.
std::optional<LRESULT> HandlePaintMessage(HWND hwnd, UINT msg, WPARAM wp,
                                          const std::function<void(PaintBuffer&)>& paint);

// What the parent window shows behind a control: the parent's background and the controls below this one in
// the stacking order, drawn into `dc` as the control's client area.
void PaintBehind(HWND control, HDC dc);

}  // namespace qz
