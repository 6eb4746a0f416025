// A text label: a child window that draws its caption and takes no focus.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/form.h"
#include "ui/paint.h"

namespace qz {

class TLabel : public TControl {
public:
  enum class Alignment { Left, Right };
  enum class Align { None, Bottom };
  struct Settings {
    const wchar_t* name;
    DesignBounds bounds;
    const wchar_t* caption;
    bool autoSize = false;
    Align align = Align::None;
    Alignment alignment = Alignment::Left;
    bool transparent = false;
    std::optional<FontSpec> ownFont;  // otherwise the window font
  };
  TLabel(TForm& form, const Settings& settings);

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);
  // Colours as the system encodes them (0x00BBGGRR); setting the colour it has changes nothing on screen.
  std::uint32_t FontColor() const { return color_; }
  void SetFontColor(std::uint32_t color);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void Paint(PaintBuffer& buffer);
  void AdjustSize();
  HFONT CurrentFont() const;

  Settings settings_;
  Font ownFont_;
  std::uint32_t color_ = 0x80000008;  // the window-text colour until set
};

}  // namespace qz
