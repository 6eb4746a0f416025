// Scaling the window from its design density (96 pixels per inch, text height 13) to the screen's.
#pragma once

namespace qz {

inline constexpr int kDesignPixelsPerInch = 96;
inline constexpr int kDesignTextHeight = 13;

// a * b / c rounded to nearest, as the system's MulDiv does for the values used here.
constexpr int MulDivRound(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = (c > 0 ? c : -c) / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

class Scaler {
public:
  constexpr Scaler() = default;
  constexpr Scaler(int numerator, int denominator) : num_(numerator), den_(denominator) {}
  constexpr int operator()(int designValue) const { return MulDivRound(designValue, num_, den_); }
  constexpr bool IsIdentity() const { return num_ == den_; }
  constexpr int Numerator() const { return num_; }
  constexpr int Denominator() const { return den_; }

private:
  int num_ = 1;
  int den_ = 1;
};

// The window font's height at a density: scaled by density / 96.
constexpr int FontHeightAt(int designHeight, int pixelsPerInch) {
  return MulDivRound(designHeight, pixelsPerInch, kDesignPixelsPerInch);
}

// Positions, sizes and the small print's font follow the scaled font's text height, and only at another density.
constexpr Scaler LayoutScaler(int pixelsPerInch, int scaledTextHeight) {
  if (pixelsPerInch == kDesignPixelsPerInch || scaledTextHeight == kDesignTextHeight) return {};
  return {scaledTextHeight, kDesignTextHeight};
}

}  // namespace qz
