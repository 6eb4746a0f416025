// A pick-only drop-down list: the system's combo box in its list-only style.
#pragma once

#include "ui/form.h"

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
};

}  // namespace qz
