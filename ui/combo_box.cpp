#include "ui/combo_box.h"

namespace qz {

namespace {
// Posted by the first change of a rebuild; it arrives once the handler that rebuilds the list has returned.
constexpr UINT kApplyRebuild = WM_APP + 1;
}  // namespace

TRzComboBox::TRzComboBox(TForm& form, const Settings& s) : TControl(form, s.name) {
  CreateParams p;
  p.className = L"COMBOBOX";
  // Entries of our own drawing: the system's own entries are as high as the font, whatever height is asked for.
  p.style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  CreateChild(p, s.bounds, true);
  const Scaler& scale = form.Scale();
  const int itemHeight = scale(s.itemHeight);
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, itemHeight);
  // The closed list is its selection field plus a border, whose size differs between systems: measure it.
  const int height = scale(s.bounds.height);
  constexpr int kUsualBorder = 6;
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kUsualBorder);
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  const int border = r.bottom - r.top - (height - kUsualBorder);
  if (border != kUsualBorder) ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - border);
  // The height the system keeps for the open list: up to dropDownCount entries and the list's own border.
  ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, height + itemHeight * s.dropDownCount + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  form.AddTabStop(this);
}

void TRzComboBox::Clear() {
  if (rebuild_) {
    *rebuild_ = Rebuild{};
  } else if (::PostMessageW(Handle(), kApplyRebuild, 0, 0)) {
    rebuild_.emplace();
  } else if (!ShownItems().empty()) {
    ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  }
}

void TRzComboBox::Add(const std::wstring& item) {
  if (rebuild_) {
    rebuild_->items.push_back(item);
  } else {
    ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

int TRzComboBox::Count() const {
  if (rebuild_) return static_cast<int>(rebuild_->items.size());
  return static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
}

int TRzComboBox::ItemIndex() const { return rebuild_ ? rebuild_->index : ShownIndex(); }

void TRzComboBox::SetItemIndex(int index) {
  if (!rebuild_) {
    SetShownIndex(index);
    return;
  }
  // As the system does: an index outside the list selects nothing.
  rebuild_->index = index >= 0 && index < Count() ? index : -1;
}

std::wstring TRzComboBox::Item(int index) const {
  if (!rebuild_) return ShownItem(index);
  return index >= 0 && index < Count() ? rebuild_->items[static_cast<size_t>(index)] : std::wstring();
}

std::wstring TRzComboBox::Text() const {
  const int index = ItemIndex();
  return index < 0 ? std::wstring() : Item(index);
}

void TRzComboBox::ApplyRebuild() {
  if (!rebuild_) return;
  const Rebuild wanted = std::move(*rebuild_);
  rebuild_.reset();
  if (ShownItems() != wanted.items) {
    ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : wanted.items) {
      ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
  SetShownIndex(wanted.index);
}

std::vector<std::wstring> TRzComboBox::ShownItems() const {
  std::vector<std::wstring> items;
  const int count = static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) items.push_back(ShownItem(i));
  return items;
}

std::wstring TRzComboBox::ShownItem(int index) const {
  const LRESULT length = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

int TRzComboBox::ShownIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TRzComboBox::SetShownIndex(int index) {
  if (ShownIndex() != index) ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TRzComboBox::Paint(PaintBuffer& buffer) {
  const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
  const bool focused = ::GetFocus() == Handle();
  const bool dropped = ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  const DropDownColors colors{SystemRgb(COLOR_WINDOW),    SystemRgb(COLOR_BTNFACE),   SystemRgb(COLOR_BTNSHADOW),
                              SystemRgb(COLOR_BTNHIGHLIGHT), SystemRgb(COLOR_HIGHLIGHT), kBlack,
                              SystemRgb(COLOR_GRAYTEXT)};
  const int buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  const int selected = ShownIndex();
  buffer.Load(DrawDropDown(buffer.Width(), buffer.Height(), buttonWidth,
                           DropDownState{enabled, hot_, focused, dropped, selected < 0}, colors));
  const Box field = LayoutDropDown(buffer.Width(), buffer.Height(), buttonWidth).selection;
  const HDC dc = buffer.Dc();
  SelectGuard font(dc, Form().FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  const int textColor = !enabled ? COLOR_GRAYTEXT : focused && !dropped ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  ::SetTextColor(dc, ::GetSysColor(textColor));
  RECT text{field.left + 1, field.top, field.right - 1, field.bottom};
  const std::wstring shown = ShownItem(selected);
  ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// An entry of the open list, drawn as the system draws a list entry.
void TRzComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  PaintBuffer buffer(r.right - r.left, r.bottom - r.top);
  const HDC dc = buffer.Dc();
  RECT local{0, 0, buffer.Width(), buffer.Height()};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &local, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    SelectGuard font(dc, Form().FontHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = local;
    text.left += 2;
    const std::wstring entry = ShownItem(static_cast<int>(item.itemID));
    ::DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &local);
  buffer.CopyTo(item.hDC, r.left, r.top);
}

LRESULT TRzComboBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (const auto painted = HandlePaintMessage(Handle(), msg, wp, [this](PaintBuffer& b) { Paint(b); })) {
    return *painted;
  }
  switch (msg) {
    case WM_DRAWITEM:
      // The open list asks its combo box to draw each entry.
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
        trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
      }
      if (!hot_) {
        hot_ = true;
        ::InvalidateRect(Handle(), nullptr, FALSE);
      }
      return Default(msg, wp, lp);
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (hot_) {
        hot_ = false;
        ::InvalidateRect(Handle(), nullptr, FALSE);
      }
      return Default(msg, wp, lp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
      // The system repaints only the selection field; the button changes too.
      const LRESULT result = Default(msg, wp, lp);
      ::InvalidateRect(Handle(), nullptr, FALSE);
      return result;
    }
    case kApplyRebuild:
      ApplyRebuild();
      return 0;
    case WM_SYSKEYDOWN:
      // Some combo boxes keep every system key; Alt+F4 must still reach the window and close it.
      if (wp == VK_F4 && (lp & (1L << 29)) != 0) return ::DefWindowProcW(Handle(), msg, wp, lp);
      return Default(msg, wp, lp);
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace qz
