// The desktop shell's "open" on Windows.
#pragma once

#include <windows.h>

#include "payload/change_list.h"

namespace qz::payload {

class SystemDocumentShell : public DocumentShell {
public:
  // Requests go out with this window as their owner.
  explicit SystemDocumentShell(HWND owner) : owner_(owner) {}
  std::intptr_t Open(const std::wstring& path) override;

private:
  HWND owner_;
};

}  // namespace qz::payload
