#include "ui/timer.h"

#include "ui/exceptions.h"

namespace qz {

namespace testing {
SetTimerCall setTimer = &::SetTimer;
}

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TForm&, const wchar_t* name, TNotifyEvent onTimer, unsigned interval)
    : TComponent(name), onTimer_(std::move(onTimer)) {
  CreateParams p;
  p.className = L"TTimerWindow";
  p.parent = HWND_MESSAGE;
  CreateOwn(p);
  if (testing::setTimer(Handle(), kTimerId, interval, nullptr) == 0) throw EOutOfResources(kNoTimers);
}

TTimer::~TTimer() {
  if (Handle()) ::KillTimer(Handle(), kTimerId);
}

LRESULT TTimer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kTimerId) {
    if (onTimer_) onTimer_(this);
    return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace qz
