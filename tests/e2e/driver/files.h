// Files of a test as bytes, and Linux commands run from inside the prefix (mounts that make a folder full or
// read-only).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz::e2e {

using Bytes = std::vector<char>;

// The whole file, or nothing when it cannot be read.
std::optional<Bytes> ReadBytes(const std::wstring& path);
// Creates or replaces the file; false when it could not be written completely.
bool WriteBytes(const std::wstring& path, const Bytes& bytes);

// A Linux command run from inside the prefix; its exit code, or -1 when it did not finish in time. Wine starts
// Linux programs but hands back no process to wait for, so the command leaves its exit code in a file.
int RunLinux(const std::string& command);

// A Linux mount over a folder of the test, undone when the object goes.
class Mount {
public:
  // A tmpfs of `size` (e.g. "256k"): a drive that fills up.
  static std::unique_ptr<Mount> SmallTmpfs(const std::string& folder, const std::string& size);
  // The folder itself, read-only from now on, with what it holds: a write-protected medium.
  static std::unique_ptr<Mount> ReadOnly(const std::string& folder);
  Mount(const Mount&) = delete;
  Mount& operator=(const Mount&) = delete;
  ~Mount();
  bool Mounted() const { return mounted_; }

private:
  Mount(std::string folder, const std::string& command);
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace qz::e2e
