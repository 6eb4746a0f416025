// How long the program takes to show its window, next to a minimal window program built the same way, and what it
// costs while it sits idle in its ready state (one removable drive offered): CPU time, per tick, and memory.
// Printed figures only, one "name key=value ..." line each: nothing here passes or fails.
//
//   tools/testbed/wine-run build/win64/bench/bench_startup_idle.exe [rounds] [idle-seconds]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/driver/loader.h"
#include "bench/ready_window.h"

using namespace qz::e2e;

namespace {

const wchar_t* const kMinimalClass = L"QzBenchMinimalWindow";

struct Figures {
  double min, median, max;
};

Figures Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return Figures{values.front(), median, values.back()};
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// FILETIME counts 100 ns.
double MsOf(const FILETIME& t) {
  const ULONGLONG ticks = (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  return static_cast<double>(ticks) / 10000.0;
}

struct CpuTimes {
  double totalMs = 0;
  double userMs = 0;
  double kernelMs = 0;
};

bool ReadCpuTimes(HANDLE process, CpuTimes* out) {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return false;
  out->userMs = MsOf(user);
  out->kernelMs = MsOf(kernel);
  out->totalMs = out->userMs + out->kernelMs;
  return true;
}

bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

// Linux's own accounting of a Wine process, read through Z:\proc.

std::string ReadLinuxFile(const std::string& path) {
  const HANDLE h = ::CreateFileW(WindowsPathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  ::CloseHandle(h);
  return text;
}

std::vector<std::string> LinuxFolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileW((WindowsPathOf(folder) + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name;
    for (const wchar_t* c = data.cFileName; *c; ++c) name.push_back(static_cast<char>(*c));
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) names.push_back(name);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return names;
}

// The Linux process of this prefix (WINEPREFIX in its environment) whose name is `name`; empty unless exactly one.
std::string LinuxProcessOf(const std::string& name) {
  const std::string prefix = "WINEPREFIX=" + LinuxPathFromEnvironment(L"WINEPREFIX");
  std::string found;
  int matches = 0;
  for (const std::string& pid : LinuxFolderNames("/proc")) {
    const std::string dir = "/proc/" + pid;
    const std::string comm = ReadLinuxFile(dir + "/comm");
    const std::string cmdline = ReadLinuxFile(dir + "/cmdline");
    if (comm.rfind(name, 0) != 0 && cmdline.find(name) == std::string::npos) continue;
    const std::string environment = '\0' + ReadLinuxFile(dir + "/environ");
    if (environment.find('\0' + prefix + '\0') == std::string::npos) continue;
    found = pid;
    ++matches;
  }
  return matches == 1 ? found : std::string();
}

// CPU time of a Linux process: the total from the per-thread schedstat (ns), the split into user and kernel time
// from /proc/<pid>/stat (clock ticks, 10 ms each).
bool ReadLinuxCpuTimes(const std::string& pid, CpuTimes* out) {
  const std::string stat = ReadLinuxFile("/proc/" + pid + "/stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (int i = 3; i <= 15 && fields >> field; ++i) {  // the state is field 3, utime 14, stime 15
    if (i == 14) out->userMs = std::atof(field.c_str()) * 10;
    if (i == 15) out->kernelMs = std::atof(field.c_str()) * 10;
  }
  double onCpuNs = 0;
  for (const std::string& tid : LinuxFolderNames("/proc/" + pid + "/task")) {
    onCpuNs += std::atof(ReadLinuxFile("/proc/" + pid + "/task/" + tid + "/schedstat").c_str());
  }
  out->totalMs = onCpuNs > 0 ? onCpuNs / 1e6 : out->userMs + out->kernelMs;
  return true;
}

// From CreateProcessW to the first visible top-level window of that class; the program is closed afterwards.
// A negative result: the window did not show within the limit.
double TimeStart(const std::wstring& exe, const std::wstring& folder, const wchar_t* windowClass) {
  const auto start = Clock::now();
  Process app(exe, folder);
  HWND window = nullptr;
  const bool shown = WaitUntil(
      [&] { return (window = FindTopLevel(app.Id(), windowClass)) != nullptr && ::IsWindowVisible(window); },
      Ms(30000), Ms(1));
  const double elapsed = MsSince(start);
  if (!shown) return -1;
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!app.WaitForExit(Ms(5000))) app.Kill();
  return elapsed;
}

void PrintFigures(const char* name, const Figures& f, int rounds) {
  std::printf("%s median=%.1f min=%.1f max=%.1f rounds=%d\n", name, f.median, f.min, f.max, rounds);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
  const std::string root = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT");
  if (root.empty()) {
    std::fprintf(stderr, "run it through tools/testbed/wine-run\n");
    return 2;
  }
  // The program runs from a folder of its own, as a user's copy would.
  const std::wstring programFolder = WindowsPathOf(root + "/bench-program") + L"\\";
  ::CreateDirectoryW(programFolder.c_str(), nullptr);
  const std::wstring loader = programFolder + L"QZLoader.exe";
  if (!::CopyFileW(LoaderExe().c_str(), loader.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy the program: error %lu\n", ::GetLastError());
    return 1;
  }
  const std::wstring minimal = WindowsPathOf(QZ_BENCH_MINIMAL);
  const std::wstring minimalFolder = WindowsPathOf(root);

  // One start of each first, uncounted: the desktop, the font cache and the file cache are then warm for both.
  WarmUpDesktop();
  if (TimeStart(loader, programFolder, L"TForm") < 0 || TimeStart(minimal, minimalFolder, kMinimalClass) < 0) {
    std::fprintf(stderr, "a window did not appear in the warm-up\n");
    return 1;
  }
  std::vector<double> loaderMs, minimalMs;
  for (int i = 0; i < rounds; ++i) {
    const double a = TimeStart(loader, programFolder, L"TForm");
    const double b = TimeStart(minimal, minimalFolder, kMinimalClass);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "round %d: a window did not appear\n", i + 1);
      return 1;
    }
    loaderMs.push_back(a);
    minimalMs.push_back(b);
  }
  const Figures l = Summarise(loaderMs);
  const Figures m = Summarise(minimalMs);
  PrintFigures("startup_ms loader", l, rounds);
  PrintFigures("startup_ms minimal", m, rounds);
  std::printf("startup_ratio loader/minimal median=%.2f min=%.2f\n", l.median / m.median, l.min / m.min);
  std::fflush(stdout);

  // Idle in the ready state: one removable drive offered, the tick running once a second.
  ::CreateDirectoryW(WindowsPathOf(root + "/bench-drive").c_str(), nullptr);
  TestDrive drive(L'E', root + "/bench-drive", DriveKind::Removable);
  Process app(loader, programFolder);
  const std::optional<MainWindow> readyWindow = qz::bench::WaitUntilReady(app, drive.Root());
  if (!readyWindow) return 1;
  const MainWindow& w = *readyWindow;
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.Id());
  if (!process) {
    std::fprintf(stderr, "cannot open the program: error %lu\n", ::GetLastError());
    return 1;
  }
  // Under Wine, GetProcessTimes of another process is coarse and lags behind (it often reads no time at all over
  // several seconds of idling), so there the figures are Linux's own accounting of the Wine process; what
  // GetProcessTimes said is printed on a line of its own.
  const std::string linuxPid = RunningUnderWine() ? LinuxProcessOf("QZLoader.exe") : std::string();
  const std::string serverPid = linuxPid.empty() ? std::string() : LinuxProcessOf("wineserver");
  CpuTimes reportedBefore, reportedAfter, linuxBefore, linuxAfter, serverBefore, serverAfter;
  bool reported = ReadCpuTimes(process, &reportedBefore);
  bool linux = !linuxPid.empty() && ReadLinuxCpuTimes(linuxPid, &linuxBefore);
  bool server = !serverPid.empty() && ReadLinuxCpuTimes(serverPid, &serverBefore);
  const auto idleStart = Clock::now();
  ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
  const double wallMs = MsSince(idleStart);
  reported = reported && ReadCpuTimes(process, &reportedAfter);
  linux = linux && ReadLinuxCpuTimes(linuxPid, &linuxAfter);
  server = server && ReadLinuxCpuTimes(serverPid, &serverAfter);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  const bool memoryRead = ::K32GetProcessMemoryInfo(process, &memory, sizeof memory);
  const DWORD memoryError = memoryRead ? 0 : ::GetLastError();
  // Still ready after the idle time: the figures are those of the state they claim to be.
  const bool stillReady = w.Read().IsReadyWith({drive.Root()});
  ::CloseHandle(process);

  if (reported || linux) {
    const CpuTimes& t0 = linux ? linuxBefore : reportedBefore;
    const CpuTimes& t1 = linux ? linuxAfter : reportedAfter;
    const double cpuMs = t1.totalMs - t0.totalMs;
    std::printf("idle_cpu_ms total=%.2f user=%.0f kernel=%.0f wall_ms=%.0f source=%s\n", cpuMs,
                t1.userMs - t0.userMs, t1.kernelMs - t0.kernelMs, wallMs, linux ? "linux-proc" : "GetProcessTimes");
    std::printf("idle_cpu_percent value=%.3f\n", 100.0 * cpuMs / wallMs);
    std::printf("tick_cpu_us value=%.0f ticks=%d\n", 1000.0 * cpuMs / idleSeconds, idleSeconds);
  } else {
    std::printf("idle_cpu_ms unavailable\n");
  }
  if (linux && reported) {
    std::printf("idle_cpu_ms_getprocesstimes total=%.0f user=%.0f kernel=%.0f\n",
                reportedAfter.totalMs - reportedBefore.totalMs, reportedAfter.userMs - reportedBefore.userMs,
                reportedAfter.kernelMs - reportedBefore.kernelMs);
  }
  // The Wine server works for the program too (its timer, its messages), and also for the prefix's other, idle,
  // processes: its share is reported apart.
  if (server) {
    const double serverMs = serverAfter.totalMs - serverBefore.totalMs;
    std::printf("idle_wineserver_cpu_ms total=%.2f per_tick_us=%.0f\n", serverMs, 1000.0 * serverMs / idleSeconds);
  }
  if (memoryRead) {
    const double mb = 1024.0 * 1024.0;
    std::printf("peak_working_set_mb value=%.2f\n", static_cast<double>(memory.PeakWorkingSetSize) / mb);
    std::printf("working_set_mb value=%.2f\n", static_cast<double>(memory.WorkingSetSize) / mb);
  } else {
    std::printf("peak_working_set_mb unavailable error=%lu\n", memoryError);
  }
  std::printf("idle_state ready_after=%s seconds=%d\n", stillReady ? "yes" : "no", idleSeconds);

  ::PostMessageW(w.form, WM_CLOSE, 0, 0);
  app.WaitForExit(Ms(5000));
  return 0;
}
