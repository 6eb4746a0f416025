// A fixed-size top-level window that owns its controls, scales them to the screen density and moves the focus
// among them in tab order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/scaling.h"
#include "ui/win_gdi.h"
#include "ui/window.h"

namespace qz {

class TForm;

struct FontSpec {
  const wchar_t* face;
  int height;  // negative: character height in pixels at 96 pixels per inch
};

// Position and size in pixels of the client area at 96 pixels per inch.
struct DesignBounds {
  int left, top, width, height;
};

// A control: a child window of the form.
class TControl : public TComponent, public Window {
public:
  TControl(TForm& form, std::wstring name) : TComponent(std::move(name)), form_(form) {}
  TForm& Form() const { return form_; }

protected:
  // Creates the child window at its design bounds, scaled to the screen.
  void CreateChild(CreateParams params, const DesignBounds& bounds, bool subclassed = false);

private:
  TForm& form_;
};

struct FormSettings {
  const wchar_t* name;
  const wchar_t* caption;
  int clientWidth, clientHeight;
  FontSpec font;
};

class TForm : public TComponent, public Window {
public:
  explicit TForm(const FormSettings& settings);
  ~TForm() override;

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption) { SetText(caption); }

  TNotifyEvent OnCreate;
  // Runs the creation handler once everything is built; an exception there is shown, not passed on.
  void DoCreate();

  // Centred on the primary screen by its outer size, never at a negative position; focus to the first control.
  void Show();
  void Restore();
  void SelectNext(bool backward);

  HFONT FontHandle() const { return font_.Get(); }
  const Scaler& Scale() const { return scaler_; }
  int PixelsPerInch() const { return pixelsPerInch_; }

  // Builds a control owned by the form; controls are built in the order of these calls.
  template <typename C, typename... Args>
  C* Make(Args&&... args) {
    auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C* raw = control.get();
    components_.push_back(std::move(control));
    return raw;
  }
  // A control that takes the focus, in tab order.
  void AddTabStop(Window* control) { tabOrder_.push_back(control); }

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void FocusFirst();

  Font font_;
  Scaler scaler_;
  int pixelsPerInch_ = kDesignPixelsPerInch;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<Window*> tabOrder_;
  HWND lastFocus_ = nullptr;
};

// A font at the screen's density, scaled once more by the layout's ratio when that is not one.
HFONT CreateScaledFont(const FontSpec& font, int pixelsPerInch, const Scaler& layout);

}  // namespace qz
