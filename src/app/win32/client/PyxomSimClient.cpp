// pyxom-sim.exe: drives the simulated mouse of a running pyxom.exe --simulate=N.
//   pyxom-sim press K | release K | click K | toggle | input HEX... | unplug | state
// Exits 0 on success, 2 when no simulated mouse is running, 1 on a bad command.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr const wchar_t* kSimControlClass = L"PyxomSimControl";

int send(HWND target, const std::wstring& command) {
  COPYDATASTRUCT cds{};
  cds.dwData = 0x5059;
  cds.cbData = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
  cds.lpData = const_cast<wchar_t*>(command.c_str());
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                           10000, &answer))
    return 2;
  return answer == 1 ? 0 : 1;
}

int usage() {
  std::fputs("usage: pyxom-sim press K | release K | click K | toggle | input HEX... | unplug | state\n",
             stderr);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return usage();
  std::wstring verb = argv[1];
  HWND target = FindWindowW(kSimControlClass, nullptr);
  if (!target) {
    std::fputs("pyxom-sim: no pyxom.exe with a simulated mouse is running\n", stderr);
    return 2;
  }
  std::wstring rest;
  for (int i = 2; i < argc; ++i) rest += L" " + std::wstring(argv[i]);

  if (verb == L"click") {
    if (argc != 3) return usage();
    int rc = send(target, L"press" + rest);
    if (rc != 0) return rc;
    Sleep(60);  // a finger's click, long enough for the host to see the press first
    return send(target, L"release" + rest);
  }
  if (verb == L"state") {
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"pxs", 0, file);
    int rc = send(target, std::wstring(L"state ") + file);
    if (rc == 0) {
      FILE* f = _wfopen(file, L"rb");
      if (f) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) std::fwrite(buf, 1, n, stdout);
        std::fclose(f);
      }
    }
    DeleteFileW(file);
    return rc;
  }
  if (verb == L"press" || verb == L"release" || verb == L"toggle" || verb == L"input" || verb == L"unplug") {
    int rc = send(target, verb + rest);
    if (rc == 1) std::fputs("pyxom-sim: the simulated mouse refused the command\n", stderr);
    return rc;
  }
  return usage();
}
