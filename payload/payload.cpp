#include "payload/payload.h"

namespace qz::payload {

std::wstring ResourceNotFoundMessage(const std::wstring& name) { return L"Resource " + name + L" not found"; }

std::wstring CreateErrorMessage(const std::wstring& path, const std::wstring& systemText) {
  return L"Cannot create file \"" + path + L"\". " + systemText;
}

std::wstring TrimSystemMessage(std::wstring text) {
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::wstring FolderOfPath(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace qz::payload
