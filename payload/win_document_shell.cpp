#include "payload/win_document_shell.h"

#include <shellapi.h>

namespace qz::payload {

std::intptr_t SystemDocumentShell::Open(const std::wstring& path) {
  // No parameters, no working folder; the shell starts the viewer and returns without waiting for it.
  const HINSTANCE result = ::ShellExecuteW(owner_, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace qz::payload
