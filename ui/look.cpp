#include "ui/look.h"

#include <algorithm>

#include "ui/scaling.h"

namespace qz {

Rgb Mix(Rgb from, Rgb to, int amount, int of) {
  const auto channel = [&](int a, int b) { return a + MulDivRound(b - a, amount, of); };
  return MakeRgb(channel(RedOf(from), RedOf(to)), channel(GreenOf(from), GreenOf(to)),
                 channel(BlueOf(from), BlueOf(to)));
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

void Canvas::Set(int x, int y, Rgb c) {
  if (Inside(x, y)) pixels_[Index(x, y)] = c;
}

void Canvas::Fill(const Box& box, Rgb c) {
  for (int y = std::max(box.top, 0); y < std::min(box.bottom, height_); ++y) HorizontalLine(box.left, box.right, y, c);
}

void Canvas::HorizontalLine(int left, int right, int y, Rgb c) {
  if (y < 0 || y >= height_) return;
  for (int x = std::max(left, 0); x < std::min(right, width_); ++x) pixels_[Index(x, y)] = c;
}

void Canvas::VerticalLine(int x, int top, int bottom, Rgb c) {
  if (x < 0 || x >= width_) return;
  for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) pixels_[Index(x, y)] = c;
}

void Canvas::Frame(const Box& box, Rgb c) {
  if (box.Width() <= 0 || box.Height() <= 0) return;
  HorizontalLine(box.left, box.right, box.top, c);
  HorizontalLine(box.left, box.right, box.bottom - 1, c);
  VerticalLine(box.left, box.top, box.bottom, c);
  VerticalLine(box.right - 1, box.top, box.bottom, c);
}

void Canvas::FocusFrame(const Box& box) {
  if (box.Width() <= 0 || box.Height() <= 0) return;
  // Each outline pixel once, so that no corner is inverted twice.
  const auto invert = [&](int x, int y) {
    if (Inside(x, y) && (x + y) % 2 == 0) pixels_[Index(x, y)] ^= kWhite;
  };
  for (int x = box.left; x < box.right; ++x) {
    invert(x, box.top);
    if (box.bottom - 1 > box.top) invert(x, box.bottom - 1);
  }
  for (int y = box.top + 1; y < box.bottom - 1; ++y) {
    invert(box.left, y);
    if (box.right - 1 > box.left) invert(box.right - 1, y);
  }
}

// ---- Flat push button

namespace {
// Rows of the face and of the band: everything inside the one-pixel frame.
constexpr int kFirstInnerRow = 1;
int LastInnerRow(int height) { return height - 2; }

bool Banded(const PushButtonState& s, bool richColour) {
  return richColour && s.enabled && !s.pressed && (s.hot || s.focused);
}
}  // namespace

Rgb PushButtonFrame(const PushButtonState& s, const PushButtonColors& c) {
  return s.enabled ? Mix(c.shadow, kBlack, 1, 3) : c.shadow;
}

Rgb PushButtonFaceAt(int y, int height, const PushButtonState& s, const PushButtonColors& c, bool richColour) {
  if (!s.enabled) return c.face;
  if (s.pressed) return Mix(c.face, kBlack, 1, 10);
  if (!richColour) return c.face;
  const Rgb top = Mix(c.face, kWhite, 1, 2);
  const Rgb bottom = Mix(c.face, kBlack, 1, 10);
  const int span = std::max(LastInnerRow(height) - kFirstInnerRow, 1);
  return Mix(top, bottom, std::clamp(y - kFirstInnerRow, 0, span), span);
}

bool PushButtonBandAt(int y, int height, const PushButtonState& s, const PushButtonColors& c, bool richColour,
                      Rgb* color) {
  if (!Banded(s, richColour)) return false;
  const Rgb base = s.hot ? kHotTrackColor : c.focusBand;
  // Half-way to white in the top row, the full colour in the bottom row.
  const int span = std::max(LastInnerRow(height) - kFirstInnerRow, 1);
  *color = Mix(base, kWhite, std::clamp(LastInnerRow(height) - y, 0, span), 2 * span);
  return true;
}

Box PushButtonFocusFrame(int width, int height) { return Box{0, 0, width, height}.Inset(4); }

Canvas DrawPushButton(int width, int height, const PushButtonState& s, const PushButtonColors& c, bool richColour) {
  Canvas canvas(width, height, c.face);
  canvas.Frame(Box{0, 0, width, height}, PushButtonFrame(s, c));
  const int last = LastInnerRow(height);
  for (int y = kFirstInnerRow; y <= last; ++y) {
    canvas.HorizontalLine(1, width - 1, y, PushButtonFaceAt(y, height, s, c, richColour));
    Rgb band = 0;
    if (!PushButtonBandAt(y, height, s, c, richColour, &band)) continue;
    // Two pixels wide, just inside the frame.
    if (y <= kFirstInnerRow + 1 || y >= last - 1) {
      canvas.HorizontalLine(1, width - 1, y, band);
    } else {
      for (int x : {1, 2, width - 3, width - 2}) canvas.Set(x, y, band);
    }
  }
  if (s.enabled && s.focused && !s.hot) canvas.FocusFrame(PushButtonFocusFrame(width, height));
  return canvas;
}

// ---- Drop-down list

DropDownLayout LayoutDropDown(int width, int height, int buttonWidth) {
  DropDownLayout layout;
  layout.button = Box{std::max(width - 1 - buttonWidth, 1), 1, width - 1, height - 1};
  layout.selection = Box{3, 3, layout.button.left - 1, height - 3};
  return layout;
}

Canvas DrawDropDown(int width, int height, int buttonWidth, const DropDownState& s, const DropDownColors& c) {
  Canvas canvas(width, height, c.window);
  canvas.Frame(Box{0, 0, width, height}, c.shadow);
  const DropDownLayout layout = LayoutDropDown(width, height, buttonWidth);
  const Box& b = layout.button;
  const bool showButton = s.enabled && (s.hot || s.focused || s.dropped);
  if (showButton) {
    canvas.Fill(b, c.face);
    // A thin bevel: raised while closed, sunken while open.
    const Rgb topLeft = s.dropped ? c.shadow : c.light;
    const Rgb bottomRight = s.dropped ? c.light : c.shadow;
    canvas.HorizontalLine(b.left, b.right, b.top, topLeft);
    canvas.VerticalLine(b.left, b.top, b.bottom, topLeft);
    canvas.HorizontalLine(b.left, b.right, b.bottom - 1, bottomRight);
    canvas.VerticalLine(b.right - 1, b.top, b.bottom, bottomRight);
  }
  // A small arrow pointing down, seven pixels across and four down, pushed in with the button.
  constexpr int kArrowWidth = 7;
  constexpr int kArrowHeight = 4;
  const int shift = showButton && s.dropped ? 1 : 0;
  const int ax = b.left + (b.Width() - kArrowWidth) / 2 + shift;
  const int ay = b.top + (b.Height() - kArrowHeight) / 2 + shift;
  const Rgb arrow = s.enabled ? c.arrow : c.grayArrow;
  for (int row = 0; row < kArrowHeight; ++row) canvas.HorizontalLine(ax + row, ax + kArrowWidth - row, ay + row, arrow);
  if (s.enabled && s.focused && !s.dropped) {
    if (!s.empty) canvas.Fill(layout.selection, c.highlight);
    canvas.FocusFrame(layout.selection);
  }
  return canvas;
}

// ---- Pictures

Picture ScalePicture(const Picture& picture, int width, int height, Rgb transparent) {
  const int sw = picture.width;
  const int sh = picture.height;
  if ((width == sw && height == sh) || sw <= 0 || sh <= 0 || width <= 0 || height <= 0) {
    Picture same = picture;
    if (width != sw || height != sh) same = Picture{std::max(width, 0), std::max(height, 0), {}};
    same.pixels.resize(static_cast<size_t>(same.width) * static_cast<size_t>(same.height), transparent);
    return same;
  }
  // Source pixel sx spans [sx * width, (sx + 1) * width) and target pixel dx spans [dx * sw, (dx + 1) * sw)
  // in units where both grids are whole numbers.
  const auto overlap = [](long long a0, long long a1, long long b0, long long b1) {
    return std::max(0LL, std::min(a1, b1) - std::max(a0, b0));
  };
  Picture out{width, height, {}};
  out.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int dy = 0; dy < height; ++dy) {
    const long long y0 = static_cast<long long>(dy) * sh;
    const long long y1 = y0 + sh;
    for (int dx = 0; dx < width; ++dx) {
      const long long x0 = static_cast<long long>(dx) * sw;
      const long long x1 = x0 + sw;
      long long total = 0, opaque = 0, r = 0, g = 0, b = 0;
      for (long long sy = y0 / height; sy * height < y1 && sy < sh; ++sy) {
        const long long wy = overlap(sy * height, (sy + 1) * height, y0, y1);
        for (long long sx = x0 / width; sx * width < x1 && sx < sw; ++sx) {
          const long long w = wy * overlap(sx * width, (sx + 1) * width, x0, x1);
          if (w == 0) continue;
          total += w;
          const Rgb p = picture.pixels[static_cast<size_t>(sy * sw + sx)];
          if (p == transparent) continue;
          opaque += w;
          r += w * RedOf(p);
          g += w * GreenOf(p);
          b += w * BlueOf(p);
        }
      }
      if (opaque == 0 || opaque * 2 < total) {
        out.pixels.push_back(transparent);
        continue;
      }
      const auto average = [&](long long sum) { return static_cast<int>((sum + opaque / 2) / opaque); };
      Rgb p = MakeRgb(average(r), average(g), average(b));
      // An opaque pixel must never turn into the colour that is left out.
      if (p == transparent) p ^= 1;
      out.pixels.push_back(p);
    }
  }
  return out;
}

}  // namespace qz
