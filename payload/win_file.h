// An owned file handle: closed when it goes, never copied.
#pragma once

#include <windows.h>

#include <utility>

namespace qz::payload {

class FileHandle {
public:
  explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  ~FileHandle() { Close(); }

  explicit operator bool() const noexcept { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const noexcept { return handle_; }

  void Close() noexcept {
    if (*this) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE handle_;
};

}  // namespace qz::payload
