// The start-up benchmark's clock, run under Wine: starts programs one after another, round
// after round (so that the configurations are interleaved), and times each from CreateProcess
// until it is ready: its main window (found by window class) is visible, which the player does
// only once the board is built, and it answers a sent message, so its message loop runs. The
// program is then ended with TerminateProcess, which saves no progress file, so a configuration
// starts from the same files every round.
//
//   startup_timer.exe ROUNDS NAME CLASS FOLDER PROGRAM [NAME CLASS FOLDER PROGRAM]...
//
// Prints one line per run ("run NAME MS") and then, per configuration, the median, its ratio
// to the first configuration's median (the yardstick), and the smallest and largest time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD readyTimeoutMs = 120000;
constexpr UINT answerTimeoutMs = 60000;

struct Configuration {
  std::string name, windowClass, folder, program;
  std::vector<double> times; // ms
};

double nowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool isReady(const Configuration& c) {
  HWND window = FindWindowA(c.windowClass.c_str(), nullptr);
  if (!window || !IsWindowVisible(window)) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, answerTimeoutMs, &result) != 0;
}

// The time to ready in ms, or a negative number when the program did not start or get ready.
double timeOneStart(const Configuration& c) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + c.program + "\"";
  const double start = nowMs();
  if (!CreateProcessA(c.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      c.folder.c_str(), &startup, &process))
    return -1;
  double ready = -1;
  while (nowMs() - start < readyTimeoutMs) {
    if (isReady(c)) {
      ready = nowMs() - start;
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break; // it ended early
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ready;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 6 || (argc - 2) % 4 != 0) {
    std::fprintf(stderr, "usage: startup_timer ROUNDS NAME CLASS FOLDER PROGRAM...\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  std::vector<Configuration> configurations;
  for (int i = 2; i + 3 < argc; i += 4)
    configurations.push_back({argv[i], argv[i + 1], argv[i + 2], argv[i + 3], {}});
  for (int round = 0; round < rounds; ++round) {
    for (Configuration& c : configurations) {
      const double ms = timeOneStart(c);
      if (ms < 0) {
        std::fprintf(stderr, "%s: not ready (did it start?)\n", c.name.c_str());
        return 1;
      }
      c.times.push_back(ms);
      std::printf("run %s %.1f\n", c.name.c_str(), ms);
      std::fflush(stdout);
      Sleep(100); // let Wine tidy up after the ended process
    }
  }
  const double yardstick = median(configurations.front().times);
  std::printf("%-24s %10s %8s %10s %10s\n", "configuration", "median ms", "ratio", "fastest",
              "slowest");
  for (const Configuration& c : configurations) {
    const auto [low, high] = std::minmax_element(c.times.begin(), c.times.end());
    std::printf("%-24s %10.1f %8.2f %10.1f %10.1f\n", c.name.c_str(), median(c.times),
                median(c.times) / yardstick, *low, *high);
  }
  return 0;
}
