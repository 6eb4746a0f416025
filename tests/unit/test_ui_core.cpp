// The framework's portable decisions: message presentation, button faces, picture transparency, scaling.
#include <gtest/gtest.h>

#include "ui/button_behaviour.h"
#include "ui/exceptions.h"
#include "ui/number_text.h"
#include "ui/picture.h"
#include "ui/presentation.h"
#include "ui/scaling.h"

namespace qz {
namespace {

TEST(Presentation, FullStopOnlyAfterACharacterAboveTheFullStop) {
  EXPECT_EQ(PresentedMessage(L"Range check error"), L"Range check error.");
  EXPECT_EQ(PresentedMessage(L"Resource Changes not found"), L"Resource Changes not found.");
  EXPECT_EQ(PresentedMessage(L"Already ends."), L"Already ends.");
  EXPECT_EQ(PresentedMessage(L"Path C:\\dir\\"), L"Path C:\\dir\\.");
  EXPECT_EQ(PresentedMessage(L"Quoted \"x\""), L"Quoted \"x\"");  // '"' sorts below '.'
  EXPECT_EQ(PresentedMessage(L"Ends in a blank "), L"Ends in a blank ");
  EXPECT_EQ(PresentedMessage(L""), L"");
}

TEST(Presentation, LastResortReportNamesClassModuleAddressAndMessage) {
  EXPECT_EQ(LastResortReport(L"EOutOfResources", L"QZLoader.exe", 0x0040A1B2, L"Not enough timers available"),
            L"Exception EOutOfResources in module QZLoader.exe at 0040A1B2.\nNot enough timers available.");
}

TEST(Presentation, HintLinesBreakOnCarriageReturn) {
  EXPECT_EQ(HintLines(L"Изменения в ПО\r(Adobe Reader)"),
            (std::vector<std::wstring>{L"Изменения в ПО", L"(Adobe Reader)"}));
  EXPECT_EQ(HintLines(L"a\r\nb\nc"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST(Exceptions, RangeCheckedRefusesValuesTheTargetCannotHold) {
  EXPECT_EQ(RangeChecked<std::int32_t>(0x7FFFFFFFu), 0x7FFFFFFF);
  try {
    (void)RangeChecked<std::int32_t>(0xFFFFFFFFu);
    FAIL() << "no exception";
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message(), L"Range check error");
    EXPECT_STREQ(e.ClassName(), L"ERangeError");
  }
}

using Key = ButtonBehaviour::Key;

TEST(ButtonBehaviour, MouseCaptureSemantics) {
  ButtonBehaviour b;
  b.PointerMoved(true);
  EXPECT_EQ(b.Face(), ButtonFace::Hot);
  b.MouseDown(true);
  EXPECT_EQ(b.Face(), ButtonFace::Down);
  b.PointerMoved(false);  // dragged off while held
  EXPECT_EQ(b.Face(), ButtonFace::Up);
  b.PointerMoved(true);  // and back
  EXPECT_EQ(b.Face(), ButtonFace::Down);
  EXPECT_TRUE(b.MouseUp(true));
  EXPECT_EQ(b.Face(), ButtonFace::Hot);

  b.MouseDown(true);
  EXPECT_FALSE(b.MouseUp(false));  // released elsewhere: no click
  EXPECT_EQ(b.Face(), ButtonFace::Up);
}

TEST(ButtonBehaviour, EnterFiresOnKeyDownSpaceOnRelease) {
  ButtonBehaviour b;
  EXPECT_TRUE(b.KeyDown(Key::Enter, false));
  EXPECT_FALSE(b.KeyDown(Key::Enter, true));  // auto-repeat does not fire again
  EXPECT_FALSE(b.KeyUp(Key::Enter));
  EXPECT_FALSE(b.KeyDown(Key::Space, false));
  EXPECT_EQ(b.Face(), ButtonFace::Down);
  EXPECT_TRUE(b.KeyUp(Key::Space));
  EXPECT_EQ(b.Face(), ButtonFace::Up);
  b.KeyDown(Key::Space, false);
  b.Cancel();  // focus lost while held
  EXPECT_FALSE(b.KeyUp(Key::Space));
}

TEST(Picture, PureWhiteShowsTheBackground) {
  Picture p{2, 1, {0xFFFFFF, 0xFEFEFE}};
  EXPECT_EQ(Composite(p, {0xD4D0C8, 0xD4D0C8}, kPureWhite), (std::vector<std::uint32_t>{0xD4D0C8, 0xFEFEFE}));
}

TEST(Picture, ReadsBottomUpRowsWithPadding) {
  // 1 x 2, rows padded to 4 bytes; bottom row first in the data.
  const std::uint8_t bits[] = {0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0};
  const Picture p = PictureFrom24Bit(bits, 1, 2, true);
  EXPECT_EQ(p.pixels, (std::vector<std::uint32_t>{0x040506, 0x010203}));
}

TEST(Scaling, OnlyAnotherDensityWithAnotherTextHeightScales) {
  EXPECT_EQ(FontHeightAt(-11, 96), -11);
  EXPECT_EQ(FontHeightAt(-11, 120), -14);
  EXPECT_TRUE(LayoutScaler(96, 15).IsIdentity());
  EXPECT_TRUE(LayoutScaler(120, 13).IsIdentity());
  const Scaler s = LayoutScaler(120, 16);
  EXPECT_EQ(s(312), 384);
  EXPECT_EQ(s(81), 100);
  EXPECT_EQ(s(-8), -10);
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

TEST(NumberText, DecimalAndPaddedUpperCaseHex) {
  EXPECT_EQ(DecimalText(0), L"0");
  EXPECT_EQ(DecimalText(32767), L"32767");
  EXPECT_EQ(HexText(0x419, 4), L"0419");
  EXPECT_EQ(HexText(0x4E3, 4), L"04E3");
  EXPECT_EQ(HexText(0, 4), L"0000");
  EXPECT_EQ(HexText(0x12345, 4), L"12345");
}

}  // namespace
}  // namespace qz
