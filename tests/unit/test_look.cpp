// The pixels of the window's own controls: the flat push button in each of its states, the drop-down list's
// frame and button, and the button pictures scaled to another screen density.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/look.h"

namespace qz {
namespace {

TEST(Look, MixMovesEachChannelAndRounds) {
  EXPECT_EQ(Mix(kBlack, kWhite, 1, 2), 0x808080u);
  EXPECT_EQ(Mix(MakeRgb(240, 155, 20), kWhite, 0, 4), MakeRgb(240, 155, 20));
  EXPECT_EQ(Mix(MakeRgb(240, 155, 20), kWhite, 4, 4), kWhite);
  EXPECT_EQ(Mix(MakeRgb(200, 100, 0), MakeRgb(100, 200, 50), 1, 4), MakeRgb(175, 125, 13));
}

TEST(Look, FocusFrameInvertsEveryOtherOutlinePixelOnce) {
  Canvas c(6, 5, kBlack);
  c.FocusFrame(Box{0, 0, 6, 5});
  int inverted = 0;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool outline = x == 0 || y == 0 || x == 5 || y == 4;
      const Rgb expected = outline && (x + y) % 2 == 0 ? kWhite : kBlack;
      EXPECT_EQ(c.At(x, y), expected) << x << "," << y;
      inverted += c.At(x, y) == kWhite;
    }
  }
  EXPECT_EQ(inverted, 9);  // 18 outline pixels, half of them
}

// ---- Flat push button, at the window's size of 257 x 33

constexpr int kW = 257;
constexpr int kH = 33;
const PushButtonColors kColors{MakeRgb(212, 208, 200), MakeRgb(128, 128, 128), MakeRgb(10, 36, 106)};

Canvas Button(bool enabled, bool hot, bool pressed, bool focused, bool rich = true) {
  return DrawPushButton(kW, kH, PushButtonState{enabled, hot, pressed, focused}, kColors, rich);
}

bool Brighter(Rgb a, Rgb b) { return RedOf(a) + GreenOf(a) + BlueOf(a) > RedOf(b) + GreenOf(b) + BlueOf(b); }

// The pixels of the two-pixel band ring and of the face just inside it, on the left side and at the bottom.
struct BandProbe {
  Rgb leftOuter, leftInner, leftFace, bottom, bottomAbove;
};
BandProbe Probe(const Canvas& c) {
  return {c.At(1, kH / 2), c.At(2, kH / 2), c.At(3, kH / 2), c.At(kW / 2, kH - 2), c.At(kW / 2, kH - 3)};
}

TEST(PushButtonLook, AtRestFlatDarkFrameAndFaceShadedDownwards) {
  const Canvas c = Button(true, false, false, false);
  const Rgb frame = c.At(0, 0);
  EXPECT_LT(RedOf(frame), 128);  // darker than the system shadow
  for (int x : {0, kW / 2, kW - 1}) {
    EXPECT_EQ(c.At(x, 0), frame);
    EXPECT_EQ(c.At(x, kH - 1), frame);
  }
  for (int y : {0, kH / 2, kH - 1}) {
    EXPECT_EQ(c.At(0, y), frame);
    EXPECT_EQ(c.At(kW - 1, y), frame);
  }
  // Every row one colour, each row no lighter than the one above, lighter than the face at the top and darker at
  // the bottom.
  for (int y = 1; y < kH - 1; ++y) {
    EXPECT_EQ(c.At(1, y), c.At(kW - 2, y)) << y;
    EXPECT_EQ(c.At(1, y), c.At(kW / 2, y)) << y;
    if (y > 1) {
      EXPECT_FALSE(Brighter(c.At(1, y), c.At(1, y - 1))) << y;
    }
  }
  EXPECT_TRUE(Brighter(c.At(1, 1), kColors.face));
  EXPECT_TRUE(Brighter(kColors.face, c.At(1, kH - 2)));
}

TEST(PushButtonLook, UnderThePointerAnOrangeBandTwoPixelsWidePalerAtTheTop) {
  const Canvas rest = Button(true, false, false, false);
  const Canvas hot = Button(true, true, false, false);
  const BandProbe p = Probe(hot);
  EXPECT_EQ(hot.At(1, kH - 2), kHotTrackColor);  // full colour in the bottom row
  EXPECT_EQ(p.bottom, kHotTrackColor);
  EXPECT_EQ(p.bottomAbove, hot.At(1, kH - 3));
  EXPECT_EQ(p.leftOuter, p.leftInner);
  EXPECT_EQ(p.leftFace, rest.At(3, kH / 2));  // the face inside the band is untouched
  EXPECT_EQ(hot.At(0, kH / 2), rest.At(0, kH / 2));  // so is the frame
  // Orange all the way up, paler towards the top.
  for (int y = 1; y < kH - 1; ++y) {
    const Rgb b = hot.At(1, y);
    EXPECT_GT(RedOf(b), GreenOf(b)) << y;
    EXPECT_GT(GreenOf(b), BlueOf(b)) << y;
    if (y > 1) EXPECT_TRUE(Brighter(hot.At(1, y - 1), b)) << y;
  }
  EXPECT_EQ(hot.At(kW / 2, 1), Mix(kHotTrackColor, kWhite, 1, 2));
  EXPECT_EQ(hot.At(kW / 2, 3), rest.At(kW / 2, 3));  // the band is only two rows deep
  // No focus frame under the pointer, even with the focus.
  const Canvas hotFocused = Button(true, true, false, true);
  EXPECT_EQ(hotFocused.Pixels(), hot.Pixels());
}

TEST(PushButtonLook, FocusedWithThePointerElsewhereHighlightBandAndDottedFrame) {
  const Canvas rest = Button(true, false, false, false);
  const Canvas c = Button(true, false, false, true);
  EXPECT_EQ(c.At(kW / 2, kH - 2), kColors.focusBand);
  EXPECT_EQ(c.At(1, kH / 2), c.At(2, kH / 2));
  const Box f = PushButtonFocusFrame(kW, kH);
  EXPECT_EQ(f.left, 4);
  int inverted = 0, kept = 0;
  for (int x = f.left; x < f.right; ++x) {
    const Rgb under = rest.At(x, f.top);
    (c.At(x, f.top) == (under ^ kWhite) ? inverted : kept) += 1;
  }
  EXPECT_EQ(inverted, (f.right - f.left + 1) / 2);
  EXPECT_EQ(kept, (f.right - f.left) / 2);
  EXPECT_EQ(c.At(kW / 2, kH / 2), rest.At(kW / 2, kH / 2));  // the caption's area is the face
}

TEST(PushButtonLook, PressedPlainSlightlyDarkerFaceNoBand) {
  for (const bool focused : {false, true}) {
    const Canvas c = Button(true, true, true, focused);
    const Rgb face = c.At(1, 1);
    EXPECT_TRUE(Brighter(kColors.face, face));
    EXPECT_GT(RedOf(face), RedOf(kColors.face) - 30);
    for (int y = 1; y < kH - 1; ++y) {
      for (int x = 1; x < kW - 1; ++x) ASSERT_EQ(c.At(x, y), face) << x << "," << y;
    }
  }
}

TEST(PushButtonLook, DisabledPlainFaceLighterFrameNoBandUnderThePointer) {
  const Canvas enabled = Button(true, false, false, false);
  const Canvas c = Button(false, true, false, false);
  EXPECT_EQ(c.At(0, 0), kColors.shadow);
  EXPECT_TRUE(Brighter(c.At(0, 0), enabled.At(0, 0)));
  for (int y = 1; y < kH - 1; ++y) {
    for (int x = 1; x < kW - 1; ++x) ASSERT_EQ(c.At(x, y), kColors.face) << x << "," << y;
  }
}

TEST(PushButtonLook, AtMost256ColoursPlainFacesAndNoBands) {
  struct Case {
    bool hot, focused;
  };
  for (const Case k : {Case{false, false}, Case{true, false}, Case{false, true}}) {
    const Canvas c = Button(true, k.hot, false, k.focused, false);
    const Canvas plain = Button(false, false, false, false, false);
    for (int y = 1; y < kH - 1; ++y) {
      for (int x = 1; x < 4; ++x) ASSERT_EQ(c.At(x, y), kColors.face) << x << "," << y;
    }
    // Only the focus frame sets the focused button apart.
    EXPECT_EQ(c.At(kW / 2, kH / 2), plain.At(kW / 2, kH / 2));
    EXPECT_EQ(c.At(4, 4) != kColors.face, k.focused && !k.hot);
  }
}

// ---- Drop-down list, at the window's size of 177 x 21 with a 17-pixel button

constexpr int kDW = 177;
constexpr int kDH = 21;
constexpr int kBW = 17;
const DropDownColors kDrop{kWhite,          MakeRgb(212, 208, 200), MakeRgb(128, 128, 128), MakeRgb(254, 254, 254),
                           MakeRgb(10, 36, 106), kBlack,               MakeRgb(128, 128, 128)};

Canvas Drop(bool hot, bool focused, bool dropped, bool enabled = true, bool empty = false) {
  return DrawDropDown(kDW, kDH, kBW, DropDownState{enabled, hot, focused, dropped, empty}, kDrop);
}

int CountColour(const Canvas& c, const Box& b, Rgb colour) {
  int n = 0;
  for (int y = b.top; y < b.bottom; ++y) {
    for (int x = b.left; x < b.right; ++x) n += c.At(x, y) == colour;
  }
  return n;
}

TEST(DropDownLook, FlatOnePixelFrameAndABareArrowAtRest) {
  const Canvas c = Drop(false, false, false);
  const Box all{0, 0, kDW, kDH};
  EXPECT_EQ(CountColour(c, all, kDrop.shadow), 2 * (kDW + kDH) - 4);  // the frame and nothing else
  for (int x = 0; x < kDW; ++x) {
    EXPECT_EQ(c.At(x, 0), kDrop.shadow);
    EXPECT_EQ(c.At(x, kDH - 1), kDrop.shadow);
  }
  const Box button = LayoutDropDown(kDW, kDH, kBW).button;
  EXPECT_EQ(button.right, kDW - 1);
  EXPECT_EQ(button.Width(), kBW);
  EXPECT_EQ(CountColour(c, button, kDrop.arrow), 7 + 5 + 3 + 1);
  EXPECT_EQ(CountColour(c, button, kDrop.window), button.Width() * button.Height() - 16);
  // Centred: the tip is in the middle column.
  int tipX = -1, tipY = -1;
  for (int y = 0; y < kDH; ++y) {
    for (int x = button.left; x < button.right; ++x) {
      if (c.At(x, y) == kBlack) tipX = x, tipY = y;
    }
  }
  EXPECT_EQ(tipX, button.left + kBW / 2);
  EXPECT_EQ(tipY, kDH / 2 + 1);
}

TEST(DropDownLook, ButtonFaceAndBevelUnderThePointerOrWithTheFocusSunkenWhileOpen) {
  const Box b = LayoutDropDown(kDW, kDH, kBW).button;
  const Canvas rest = Drop(false, false, false);
  for (const bool hot : {true, false}) {
    const Canvas raised = Drop(hot, !hot, false);
    EXPECT_EQ(raised.At(b.left, b.top), kDrop.light);
    EXPECT_EQ(raised.At(b.left, b.bottom - 2), kDrop.light);
    EXPECT_EQ(raised.At(b.right - 1, b.top + 2), kDrop.shadow);
    EXPECT_EQ(raised.At(b.left + 3, b.bottom - 1), kDrop.shadow);
    EXPECT_EQ(raised.At(b.left + 1, b.top + 1), kDrop.face);
    EXPECT_EQ(CountColour(raised, b, kDrop.arrow), 16);
  }
  const Canvas open = Drop(false, true, true);
  EXPECT_EQ(open.At(b.left, b.top + 2), kDrop.shadow);
  EXPECT_EQ(open.At(b.right - 1, b.top + 2), kDrop.light);
  // The arrow moves one pixel down and right with the sunken button.
  int restTip = -1, openTip = -1;
  for (int x = b.left; x < b.right; ++x) {
    for (int y = 0; y < kDH; ++y) {
      if (rest.At(x, y) == kBlack) restTip = x + 100 * y;
      if (open.At(x, y) == kBlack) openTip = x + 100 * y;
    }
  }
  EXPECT_EQ(openTip, restTip + 101);
}

TEST(DropDownLook, FocusHighlightsTheSelectionOnlyWhileClosed) {
  const Box s = LayoutDropDown(kDW, kDH, kBW).selection;
  const Canvas focused = Drop(false, true, false);
  EXPECT_EQ(focused.At(s.left + 1, s.top + 1), kDrop.highlight);
  EXPECT_EQ(focused.At(s.left, s.top), kDrop.highlight ^ kWhite);  // the dotted focus frame
  EXPECT_EQ(focused.At(1, 1), kDrop.window);
  EXPECT_EQ(CountColour(Drop(false, true, true), s, kDrop.highlight), 0);
  // Nothing selected: the dotted frame alone.
  const Canvas empty = Drop(false, true, false, true, true);
  EXPECT_EQ(CountColour(empty, s, kDrop.highlight), 0);
  EXPECT_EQ(empty.At(s.left, s.top), kDrop.window ^ kWhite);
  EXPECT_EQ(empty.At(s.left + 1, s.top + 1), kDrop.window);
  const Canvas disabled = Drop(true, true, false, false);
  EXPECT_EQ(CountColour(disabled, Box{0, 0, kDW, kDH}, kDrop.face), 0);
  EXPECT_EQ(CountColour(disabled, Box{0, 0, kDW, kDH}, kDrop.grayArrow), 2 * (kDW + kDH) - 4 + 16);
}

// ---- Pictures at another size

TEST(ScalePicture, SameSizeUnchangedDoubleSizeRepeatsEachPixel) {
  const Picture p{2, 2, {0x102030, kWhite, 0x405060, 0x708090}};
  EXPECT_EQ(ScalePicture(p, 2, 2, kWhite).pixels, p.pixels);
  const Picture d = ScalePicture(p, 4, 4, kWhite);
  EXPECT_EQ(d.pixels, (std::vector<Rgb>{0x102030, 0x102030, kWhite, kWhite,      //
                                        0x102030, 0x102030, kWhite, kWhite,      //
                                        0x405060, 0x405060, 0x708090, 0x708090,  //
                                        0x405060, 0x405060, 0x708090, 0x708090}));
}

TEST(ScalePicture, LeftOutColourNeverAveragedIn) {
  // 3 -> 2 columns: the middle source column is split between both targets.
  const Picture p{3, 1, {0x000000, kWhite, 0x0000FE}};
  const Picture s = ScalePicture(p, 2, 1, kWhite);
  EXPECT_EQ(s.pixels, (std::vector<Rgb>{0x000000, 0x0000FE}));
  // Mostly left out: left out.
  const Picture q{3, 1, {kWhite, kWhite, 0x123456}};
  EXPECT_EQ(ScalePicture(q, 1, 1, kWhite).pixels, (std::vector<Rgb>{kWhite}));
  // Opaque near-whites averaging to pure white stay opaque.
  const Picture n{2, 1, {0xFFFFFE, 0xFFFFFF - 0x010000}};
  const Picture m = ScalePicture(n, 1, 1, 0xFFFFFF);
  EXPECT_NE(m.pixels[0], 0xFFFFFFu);
}

Picture ReadBadge(const std::string& name) {
  std::ifstream in(std::string(QZ_RESOURCES_DIR) + "/" + name, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != 3126) {
    ADD_FAILURE() << name << " has " << bytes.size() << " bytes";
    return {};
  }
  return PictureFrom24Bit(bytes.data() + 54, 32, 32, true);
}

TEST(ScalePicture, BadgeAtAHigherDensityKeepsItsWhiteCornersAndItsColours) {
  const Picture up = ReadBadge("info_up.bmp");
  ASSERT_EQ(up.pixels.size(), 32u * 32u);
  const Picture big = ScalePicture(up, 39, 39, kPureWhite);
  ASSERT_EQ(big.pixels.size(), 39u * 39u);
  const auto at = [&](int x, int y) { return big.pixels[static_cast<size_t>(y * 39 + x)]; };
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{38, 0}, std::pair{0, 38}, std::pair{38, 38}, std::pair{2, 2}}) {
    EXPECT_EQ(at(x, y), kPureWhite) << x << "," << y;
  }
  // The disc stays blue away from the "i".
  const Rgb disc = at(12, 27);
  EXPECT_GT(BlueOf(disc), RedOf(disc) + 60);
  // Roughly the same share of the picture is left out.
  size_t white32 = 0, white39 = 0;
  for (Rgb p : up.pixels) white32 += p == kPureWhite;
  for (Rgb p : big.pixels) white39 += p == kPureWhite;
  EXPECT_NEAR(static_cast<double>(white39) / (39.0 * 39.0), static_cast<double>(white32) / (32.0 * 32.0), 0.04);
}

}  // namespace
}  // namespace qz
