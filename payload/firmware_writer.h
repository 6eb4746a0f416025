// The program's main action: the firmware image goes into the root folder of the drive that the list shows, is
// read back from the device, and the outcome is reported. Every platform operation is injected.
#pragma once

#include <string>

#include "payload/payload.h"

namespace qz::payload {

// The same name serves for the copy in the program folder and for the file on the drive.
inline constexpr const wchar_t* kFirmwareFileName = L"QZ1769_m.dat";

// The three boxes. The success and write-error texts go on with the drive root in double quotes.
inline constexpr const wchar_t* kSuccessTextStart = L"Файл прошивки успешно сохранен на ";
inline constexpr const wchar_t* kSuccessTitle = L"Процесс завершен";
inline constexpr const wchar_t* kWarningText =
    L"ВНИМАНИЕ! Перед прошивкой рекомендуется отключить от терминала все подключенные кабели и устройства, "
    L"кроме адаптера питания!";
inline constexpr const wchar_t* kWarningTitle = L"Предупреждение";
inline constexpr const wchar_t* kWriteErrorTextStart = L"Ошибка записи на ";
inline constexpr const wchar_t* kWriteErrorTitle = L"Ошибка записи";

// Message box flags as the system numbers them: one OK button, and no icon, the error icon or the exclamation icon.
inline constexpr unsigned kBoxNoIcon = 0;
inline constexpr unsigned kBoxIconError = 16;
inline constexpr unsigned kBoxIconExclamation = 48;

std::wstring SuccessText(const std::wstring& root);
std::wstring WriteErrorText(const std::wstring& root);

// A drive root as the watcher lists it: a letter, a colon and a backslash.
bool IsDriveRoot(const std::wstring& text);

// Whether two full paths name the same file: the long-path prefix and the kind of slash do not count, nor the
// case of ASCII letters. One side is always a drive root and a plain ASCII name, so ASCII folding suffices.
bool SameFilePath(const std::wstring& a, const std::wstring& b);

// What the writer touches of the window.
class WriterWindow {
public:
  virtual ~WriterWindow() = default;
  virtual void SetSaveEnabled(bool enabled) = 0;
  // The text that the drive list shows: its selected entry, or empty.
  virtual std::wstring DriveText() = 0;
  // Modal; returns when the user closes the box.
  virtual void ShowMessageBox(const std::wstring& text, const std::wstring& title, unsigned flags) = 0;
};

// What the writer does with files.
class WriterFiles {
public:
  virtual ~WriterFiles() = default;
  // Raises EResNotFound when the executable holds no such payload.
  virtual PayloadView OpenPayload(const wchar_t* name) = 0;
  // The program folder followed by the file name; never a relative path.
  virtual std::wstring ProgramFilePath(const std::wstring& fileName) = 0;
  // Creates or replaces the file with the payload's bytes; raises EFCreateError or EWriteError.
  virtual void WritePayload(PayloadView payload, const std::wstring& path) = 0;
  // Whatever comes of it: there may be no such file, or the drive may refuse.
  virtual void RemoveFile(const std::wstring& path) = 0;
  // Replaces the target; true when the target now holds a copy of the source.
  virtual bool CopyOver(const std::wstring& source, const std::wstring& target) = 0;
  // Flushes the file to its device and reads it back from there, past every cache: true when it holds exactly
  // the expected bytes.
  virtual bool VerifyOnDevice(const std::wstring& path, PayloadView expected) = 0;
};

// The whole operation behind the write button. An exception while the payload is opened or extracted passes to
// the caller and leaves the button disabled, for the drive watcher's next tick to enable.
void WriteFirmwareToDrive(WriterWindow& window, WriterFiles& files);

}  // namespace qz::payload
