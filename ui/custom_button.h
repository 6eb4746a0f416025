// A button of our own drawing: mouse capture, hover tracking and the keyboard, with the face left to subclasses.
#pragma once

#include "ui/button_behaviour.h"
#include "ui/form.h"
#include "ui/paint.h"

namespace qz {

class TCustomButton : public TControl {
public:
  TCustomButton(TForm& form, std::wstring name, TNotifyEvent onClick)
      : TControl(form, std::move(name)), onClick_(std::move(onClick)) {}

protected:
  void CreateButton(const wchar_t* className, const wchar_t* text, const DesignBounds& bounds, bool enabled);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Draws the whole face off screen; WM_PAINT and WM_PRINTCLIENT both come here.
  virtual void Paint(PaintBuffer& buffer) = 0;
  virtual void PointerEntered() {}
  virtual void PointerLeft() {}

  const ButtonBehaviour& Behaviour() const { return behaviour_; }
  bool Focused() const { return ::GetFocus() == Handle(); }

private:
  void Update(bool fires);
  bool PointerInside(LPARAM lp) const;

  TNotifyEvent onClick_;
  ButtonBehaviour behaviour_;
  bool trackingLeave_ = false;
};

}  // namespace qz
