#include "app/version_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace qz::app {

namespace {

constexpr WORD kVersionResourceId = 1;
constexpr std::size_t kLongestPath = 32767;

// A file mapped for its resources only: no code runs and nothing it imports is loaded.
class ResourceImage {
public:
  explicit ResourceImage(const std::wstring& path)
      : module_(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;
  ~ResourceImage() {
    if (module_) ::FreeLibrary(module_);
  }

  // The bytes of the version resource, valid while this object lives; empty when there is none.
  std::pair<const std::uint8_t*, DWORD> VersionResource() const {
    if (!module_) return {nullptr, 0};
    HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(kVersionResourceId), RT_VERSION);
    if (!found) return {nullptr, 0};
    const DWORD size = ::SizeofResource(module_, found);
    HGLOBAL loaded = ::LoadResource(module_, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return {nullptr, 0};
    return {static_cast<const std::uint8_t*>(bytes), size};
  }

private:
  HMODULE module_;
};

std::uint32_t VersionInfoSize(const std::wstring& path) {
  return ResourceImage(path).VersionResource().second;
}

bool VersionInfo(const std::wstring& path, std::uint32_t size, std::uint8_t* buffer) {
  const ResourceImage image(path);
  const auto [bytes, length] = image.VersionResource();
  if (!bytes) return false;
  const std::uint32_t copied = std::min<std::uint32_t>(size, length);
  std::memcpy(buffer, bytes, copied);
  std::fill(buffer + copied, buffer + size, std::uint8_t{0});
  return true;
}

}  // namespace

VersionCalls SystemVersionCalls() { return VersionCalls{VersionInfoSize, VersionInfo, ExecutablePath}; }

std::wstring ExecutablePath() {
  // Grows the buffer until the whole path fits: a long folder name must not cut the path short.
  std::vector<wchar_t> path(MAX_PATH + 1);
  while (true) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size() || path.size() > kLongestPath) return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

std::uint32_t GetPackedFileVersion(const std::wstring& path) { return GetPackedFileVersion(SystemVersionCalls(), path); }

std::wstring GetFullVersion() { return GetFullVersion(SystemVersionCalls()); }

}  // namespace qz::app
