// A pick-only drop-down list: the system's combo box in its list-only style, drawn flat: a one-pixel frame
// and a button that shows only its arrow until the pointer or the focus comes to the list.
#pragma once

#include <optional>
#include <vector>

#include "ui/form.h"
#include "ui/paint.h"

namespace qz {

class TRzComboBox : public TControl {
public:
  struct Settings {
    const wchar_t* name;
    DesignBounds bounds;
    int itemHeight;
    int dropDownCount;
  };
  TRzComboBox(TForm& form, const Settings& settings);

  // Clearing and refilling the list is applied on screen once the running handler returns, and only as far as
  // it changed something, so that a list rebuilt with the same entries does not flicker. Reads in between see
  // the new list.
  void Clear();
  void Add(const std::wstring& item);
  int Count() const;
  int ItemIndex() const;
  // Setting the index it already has changes nothing on screen.
  void SetItemIndex(int index);
  std::wstring Item(int index) const;
  // The selected entry, empty when none is selected.
  std::wstring Text() const;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  struct Rebuild {
    std::vector<std::wstring> items;
    int index = -1;
  };
  void ApplyRebuild();
  std::vector<std::wstring> ShownItems() const;
  std::wstring ShownItem(int index) const;
  int ShownIndex() const;
  void SetShownIndex(int index);
  void Paint(PaintBuffer& buffer);
  void DrawItem(const DRAWITEMSTRUCT& item);

  std::optional<Rebuild> rebuild_;
  bool hot_ = false;
  bool trackingLeave_ = false;
};

}  // namespace qz
