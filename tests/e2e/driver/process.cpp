#include "tests/e2e/driver/process.h"

#include <stdexcept>
#include <vector>

namespace qz::e2e {

Process::Process(const std::wstring& exe, const std::wstring& workingFolder, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    throw std::runtime_error("CreateProcessW failed with error " + std::to_string(::GetLastError()));
  }
  ::CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

Process::~Process() {
  Kill();
  ::CloseHandle(process_);
}

bool Process::Running() const { return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitForExit(Ms limit) const {
  if (::WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  ::TerminateProcess(process_, 255);
  ::WaitForSingleObject(process_, 5000);
}

}  // namespace qz::e2e
