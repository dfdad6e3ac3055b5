// Helpers for scenarios that run the real pyxom.exe under Wine: a private copy of the
// ready-to-run folder, process start and wait, window lookup, and pyxom-sim commands.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pyxom::testing {

// The ready-to-run folder of the Windows build, as a Windows path.
std::wstring distFolder();

// A copy of the ready-to-run folder in a fresh temporary folder, removed at the end.
class Installation {
 public:
  Installation();
  ~Installation();
  const std::wstring& folder() const { return folder_; }
  std::wstring path(const std::wstring& name) const { return folder_ + L"\\" + name; }
  // Replaces config.ini by `text`, written as UTF-16LE with a byte-order mark.
  void writeConfig(const std::wstring& text) const;

 private:
  std::wstring folder_;
};

class Process {
 public:
  Process(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workdir);
  ~Process();
  bool started() const { return pi_.hProcess != nullptr; }
  // Waits for the end; returns false on time-out.
  bool wait(DWORD ms);
  DWORD exitCode() const;
  // "still running" or "ended with N", for failure messages.
  std::string state();
  DWORD id() const { return pi_.dwProcessId; }
  std::string output() const;  // what a console process wrote (when captured)

 private:
  PROCESS_INFORMATION pi_{};
  std::wstring outFile_;
};

// Polls `done` every 50 ms for up to `ms`; returns its last answer.
bool waitUntil(const std::function<bool()>& done, DWORD ms);

// Starts pyxom.exe from the installation as the first instance.
std::unique_ptr<Process> startPyxom(const Installation& inst, const std::wstring& arguments);

// Waits up to `ms` for a top-level window with this title (and class, when given) that belongs
// to process `pid` (0: any process).
HWND waitForWindow(const std::wstring& title, const wchar_t* className, DWORD pid, DWORD ms);
// The same, once the window shows: a dialog exists (texts not set, owner still enabled) before
// it is initialised, and the main window shows only when start-up is over.
HWND waitForShownWindow(const std::wstring& title, const wchar_t* className, DWORD pid, DWORD ms);
// Runs pyxom-sim.exe from the installation with the arguments; returns its exit code.
int runSim(const Installation& inst, const std::wstring& arguments, std::string* output = nullptr);
std::vector<std::string> readLines(const std::wstring& path);
// Waits until the trace has lines and has not grown for quietMs (the download is over).
std::vector<std::string> waitForQuietTrace(const std::wstring& path, int quietMs, int timeoutMs);
int pointerSpeed();
void setPointerSpeed(int speed);

}  // namespace pyxom::testing
