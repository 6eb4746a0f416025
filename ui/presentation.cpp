#include "ui/presentation.h"

#include "ui/number_text.h"

namespace qz {

std::wstring PresentedMessage(const std::wstring& message) {
  std::wstring shown = message;
  if (!shown.empty() && shown.back() > L'.') shown += L'.';
  return shown;
}

std::wstring LastResortReport(const std::wstring& className, const std::wstring& moduleName,
                              std::uintptr_t address, const std::wstring& message) {
  return L"Exception " + className + L" in module " + moduleName + L" at " + HexText(address, 8) + L".\n" +
         PresentedMessage(message);
}

std::vector<std::wstring> HintLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t ch = text[i];
    if (ch == L'\r' || ch == L'\n') {
      if (ch == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += ch;
    }
  }
  return lines;
}

}  // namespace qz
