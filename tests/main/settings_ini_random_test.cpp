// Seeded random inputs for the INI model (the fuzz target explores further when clang is
// at hand). Runs with the sanitizers of the native build, so a reader that overruns or
// overflows fails here too.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "main/settings_ini.h"
#include "settings_ini_properties.h"

namespace framora {
namespace {

const std::vector<std::wstring>& Pieces() {
  static const std::vector<std::wstring> pieces = {
      L"a", L"B", L"z", L"Q", L"\u00E9", L"\u00C4", L"\u65E5", {wchar_t(0xD83C), wchar_t(0xDF9E)},
      L" ", L"\t", L"=", L";", L"[", L"]", L"$", L"0", L"\x7F", L"\x01"};
  return pieces;
}

std::wstring RandomText(std::mt19937& random, int maxPieces) {
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> piece(0, Pieces().size() - 1);
  std::wstring text;
  for (int n = count(random); n > 0; --n) text += Pieces()[piece(random)];
  return text;
}

// Text the file format can carry: the reader strips names and values and splits at "=";
// a key starting with ";" would be a comment and one starting with "[" could close
// into a section header together with its value.
bool Storable(const std::wstring& text) { return TrimView(text) == text; }
bool StorableKey(const std::wstring& key) {
  return Storable(key) && key.find(L'=') == std::wstring::npos &&
         !(key.starts_with(L";") || key.starts_with(L"["));
}

template <typename Accept>
std::wstring RandomStorable(std::mt19937& random, int maxPieces, Accept accept) {
  for (;;) {
    std::wstring text = RandomText(random, maxPieces);
    if (accept(text)) return text;
  }
}

std::wstring FlipAsciiCase(std::mt19937& random, std::wstring name) {
  for (wchar_t& c : name) {
    if (random() % 2 == 0) continue;
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    else if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return name;
}

// What the image must hold: sections and keys in the order first written, with the
// spelling of their first write.
struct ModelSection {
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> entries;
};

void ModelWrite(std::vector<ModelSection>& model, const std::wstring& section,
                const std::wstring& key, const std::wstring& value) {
  auto s = std::find_if(model.begin(), model.end(),
                        [&](const ModelSection& m) { return SameIniName(m.name, section); });
  if (s == model.end()) s = model.insert(model.end(), ModelSection{section, {}});
  auto e = std::find_if(s->entries.begin(), s->entries.end(),
                        [&](const auto& entry) { return SameIniName(entry.first, key); });
  if (e == s->entries.end()) {
    s->entries.emplace_back(key, value);
  } else {
    e->second = value;
  }
}

std::string ModelBytes(const std::vector<ModelSection>& model) {
  std::wstring text;
  for (const ModelSection& s : model) {
    text += L"[" + s.name + L"]\r\n";
    for (const auto& [key, value] : s.entries) text += key + L"=" + value + L"\r\n";
    text += L"\r\n";
  }
  return "\xEF\xBB\xBF" + Utf16ToUtf8(text);
}

TEST(IniRandom, WritesReadBackInOrderAfterARoundTrip) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // Small pools of names, so that writes often meet an existing key in another case.
    std::vector<std::wstring> sections, keys;
    for (int i = 0; i < 3; ++i) sections.push_back(RandomStorable(random, 4, Storable));
    for (int i = 0; i < 6; ++i) keys.push_back(RandomStorable(random, 4, StorableKey));

    IniFile ini;
    std::vector<ModelSection> model;
    for (int op = std::uniform_int_distribution<int>(0, 30)(random); op > 0; --op) {
      const std::wstring section = FlipAsciiCase(random, sections[random() % sections.size()]);
      const std::wstring key = FlipAsciiCase(random, keys[random() % keys.size()]);
      const std::wstring value = RandomStorable(random, 8, Storable);
      if (random() % 4 == 0) {
        const auto number = static_cast<std::int32_t>(random());
        ini.WriteInteger(section, key, number);
        ModelWrite(model, section, key, std::to_wstring(number));
      } else {
        ini.WriteString(section, key, value);
        ModelWrite(model, section, key, value);
      }
    }

    ASSERT_EQ(ini.ToUtf8(), ModelBytes(model));
    ASSERT_EQ(test::CheckRoundTrip(ini), "");
    const IniFile reread = *IniFile::FromUtf8(ini.ToUtf8());
    for (const ModelSection& s : model) {
      for (const auto& [key, value] : s.entries) {
        EXPECT_EQ(reread.ReadString(FlipAsciiCase(random, s.name), FlipAsciiCase(random, key),
                                    L"\u2400absent"),
                  value);
      }
    }
  }
}

TEST(IniRandom, ReaderSurvivesHostileBytes) {
  const std::vector<std::string> tokens = {
      "[", "]", "=", ";", "\r", "\n", "\r\n", " ", "\t", std::string(1, '\0'), "\xEF\xBB\xBF",
      "\xC3\xA9", "\xE9", "\xF0\x9F\x8E\x9E", "\xFF", "\xED\xA0\x80", "a", "Settings",
      "Duration", "0x", "$", "-", "2147483648"};
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    std::mt19937 random(seed);
    std::string bytes;
    for (int n = std::uniform_int_distribution<int>(0, 40)(random); n > 0; --n) {
      bytes += tokens[random() % tokens.size()];
    }
    ASSERT_EQ(test::CheckReaderOn(bytes), "") << "seed " << seed << ": "
                                              << testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace framora
