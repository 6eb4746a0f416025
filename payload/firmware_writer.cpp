#include "payload/firmware_writer.h"

#include <algorithm>

namespace qz::payload {

namespace {

std::wstring Quoted(const std::wstring& text) { return L'"' + text + L'"'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

std::wstring NormalisedPath(const std::wstring& path) {
  std::wstring result = path;
  std::replace(result.begin(), result.end(), L'/', L'\\');
  // "\\?\E:\..." names the same file as "E:\...".
  if (result.starts_with(L"\\\\?\\") && result.size() > 5 && IsAsciiLetter(result[4]) && result[5] == L':') {
    result.erase(0, 4);
  }
  for (wchar_t& c : result) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return result;
}

// Steps 2 to 6 for a drive root that the list showed.
void WriteToDrive(const std::wstring& root, WriterWindow& window, WriterFiles& files) {
  const PayloadView firmware = files.OpenPayload(kFirmwarePayload);
  const std::wstring source = files.ProgramFilePath(kFirmwareFileName);
  files.WritePayload(firmware, source);

  const std::wstring target = root + kFirmwareFileName;
  // Started from the drive's root, the program has just written the target itself: deleting it first would lose
  // the only copy.
  const bool inPlace = SameFilePath(source, target);
  bool copied = inPlace;
  if (!inPlace) {
    files.RemoveFile(target);
    copied = files.CopyOver(source, target);
  }

  if (copied && files.VerifyOnDevice(target, firmware)) {
    window.ShowMessageBox(SuccessText(root), kSuccessTitle, kBoxNoIcon);
    window.ShowMessageBox(kWarningText, kWarningTitle, kBoxIconExclamation);
  } else {
    // A partial or wrong file must not carry the firmware's name: the terminal would take it for the image.
    files.RemoveFile(target);
    window.ShowMessageBox(WriteErrorText(root), kWriteErrorTitle, kBoxIconError);
  }
}

}  // namespace

std::wstring SuccessText(const std::wstring& root) { return kSuccessTextStart + Quoted(root); }

std::wstring WriteErrorText(const std::wstring& root) { return kWriteErrorTextStart + Quoted(root); }

bool IsDriveRoot(const std::wstring& text) {
  return text.size() == 3 && IsAsciiLetter(text[0]) && text[1] == L':' && text[2] == L'\\';
}

bool SameFilePath(const std::wstring& a, const std::wstring& b) { return NormalisedPath(a) == NormalisedPath(b); }

void WriteFirmwareToDrive(WriterWindow& window, WriterFiles& files) {
  window.SetSaveEnabled(false);
  // Read once, before anything is touched. With no drive shown (the list emptied while a box was open) the window
  // already asks for a drive, and nothing is written anywhere: a relative target would land in the current folder.
  const std::wstring root = window.DriveText();
  if (IsDriveRoot(root)) WriteToDrive(root, window, files);
  window.SetSaveEnabled(true);
}

}  // namespace qz::payload
