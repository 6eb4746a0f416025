#include "tools/testbed/mountmgr.h"

#include <winioctl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace qz::testbed {

namespace {

// Wine's own request, not part of the Windows SDK; the SDK headers carry an older, shorter layout.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The request record of Wine 8 (struct mountmgr_unix_drive), followed by the NUL-terminated Linux path.
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDev;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};
// The layout must match Wine's on both 32- and 64-bit builds.
static_assert(sizeof(UnixDrive) == 32);
static_assert(offsetof(UnixDrive, unixDev) == 16);
static_assert(offsetof(UnixDrive, letter) == 24);
static_assert(offsetof(UnixDrive, mountPointOffset) == 26);
static_assert(offsetof(UnixDrive, labelOffset) == 30);

class Handle {
public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  HANDLE Get() const { return h_; }

private:
  HANDLE h_;
};

DWORD Send(UnixDrive head, const std::string& path) {
  std::vector<char> buffer(sizeof head, '\0');
  if (!path.empty()) {
    head.mountPointOffset = static_cast<USHORT>(sizeof head);
    buffer.insert(buffer.end(), path.begin(), path.end());
    buffer.push_back('\0');
  }
  head.size = static_cast<ULONG>(buffer.size());
  std::memcpy(buffer.data(), &head, sizeof head);
  const Handle manager(::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (manager.Get() == INVALID_HANDLE_VALUE) return ::GetLastError();
  DWORD returned = 0;
  if (!::DeviceIoControl(manager.Get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, 0,
                         &returned, nullptr)) {
    return ::GetLastError();
  }
  return ERROR_SUCCESS;
}

WCHAR Lower(wchar_t letter) {
  return static_cast<WCHAR>(letter >= L'A' && letter <= L'Z' ? letter - L'A' + L'a' : letter);
}

}  // namespace

DWORD DefineDrive(wchar_t letter, const std::string& unixFolderUtf8, DriveKind kind) {
  if (unixFolderUtf8.empty()) return ERROR_INVALID_PARAMETER;
  UnixDrive head{};
  head.type = static_cast<ULONG>(kind);
  head.letter = Lower(letter);
  return Send(head, unixFolderUtf8);
}

DWORD RemoveDrive(wchar_t letter) {
  UnixDrive head{};
  head.type = DRIVE_NO_ROOT_DIR;
  head.letter = Lower(letter);
  return Send(head, {});
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace qz::testbed
