// Any bytes parse into an INI document whose serialized form is a fixed point, whose lookups
// survive the round trip, and whose edits read back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniFileProfile.h"

using pyxom::platform::IniDocument;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// Section and key names to probe: every "[...]" and "name=" of the serialized text.
std::vector<std::pair<std::wstring, std::wstring>> probes(const std::wstring& text) {
  std::vector<std::pair<std::wstring, std::wstring>> out;
  std::wstring section;
  std::size_t start = 0;
  while (start < text.size() && out.size() < 64) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.front() == L'[' && line.find(L']') != std::wstring::npos) {
      section = line.substr(1, line.rfind(L']') - 1);
    } else if (auto eq = line.find(L'='); eq != std::wstring::npos) {
      out.emplace_back(section, line.substr(0, eq));
    }
    start = end + 1;
  }
  out.emplace_back(L"Config1", L"K0");
  return out;
}

std::wstring widen(std::string_view bytes) {
  std::wstring w;
  for (char c : bytes) w.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The last bytes name a key to write: "<section>\x01<key>" after the final \x02.
  std::string_view body = bytes, edit;
  if (auto cut = bytes.rfind('\x02'); cut != std::string_view::npos) {
    body = bytes.substr(0, cut);
    edit = bytes.substr(cut + 1);
  }

  const IniDocument doc = IniDocument::parse(body);
  const std::string once = doc.serialize();
  const IniDocument again = IniDocument::parse(once);
  check(again.serialize() == once);

  const auto names = probes(widen(body));
  for (const auto& [s, k] : names) check(doc.find(s, k) == again.find(s, k));

  const auto sep = edit.find('\x01');
  if (sep == std::string_view::npos) return 0;
  const std::wstring section = widen(edit.substr(0, sep)), key = widen(edit.substr(sep + 1));
  if (!IniDocument::writableName(section, key)) return 0;
  IniDocument edited = doc;
  edited.set(section, key, L"v1");
  check(edited.find(section, key) == std::optional<std::wstring>(L"v1"));
  const IniDocument reread = IniDocument::parse(edited.serialize());
  check(reread.find(section, key) == std::optional<std::wstring>(L"v1"));
  return 0;
}
