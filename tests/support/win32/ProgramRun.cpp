#include "support/win32/ProgramRun.h"

#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pyxom::testing {

std::wstring distFolder() {
#ifdef PYXOM_DIST_DIR
  std::string unix = PYXOM_DIST_DIR;
#else
  std::string unix;
#endif
  std::wstring w = L"Z:";
  for (char c : unix) w += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
  return w;
}

namespace {

void copyTree(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) copyTree(from + L"\\" + name, to + L"\\" + name);
    else CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

void removeTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring p = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(p);
      else DeleteFileW(p.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

Installation::Installation() {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  static int counter = 0;
  folder_ = std::wstring(tmp) + L"pyxom-run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount());
  removeTree(folder_);
  copyTree(distFolder(), folder_);
}

Installation::~Installation() { removeTree(folder_); }

void Installation::writeConfig(const std::wstring& text) const {
  std::wstring crlf;
  for (wchar_t c : text) {
    if (c == L'\n') crlf += L'\r';
    crlf += c;
  }
  FILE* f = _wfopen(path(L"config.ini").c_str(), L"wb");
  if (!f) return;
  const unsigned char bom[2] = {0xFF, 0xFE};
  std::fwrite(bom, 1, 2, f);
  for (wchar_t c : crlf) {
    unsigned char b[2] = {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)};
    std::fwrite(b, 1, 2, f);
  }
  std::fclose(f);
}

Process::Process(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workdir) {
  std::wstring cmd = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  HANDLE out = nullptr;
  if (exe.find(L"pyxom-sim") != std::wstring::npos) {
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"pxo", 0, file);
    outFile_ = file;
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    out = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
  }
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, workdir.c_str(), &si, &pi_))
    pi_ = {};
  if (out) CloseHandle(out);
}

Process::~Process() {
  if (pi_.hProcess) {
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  if (!outFile_.empty()) DeleteFileW(outFile_.c_str());
}

bool Process::wait(DWORD ms) { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

DWORD Process::exitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

std::string Process::output() const {
  if (outFile_.empty()) return {};
  std::ifstream f(std::filesystem::path(outFile_), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

namespace {
struct Search {
  const std::wstring* title;
  const wchar_t* cls;
  DWORD pid;
  HWND found;
};
BOOL CALLBACK enumProc(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t text[256] = {}, cls[128] = {};
  GetWindowTextW(h, text, 256);
  GetClassNameW(h, cls, 128);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (*s->title == text && (!s->cls || wcscmp(s->cls, cls) == 0) && (!s->pid || s->pid == pid)) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool waitUntil(const std::function<bool()>& done, DWORD ms) {
  for (DWORD start = GetTickCount(); !done(); Sleep(50)) {
    if (GetTickCount() - start >= ms) return done();
  }
  return true;
}

std::string Process::state() {
  return wait(0) ? "ended with " + std::to_string(exitCode()) : std::string("still running");
}

std::unique_ptr<Process> startPyxom(const Installation& inst, const std::wstring& arguments) {
  // Under Wine the single-instance mutex of a program that has just ended outlives its process
  // by a few seconds (it cannot even be opened from here), and a start in that window only wakes
  // the "running" instance and ends with 1. Start again until the start is a first instance.
  for (int attempt = 0;; ++attempt) {
    auto p = std::make_unique<Process>(inst.path(L"pyxom.exe"), arguments, inst.folder());
    if (attempt == 100 || !p->wait(300) || p->exitCode() != 1) return p;
    Sleep(200);
  }
}

HWND waitForWindow(const std::wstring& title, const wchar_t* className, DWORD pid, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    Search s{&title, className, pid, nullptr};
    EnumWindows(enumProc, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(20);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

HWND waitForShownWindow(const std::wstring& title, const wchar_t* className, DWORD pid, DWORD ms) {
  HWND found = nullptr;
  auto shown = [&] {
    found = waitForWindow(title, className, pid, 0);
    return found && IsWindowVisible(found);
  };
  return waitUntil(shown, ms) ? found : nullptr;
}

int runSim(const Installation& inst, const std::wstring& arguments, std::string* output) {
  Process p(inst.path(L"pyxom-sim.exe"), arguments, inst.folder());
  if (!p.started() || !p.wait(15000)) return -1;
  if (output) *output = p.output();
  return static_cast<int>(p.exitCode());
}

std::vector<std::string> readLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream f{std::filesystem::path(path)};
  std::string line;
  while (std::getline(f, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Read from where the system keeps it: a process caches its own view of system parameters,
// so the value another process set is seen only in the user profile.
int pointerSpeed() {
  wchar_t text[16] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", L"MouseSensitivity", RRF_RT_REG_SZ,
                   nullptr, text, &size) != ERROR_SUCCESS)
    return -1;
  return _wtoi(text);
}

void setPointerSpeed(int speed) {
  SystemParametersInfoW(SPI_SETMOUSESPEED, speed, reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

std::vector<std::string> waitForQuietTrace(const std::wstring& path, int quietMs, int timeoutMs) {
  std::vector<std::string> lines = readLines(path);
  DWORD start = GetTickCount(), changed = start;
  while (GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
    Sleep(50);
    auto now = readLines(path);
    if (now.size() != lines.size()) {
      lines = std::move(now);
      changed = GetTickCount();
    } else if (!lines.empty() && GetTickCount() - changed >= static_cast<DWORD>(quietMs)) {
      break;
    }
  }
  return lines;
}

}  // namespace pyxom::testing
