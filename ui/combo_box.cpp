#include "ui/combo_box.h"

namespace qz {

TRzComboBox::TRzComboBox(TForm& form, const Settings& s) : TControl(form, s.name) {
  const Scaler& scale = form.Scale();
  CreateParams p;
  p.className = L"COMBOBOX";
  p.style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  // The window's height includes the open list.
  DesignBounds bounds = s.bounds;
  bounds.height += s.itemHeight * s.dropDownCount + 2;
  CreateChild(p, bounds, true);
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, scale(s.itemHeight));
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale(s.bounds.height) - 6);
  form.AddTabStop(this);
}

void TRzComboBox::Clear() {
  if (Count() > 0) ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

void TRzComboBox::Add(const std::wstring& item) {
  ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TRzComboBox::Count() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

int TRzComboBox::ItemIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TRzComboBox::SetItemIndex(int index) {
  if (ItemIndex() != index) ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TRzComboBox::Item(int index) const {
  const LRESULT length = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::wstring TRzComboBox::Text() const {
  const int index = ItemIndex();
  return index < 0 ? std::wstring() : Item(index);
}

LRESULT TRzComboBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

}  // namespace qz
