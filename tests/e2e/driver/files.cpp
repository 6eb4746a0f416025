#include "tests/e2e/driver/files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/e2e/driver/bed.h"
#include "tests/e2e/driver/process.h"
#include "tests/e2e/driver/wait.h"
#include "tools/testbed/mountmgr.h"

namespace qz::e2e {

std::optional<Bytes> ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return std::nullopt;
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out.good();
}

int RunLinux(const std::string& command) {
  static int serial = 0;
  const std::string done = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT") + "/linux-" + std::to_string(++serial);
  Process shell(L"Z:\\bin\\sh", L"", L"-c \"(" + testbed::FromUtf8(command) + L") >/dev/null 2>&1; echo $? >'" +
                                         testbed::FromUtf8(done) + L".tmp' && mv '" + testbed::FromUtf8(done) +
                                         L".tmp' '" + testbed::FromUtf8(done) + L"'\"");
  std::optional<Bytes> code;
  WaitUntil([&] { return (code = ReadBytes(WindowsPathOf(done))).has_value(); }, Ms(20000), Ms(20));
  return code ? std::atoi(std::string(code->begin(), code->end()).c_str()) : -1;
}

std::unique_ptr<Mount> Mount::SmallTmpfs(const std::string& folder, const std::string& size) {
  return std::unique_ptr<Mount>(new Mount(folder, "mount -t tmpfs -o size=" + size + " tmpfs '" + folder + "'"));
}

std::unique_ptr<Mount> Mount::ReadOnly(const std::string& folder) {
  return std::unique_ptr<Mount>(
      new Mount(folder, "mount --bind '" + folder + "' '" + folder + "' && mount -o remount,ro,bind '" + folder + "'"));
}

Mount::Mount(std::string folder, const std::string& command) : folder_(std::move(folder)) {
  mounted_ = RunLinux(command) == 0;
}

Mount::~Mount() {
  if (mounted_) RunLinux("umount -l '" + folder_ + "'");
}

}  // namespace qz::e2e
