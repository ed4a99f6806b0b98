// The shipped language packs (every .lng in resources/language, so a new
// pack is checked as soon as it is added): complete translations that keep
// what the programs fill in, well-formed files, and every text the programs
// show present in English.lng.
//
// When TextsShownByTheProgramsAreInTheEnglishPack fails, add the listed
// lines to resources/language/English.lng (and translate them in the other
// packs, which EveryPackTranslatesEveryEnglishKeyKeepingItsFixedParts then
// asks for).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/IniReader.h"
#include "base/TextConvert.h"
#include "settings/DefaultLanguageName.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = fs::path(CORVANE_TEST_DATA).parent_path().parent_path();
const fs::path kPackFolder = kSourceRoot / "resources" / "language";

std::wstring WidePath(const fs::path& p) {
#ifdef _WIN32
  return p.wstring();
#else
  return Utf8ToWide(p.string());
#endif
}

std::string Narrow(const std::wstring& text) { return WideToUtf8(text); }

// Every pack in the folder but English, by language name.
std::vector<std::string> TranslatedPacks() {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(kPackFolder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == ".lng" && it->path().stem() != "English") names.push_back(it->path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::wstring, std::wstring> ReadPack(const std::string& name) {
  CIniReader reader;
  std::map<std::wstring, std::wstring> strings;
  if (!reader.Open(WidePath(kPackFolder / (name + ".lng")))) return strings;
  for (auto& [key, text] : reader.ReadSection(L"String")) strings.emplace(key, text);
  return strings;
}

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

size_t Count(const std::wstring& text, const std::wstring& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// What the programs fill in or pass through untouched: message arguments
// ("%1".."%9"), printf fields ("%s", "%d", "%.2f", "%%"), launch-data
// names ("#Name#") and the product names.
std::multiset<std::wstring> FixedTokens(const std::wstring& text) {
  static const std::wregex token(
      LR"re(%[1-9]|%%|%[-+#0]*[0-9]*(?:\.[0-9]+)?(?:ll|l|h)?[sSdiuxXfc]|#[A-Za-z]+#|Corvane|Tavrel|FFmpeg)re");
  std::multiset<std::wstring> tokens;
  for (std::wsregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) tokens.insert(it->str());
  return tokens;
}

std::string Joined(const std::multiset<std::wstring>& tokens) {
  std::string out;
  for (const std::wstring& token : tokens) out += " " + Narrow(token);
  return out.empty() ? " (none)" : out;
}

TEST(ShippedLanguagePacks, EveryPackTranslatesEveryEnglishKeyKeepingItsFixedParts) {
  const auto english = ReadPack("English");
  ASSERT_GT(english.size(), 50u) << "English.lng missing or unreadable in " << kPackFolder;
  const std::vector<std::string> packs = TranslatedPacks();
  ASSERT_GE(packs.size(), 9u) << "packs missing from " << kPackFolder;
  for (const std::string& name : packs) {
    SCOPED_TRACE(name + ".lng");
    const auto pack = ReadPack(name);
    for (const auto& [key, text] : english) {
      SCOPED_TRACE("key " + Narrow(key) + ": " + Narrow(text));
      auto it = pack.find(key);
      if (it == pack.end()) {
        ADD_FAILURE() << "key missing";
        continue;
      }
      const std::wstring& translated = it->second;
      EXPECT_FALSE(translated.empty());
      // One keyboard accelerator where English has one, on a character.
      EXPECT_EQ(Count(translated, L"&"), Count(text, L"&")) << Narrow(translated);
      EXPECT_NE(translated.back(), L'&') << Narrow(translated);
      EXPECT_EQ(Count(translated, L"\n"), Count(text, L"\n")) << "line breaks differ: " << Narrow(translated);
      EXPECT_EQ(Joined(FixedTokens(translated)), Joined(FixedTokens(text))) << Narrow(translated);
    }
    for (const auto& [key, text] : pack)
      EXPECT_TRUE(english.count(key)) << "key " << Narrow(key) << " that English lacks";
  }
}

// Packs are UTF-8 with a byte-order mark (without it the reader takes them
// as ANSI), with Windows line ends, and name a 16 x 16 24-bit bitmap.
TEST(ShippedLanguagePacks, EachPackIsUtf8AndNamesAnIconThatExists) {
  std::vector<std::string> packs = TranslatedPacks();
  packs.push_back("English");
  for (const std::string& name : packs) {
    SCOPED_TRACE(name + ".lng");
    const std::string bytes = FileBytes(kPackFolder / (name + ".lng"));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    size_t bareLineFeeds = 0;
    for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
      bareLineFeeds += at == 0 || bytes[at - 1] != '\r';
    EXPECT_EQ(bareLineFeeds, 0u) << "lines must end with CR LF";

    CIniReader reader;
    ASSERT_TRUE(reader.Open(WidePath(kPackFolder / (name + ".lng"))));
    const std::wstring icon = reader.GetString(L"Info", L"icon", L"");
    ASSERT_FALSE(icon.empty()) << "no [Info] icon";
    const std::string bitmap = FileBytes(kPackFolder / Narrow(icon));
    ASSERT_EQ(bitmap.size(), 54u + 16 * 16 * 3) << Narrow(icon) << ": a 16 x 16 24-bit bitmap";
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
  }
}

// A pack is chosen at first start by the system language's name, so each
// must carry a name the system language can give.
TEST(ShippedLanguagePacks, EveryPackIsNamedAsASystemLanguage) {
  std::set<std::string> systemNames;
  for (uint32_t id = 0; id <= 0xFFFF; ++id) systemNames.insert(Narrow(LanguageNameForId(static_cast<uint16_t>(id))));
  for (const std::string& name : TranslatedPacks())
    EXPECT_TRUE(systemNames.count(name)) << name << ".lng is named as no system language";
}

// --- Texts the programs show -------------------------------------------

// C escapes as they appear in string literals and resource scripts.
std::string Unescape(const std::string& literal) {
  std::string out;
  for (size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] == '"' && i + 1 < literal.size() && literal[i + 1] == '"') {  // "" in .rc
      out += '"';
      ++i;
    } else if (literal[i] == '\\' && i + 1 < literal.size()) {
      const char c = literal[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    } else {
      out += literal[i];
    }
  }
  return out;
}

bool HasLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c) || c >= 0x80; });
}

struct SShownText {
  std::string text;
  std::string where;
};

// Texts passed to the translation functions as literals.
void ScanSource(const fs::path& file, std::vector<SShownText>& out) {
  std::ifstream in(file, std::ios::binary);
  const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static const std::regex call(R"re(\b(?:Translate|TranslateText)\(\s*L"((?:[^"\\]|\\.)*)"\s*\))re");
  for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it)
    out.push_back({Unescape((*it)[1]), file.filename().string()});
}

// Captions of dialogs, controls and menus, and string tables, in a resource script.
void ScanResourceScript(const fs::path& file, std::vector<SShownText>& out) {
  static const std::set<std::string> captioned = {
      "CAPTION",  "LTEXT",        "RTEXT",       "CTEXT",           "PUSHBUTTON", "DEFPUSHBUTTON", "GROUPBOX",
      "CHECKBOX", "AUTOCHECKBOX", "RADIOBUTTON", "AUTORADIOBUTTON", "STATE3",     "AUTO3STATE",    "CONTROL",
      "PUSHBOX",  "POPUP",        "MENUITEM"};
  static const std::regex quoted(R"re("((?:[^"]|"")*)")re");
  std::ifstream in(file, std::ios::binary);
  std::string line;
  bool inStringTable = false;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first == "STRINGTABLE") inStringTable = true;
    if (first == "END") inStringTable = false;
    const bool isMenuItem = first == "MENUITEM";
    if (!captioned.count(first) && !(inStringTable && line.find('"') != std::string::npos)) continue;
    std::smatch match;
    if (!std::regex_search(line, match, quoted)) continue;
    const std::string text = Unescape(match[1]);
    const std::string where = file.filename().string() + ":" + std::to_string(lineNumber);
    // Menu texts are translated on both sides of the first tab.
    const size_t tab = isMenuItem ? text.find('\t') : std::string::npos;
    if (tab == std::string::npos) {
      out.push_back({text, where});
    } else {
      out.push_back({text.substr(0, tab), where});
      out.push_back({text.substr(tab + 1), where});
    }
  }
}

TEST(ShippedLanguagePacks, TextsShownByTheProgramsAreInTheEnglishPack) {
  std::set<std::wstring> english;
  for (const auto& [key, text] : ReadPack("English")) english.insert(text);
  ASSERT_FALSE(english.empty());

  std::vector<SShownText> shown;
  for (const char* folder : {"app", "base", "settings", "engine", "skin", "online", "updater", "closer", "cli"}) {
    const fs::path dir = kSourceRoot / folder;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) continue;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string ext = it->path().extension().string();
      if (ext == ".cpp" || ext == ".h") ScanSource(it->path(), shown);
      if (ext == ".rc") ScanResourceScript(it->path(), shown);
    }
  }

  std::string missing;
  std::set<std::string> reported;
  for (const SShownText& item : shown) {
    if (!HasLetter(item.text) || english.count(Utf8ToWide(item.text)) || !reported.insert(item.text).second)
      continue;
    std::string packForm = item.text;
    for (size_t at = packForm.find('\n'); at != std::string::npos; at = packForm.find('\n', at))
      packForm.replace(at, 1, "\\n");
    missing += "  <key>=" + packForm + "    (" + item.where + ")\n";
  }
  EXPECT_TRUE(missing.empty()) << "Texts shown by the programs but missing from English.lng:\n" << missing;
}

}  // namespace
}  // namespace corvane
