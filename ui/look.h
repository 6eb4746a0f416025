// How the window's own controls look, drawn as pixel arrays: colour arithmetic, the flat push button with its
// shaded face and coloured band, the drop-down list's flat frame and button, and pictures scaled to the screen.
// Captions are left to the system's text output, drawn over these pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/picture.h"

namespace qz {

// 0x00RRGGBB, as the pixels of a picture.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c >> 16 & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>(c & 0xFF); }

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
// The push button's band under the pointer.
inline constexpr Rgb kHotTrackColor = MakeRgb(240, 155, 20);

// `from` moved towards `to` by amount/of, each channel rounded to nearest.
Rgb Mix(Rgb from, Rgb to, int amount, int of);

// A rectangle of pixels: left and top inside, right and bottom just outside.
struct Box {
  int left, top, right, bottom;
  Box Inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

class Canvas {
public:
  Canvas(int width, int height, Rgb fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  const std::vector<Rgb>& Pixels() const { return pixels_; }
  std::vector<Rgb>& Pixels() { return pixels_; }

  // Drawing stops at the canvas's edges.
  void Set(int x, int y, Rgb c);
  void Fill(const Box& box, Rgb c);
  void HorizontalLine(int left, int right, int y, Rgb c);
  void VerticalLine(int x, int top, int bottom, Rgb c);
  // A one-pixel outline just inside the box.
  void Frame(const Box& box, Rgb c);
  // The system's focus frame: the outline with every other pixel inverted, so it shows on any colour.
  void FocusFrame(const Box& box);

private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// ---- Flat push button with hot tracking

struct PushButtonColors {
  Rgb face;       // the system's button face
  Rgb shadow;     // the system's button shadow
  Rgb focusBand;  // the system's highlight
};

struct PushButtonState {
  bool enabled = true;
  bool hot = false;      // the pointer is over it
  bool pressed = false;  // held down by the mouse or the space bar
  bool focused = false;
};

// Colours of the flat push button. `richColour`: the display has more than 256 colours, so faces are shaded and
// bands drawn; otherwise faces are plain and there is no band.
Rgb PushButtonFrame(const PushButtonState& state, const PushButtonColors& colors);
Rgb PushButtonFaceAt(int y, int height, const PushButtonState& state, const PushButtonColors& colors,
                     bool richColour);
// The band's colour in row y, or nothing (returns false) when this state has no band.
bool PushButtonBandAt(int y, int height, const PushButtonState& state, const PushButtonColors& colors,
                      bool richColour, Rgb* color);
// Where the focus frame goes: inside the band, with one row of face between them.
Box PushButtonFocusFrame(int width, int height);

// Everything but the caption.
Canvas DrawPushButton(int width, int height, const PushButtonState& state, const PushButtonColors& colors,
                      bool richColour);

// ---- Drop-down list with a flat frame and a flat button

struct DropDownColors {
  Rgb window;     // the list's background
  Rgb face;       // the button's face when it shows
  Rgb shadow;     // the frame and the dark side of the bevel
  Rgb light;      // the light side of the bevel
  Rgb highlight;  // the selected entry's background while focused
  Rgb arrow;
  Rgb grayArrow;  // the arrow while disabled
};

struct DropDownState {
  bool enabled = true;
  bool hot = false;
  bool focused = false;
  bool dropped = false;
  bool empty = false;  // no entry selected: the focus shows as the dotted frame alone
};

struct DropDownLayout {
  Box button;     // inside the frame at the right
  Box selection;  // where the selected entry's text goes, highlighted while focused
};
DropDownLayout LayoutDropDown(int width, int height, int buttonWidth);

// Everything but the selected entry's text.
Canvas DrawDropDown(int width, int height, int buttonWidth, const DropDownState& state,
                    const DropDownColors& colors);

// ---- Pictures at another size

// A picture resampled to another size by area averaging, with `transparent` pixels left out of the average:
// a pixel of the result is transparent when less than half of the area it covers is opaque. A picture of the
// same size comes back unchanged.
Picture ScalePicture(const Picture& picture, int width, int height, Rgb transparent);

}  // namespace qz
