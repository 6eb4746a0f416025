// The window's two buttons: a flat push button with a caption, and a picture button.
#pragma once

#include <array>

#include "ui/custom_button.h"
#include "ui/picture.h"

namespace qz {

// A flat push button with hot tracking and no drop-down arrow.
class TRzMenuButton : public TCustomButton {
public:
  struct Settings {
    const wchar_t* name;
    DesignBounds bounds;
    const wchar_t* caption;
    bool enabled;
  };
  TRzMenuButton(TForm& form, const Settings& settings, TNotifyEvent onClick);

protected:
  void Paint(PaintBuffer& buffer) override;
};

// A button that shows one of three pictures, with pure white left out, and a hint.
class TRzBmpButton : public TCustomButton {
public:
  struct Settings {
    const wchar_t* name;
    DesignBounds bounds;
    std::array<const wchar_t*, 3> pictures;  // resource names of the Up, Hot and Down pictures
    const wchar_t* hint;
  };
  TRzBmpButton(TForm& form, const Settings& settings, TNotifyEvent onClick);

protected:
  void Paint(PaintBuffer& buffer) override;
  void PointerEntered() override;
  void PointerLeft() override;

private:
  std::array<Picture, 3> pictures_;
  std::wstring hint_;
};

}  // namespace qz
