// The firmware writer's file operations on Windows.
#pragma once

#include <string>

#include "payload/firmware_writer.h"

namespace qz::payload {

// Flushes the file to its device, then reads it back with the system cache bypassed and compares it with the
// expected bytes. False when the file cannot be opened, flushed or read, or differs in length or content.
bool VerifyFileOnDevice(const std::wstring& path, PayloadView expected);

class SystemWriterFiles : public WriterFiles {
public:
  PayloadView OpenPayload(const wchar_t* name) override;
  std::wstring ProgramFilePath(const std::wstring& fileName) override;
  void WritePayload(PayloadView payload, const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  bool CopyOver(const std::wstring& source, const std::wstring& target) override;
  bool VerifyOnDevice(const std::wstring& path, PayloadView expected) override;
};

}  // namespace qz::payload
