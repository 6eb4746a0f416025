#include "ui/custom_button.h"

#include <windowsx.h>

namespace qz {

namespace {
ButtonBehaviour::Key KeyOf(WPARAM vk) {
  if (vk == VK_RETURN) return ButtonBehaviour::Key::Enter;
  if (vk == VK_SPACE) return ButtonBehaviour::Key::Space;
  return ButtonBehaviour::Key::Other;
}
}  // namespace

void TCustomButton::CreateButton(const wchar_t* className, const wchar_t* text, const DesignBounds& bounds,
                                 bool enabled) {
  CreateParams p;
  p.className = className;
  p.text = text;
  p.style = WS_VISIBLE | WS_TABSTOP | (enabled ? 0 : WS_DISABLED);
  p.backgroundColor = -1;
  CreateChild(p, bounds);
  Form().AddTabStop(this);
}

bool TCustomButton::PointerInside(LPARAM lp) const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  return ::PtInRect(&client, pt) != FALSE;
}

// Repaints when the face changed, then fires the click with the button already back at rest.
void TCustomButton::Update(bool fires) {
  ::InvalidateRect(Handle(), nullptr, FALSE);
  if (fires) {
    ::UpdateWindow(Handle());
    if (onClick_) onClick_(this);
  }
}

LRESULT TCustomButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (const auto painted = HandlePaintMessage(Handle(), msg, wp, [this](PaintBuffer& b) { Paint(b); })) {
    return *painted;
  }
  switch (msg) {
    case WM_MOUSEMOVE: {
      const bool wasHot = behaviour_.Hot();
      const ButtonFace before = behaviour_.Face();
      behaviour_.PointerMoved(PointerInside(lp));
      if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
        trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
      }
      if (!wasHot && behaviour_.Hot()) PointerEntered();
      if (wasHot && !behaviour_.Hot()) PointerLeft();
      if (before != behaviour_.Face()) Update(false);
      return 0;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (!behaviour_.MouseCaptured()) {
        behaviour_.PointerLeft();
        PointerLeft();
        Update(false);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ::SetFocus(Handle());
      ::SetCapture(Handle());
      behaviour_.MouseDown(PointerInside(lp));
      Update(false);
      return 0;
    case WM_LBUTTONUP: {
      const bool inside = PointerInside(lp);
      const bool fires = behaviour_.MouseUp(inside);
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      if (!inside) PointerLeft();
      Update(fires);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (behaviour_.MouseCaptured()) {
        behaviour_.Cancel();
        Update(false);
      }
      return 0;
    case WM_KEYDOWN:
      Update(behaviour_.KeyDown(KeyOf(wp), (lp & (1L << 30)) != 0));
      return 0;
    case WM_KEYUP:
      Update(behaviour_.KeyUp(KeyOf(wp)));
      return 0;
    case WM_SETFOCUS:
      Update(false);
      return 0;
    case WM_ENABLE:
      // A disabled window hears nothing of the pointer, so it starts again from rest.
      if (!wp && behaviour_.Hot()) {
        behaviour_.Cancel();
        behaviour_.PointerLeft();
        PointerLeft();
      }
      Update(false);
      return 0;
    case WM_KILLFOCUS:
      behaviour_.Cancel();
      Update(false);
      return 0;
    case BM_CLICK:
      // What accessibility tools send to press a button.
      if (Enabled()) Update(true);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace qz
