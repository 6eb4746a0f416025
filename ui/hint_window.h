// The small pop-up that shows a control's hint near the pointer, one line per line of the hint text.
#pragma once

#include <string>

#include "ui/paint.h"
#include "ui/win_gdi.h"
#include "ui/window.h"

namespace qz {

class HintWindow : public Window {
public:
  HintWindow();
  void ShowAt(POINT screenPoint, const std::wstring& text);
  void Hide();

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void Paint(PaintBuffer& buffer);
  Font font_;
};

}  // namespace qz
