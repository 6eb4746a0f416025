#include "payload/win_writer_files.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "payload/win_file.h"
#include "payload/win_payload.h"

namespace qz::payload {

namespace {

// Reads without the cache must start at sector boundaries, ask for whole sectors and land in sector-aligned
// memory. Sector sizes are powers of two; 64 KiB is a multiple of every one in use, and memory from VirtualAlloc
// starts on a 64 KiB boundary.
constexpr DWORD kReadChunk = 64 * 1024;

struct VirtualFreer {
  void operator()(void* p) const noexcept { ::VirtualFree(p, 0, MEM_RELEASE); }
};
using AlignedBuffer = std::unique_ptr<void, VirtualFreer>;

bool Flush(const std::wstring& path) {
  // Flushing needs write access; the flush covers everything cached for the file, whoever wrote it.
  const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && ::FlushFileBuffers(file.Get());
}

bool ReadBackEquals(const std::wstring& path, PayloadView expected) {
  const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) != expected.size()) {
    return false;
  }
  const AlignedBuffer buffer(::VirtualAlloc(nullptr, kReadChunk, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!buffer) return false;
  size_t offset = 0;
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer.get(), kReadChunk, &got, nullptr)) return false;
    if (got == 0) break;
    if (got > expected.size() - offset || std::memcmp(buffer.get(), expected.data() + offset, got) != 0) {
      return false;
    }
    offset += got;
  }
  return offset == expected.size();
}

}  // namespace

bool VerifyFileOnDevice(const std::wstring& path, PayloadView expected) {
  return Flush(path) && ReadBackEquals(path, expected);
}

PayloadView SystemWriterFiles::OpenPayload(const wchar_t* name) { return payload::OpenPayload(name); }

std::wstring SystemWriterFiles::ProgramFilePath(const std::wstring& fileName) {
  return payload::ProgramFilePath(fileName);
}

void SystemWriterFiles::WritePayload(PayloadView payload, const std::wstring& path) {
  WritePayloadToFile(payload, path);
}

void SystemWriterFiles::RemoveFile(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

bool SystemWriterFiles::CopyOver(const std::wstring& source, const std::wstring& target) {
  return ::CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool SystemWriterFiles::VerifyOnDevice(const std::wstring& path, PayloadView expected) {
  return VerifyFileOnDevice(path, expected);
}

}  // namespace qz::payload
