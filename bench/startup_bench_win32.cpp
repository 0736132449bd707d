// Start-up benchmark: the time from starting a program until its window is
// shown and its first paint is done, for kraxed.exe with a full catalogue and
// for a bare Win32 window under the same Wine, alternating, in one run.
//
// The end of start-up is taken as the moment the program answers a message
// sent to its shown window: both programs paint their window (UpdateWindow)
// before they enter their message loop, so the answer comes after the first
// complete paint.
//
// Usage: startup_bench.exe PROGRAM_FOLDER\ BARE_WINDOW.EXE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD pid;
  const char* className;
  const char* titlePrefix;
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  char name[64] = "", title[300] = "";
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  if (std::string(name) != search->className) return TRUE;
  if (std::string(title).rfind(search->titlePrefix, 0) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the command line and returns the seconds until the shown window
// answers, or a negative number when it did not within a minute.
double TimeStartUp(const std::string& exe, const std::string& arguments, const std::string& folder,
                   const char* className, const char* titlePrefix) {
  std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process))
    return -1;
  double seconds = -1;
  Search search{process.dwProcessId, className, titlePrefix, nullptr};
  for (;;) {
    QueryPerformanceCounter(&end);
    if (Seconds(start, end) >= 60) break;
    search.found = nullptr;
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result)) {
        QueryPerformanceCounter(&end);
        seconds = Seconds(start, end);
      }
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\\ BARE_WINDOW.EXE [RUNS]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string bare = argv[2];
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  const std::string editor = folder + "kraxed.exe";
  const std::string settings = folder + "kraxed.ini";
  const std::string sample = "\"" + folder + "sample.kxl\"";

  // One start of each that is not counted: Wine loads its own libraries.
  TimeStartUp(bare, "", folder, "Bare Window", "Bare Window");
  TimeStartUp(editor, sample, folder, "Kraxolan Editor", "Kraxolan Editor - [");

  std::vector<double> bareTimes, editorTimes;
  for (int run = 0; run < runs; ++run) {
    DeleteFileA(settings.c_str());  // every start reads the same (no) settings
    const double b = TimeStartUp(bare, "", folder, "Bare Window", "Bare Window");
    const double e = TimeStartUp(editor, sample, folder, "Kraxolan Editor", "Kraxolan Editor - [");
    if (b < 0 || e < 0) {
      std::fprintf(stderr, "run %d: a program did not show its window\n", run + 1);
      return 1;
    }
    std::printf("run %d: bare window %.3f s, kraxed %.3f s\n", run + 1, b, e);
    bareTimes.push_back(b);
    editorTimes.push_back(e);
  }
  const double bareMedian = Median(bareTimes), editorMedian = Median(editorTimes);
  std::printf("median of %d runs: bare window %.3f s, kraxed %.3f s, ratio %.2f\n", runs,
              bareMedian, editorMedian, editorMedian / bareMedian);
  return 0;
}
