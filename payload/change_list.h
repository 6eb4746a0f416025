// The change-list button: the embedded document goes next to the program and the desktop shell is asked to show it.
#pragma once

#include <cstdint>
#include <string>

#include "payload/firmware_writer.h"

namespace qz::payload {

inline constexpr const wchar_t* kChangesFileName = L"Changes.pdf";
inline constexpr const wchar_t* kViewerErrorText =
    L"Невозможно отобразить список изменений. Возможно, он уже открыт, либо Adobe Reader не установлен.";
inline constexpr const wchar_t* kViewerErrorTitle = L"Ошибка";

// The desktop shell's "open" of a document. Its result is the shell's: above 32 when the document's program started.
class DocumentShell {
public:
  virtual ~DocumentShell() = default;
  virtual std::intptr_t Open(const std::wstring& path) = 0;
};

// A missing payload passes to the caller; everything after it ends, at worst, in the one error box.
void ShowChangeList(WriterWindow& window, WriterFiles& files, DocumentShell& shell);

}  // namespace qz::payload
