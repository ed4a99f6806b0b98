// The shipped language packs: complete translations, and every text the
// programs show present in English.lng.
//
// When TextsShownByTheProgramsAreInTheEnglishPack fails, add the listed
// lines to resources/language/English.lng (and translate them in the other
// packs, which PacksTranslateEveryEnglishKey then asks for).
#include <gtest/gtest.h>

#include <algorithm>
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

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = fs::path(CORVANE_TEST_DATA).parent_path().parent_path();
const fs::path kPackFolder = kSourceRoot / "resources" / "language";
const char* const kTranslatedPacks[] = {"German", "French"};

std::wstring WidePath(const fs::path& p) {
#ifdef _WIN32
  return p.wstring();
#else
  return Utf8ToWide(p.string());
#endif
}

std::map<std::wstring, std::wstring> ReadPack(const std::string& name) {
  CIniReader reader;
  std::map<std::wstring, std::wstring> strings;
  if (!reader.Open(WidePath(kPackFolder / (name + ".lng")))) return strings;
  for (auto& [key, text] : reader.ReadSection(L"String")) strings.emplace(key, text);
  return strings;
}

size_t Count(const std::wstring& text, const std::wstring& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

TEST(ShippedLanguagePacks, PacksTranslateEveryEnglishKey) {
  const auto english = ReadPack("English");
  ASSERT_GT(english.size(), 50u) << "English.lng missing or unreadable in " << kPackFolder;
  for (const char* name : kTranslatedPacks) {
    const auto pack = ReadPack(name);
    for (const auto& [key, text] : english) {
      auto it = pack.find(key);
      ASSERT_NE(it, pack.end()) << name << ".lng lacks key " << WideToUtf8(key);
      EXPECT_FALSE(it->second.empty()) << name << " key " << WideToUtf8(key);
      // Keyboard accelerators and format fields must survive translation.
      EXPECT_EQ(Count(it->second, L"&"), Count(text, L"&")) << name << " key " << WideToUtf8(key);
      EXPECT_EQ(Count(it->second, L"%s"), Count(text, L"%s")) << name << " key " << WideToUtf8(key);
    }
    for (const auto& [key, text] : pack)
      EXPECT_TRUE(english.count(key)) << name << ".lng has key " << WideToUtf8(key) << " that English lacks";
  }
}

TEST(ShippedLanguagePacks, EachPackNamesAnIconThatExists) {
  for (const char* name : {"English", "German", "French"}) {
    CIniReader reader;
    ASSERT_TRUE(reader.Open(WidePath(kPackFolder / (std::string(name) + ".lng")))) << name;
    const std::wstring icon = reader.GetString(L"Info", L"icon", L"");
    ASSERT_FALSE(icon.empty()) << name;
    std::ifstream bitmap(kPackFolder / WideToUtf8(icon), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(bitmap)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 54u + 16 * 16 * 3) << name << ": a 16 x 16 24-bit bitmap";
    EXPECT_EQ(bytes.substr(0, 2), "BM");
  }
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
