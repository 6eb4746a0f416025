#include "payload/win_payload.h"

#include "payload/win_file.h"
#include "ui/exceptions.h"
#include "ui/number_text.h"

namespace qz::payload {

namespace {

// Paths on Windows never exceed this many characters, long-path prefix included.
constexpr size_t kLongestPath = 32768;

std::wstring ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD capacity = RangeChecked<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
    if (length == 0) return {};
    // A path that fills the buffer may have been cut short.
    if (length < capacity) {
      buffer.resize(length);
      return buffer;
    }
    if (buffer.size() > kLongestPath) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

PayloadView OpenPayload(const wchar_t* name) {
  // The system upper-cases a name before looking it up, so "Firmware" finds "FIRMWARE".
  const HRSRC info = ::FindResourceW(nullptr, name, RT_RCDATA);
  const HGLOBAL loaded = info ? ::LoadResource(nullptr, info) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) throw EResNotFound(ResourceNotFoundMessage(name));
  return PayloadView(static_cast<const std::byte*>(data), ::SizeofResource(nullptr, info));
}

std::wstring ProgramFolder() { return FolderOfPath(ModulePath()); }

std::wstring ProgramFilePath(const std::wstring& fileName) {
  const std::wstring folder = ProgramFolder();
  if (folder.empty()) {
    const DWORD error = ::GetLastError();
    throw EFCreateError(CreateErrorMessage(fileName, SystemErrorText(error)));
  }
  return folder + fileName;
}

void WritePayloadToFile(PayloadView payload, const std::wstring& path) {
  const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    throw EFCreateError(CreateErrorMessage(path, SystemErrorText(error)));
  }
  if (payload.empty()) return;
  const DWORD size = RangeChecked<DWORD>(payload.size());
  DWORD written = 0;
  if (!::WriteFile(file.Get(), payload.data(), size, &written, nullptr) || written != size) {
    throw EWriteError(kStreamWriteError);
  }
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = length && text ? std::wstring(text, length) : std::wstring();
  if (text) ::LocalFree(text);
  result = TrimSystemMessage(std::move(result));
  // A code the system has no text for is still worth naming.
  return result.empty() ? L"System error " + DecimalText(code) : result;
}

}  // namespace qz::payload
