// A timer component: fires OnTimer on the user-interface thread, also inside modal message loops.
#pragma once

#include "ui/form.h"

namespace qz {

class TTimer : public TComponent, private Window {
public:
  // Arms the timer (1000 ms, on); a refused timer raises EOutOfResources.
  TTimer(TForm& form, const wchar_t* name, TNotifyEvent onTimer, unsigned interval = 1000);
  ~TTimer() override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  TNotifyEvent onTimer_;
};

namespace testing {
// The call that asks the system for a timer; tests replace it to see start-up refused.
using SetTimerCall = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
extern SetTimerCall setTimer;
}  // namespace testing

}  // namespace qz
