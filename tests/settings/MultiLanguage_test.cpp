// Translation through language packs: every path of Translate, switching,
// pack enumeration, and the system-language naming rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/TextConvert.h"
#include "settings/DefaultLanguageName.h"
#include "settings/MultiLanguage.h"
#include "settings/PreferenceTable.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::wstring PackPath(const fs::path& p) {
#ifdef _WIN32
  return p.wstring();
#else
  return Utf8ToWide(p.string());
#endif
}

// A private language folder with packs written by the test (UTF-8 with BOM).
class LanguageFolderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             (std::string("corvane-lang-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    WritePack("English",
              "[Info]\nicon=en.bmp\n[String]\n12=Add...\n13=&Join...\n14=Remove\n15=Output folder:\n"
              "16=Line one\\nLine two\n17=Remove\n");
    WritePack("German",
              "[Info]\nicon=de.bmp\n[String]\n12=Hinzuf\xC3\xBCgen...\n13=&Zusammenf\xC3\xBCgen...\n14=Entfernen\n"
              "15=Ausgabeordner:\n16=Zeile eins\\nZeile zwei\n12=Doppelt\n");
    WritePack("French", "[String]\n12=Ajouter...\n13=&Joindre...\n14=\n16=Ligne un\\nLigne deux\n");
    WriteBitmap("en.bmp");
    WriteBitmap("de.bmp");
  }
  void TearDown() override { fs::remove_all(folder); }

  void WritePack(const std::string& name, const std::string& body) {
    std::ofstream(folder / (name + ".lng"), std::ios::binary) << "\xEF\xBB\xBF" << body;
  }
  // A real 16 x 16 24-bit bitmap, magenta with one coloured row.
  void WriteBitmap(const std::string& name) {
    auto u16 = [](std::string& out, uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); };
    auto u32 = [&](std::string& out, uint32_t v) { u16(out, uint16_t(v)), u16(out, uint16_t(v >> 16)); };
    const uint32_t pixels = 16 * 16 * 3;
    std::string bmp = "BM";
    u32(bmp, 54 + pixels), u32(bmp, 0), u32(bmp, 54);
    u32(bmp, 40), u32(bmp, 16), u32(bmp, 16), u16(bmp, 1), u16(bmp, 24);
    u32(bmp, 0), u32(bmp, pixels), u32(bmp, 2835), u32(bmp, 2835), u32(bmp, 0), u32(bmp, 0);
    for (int i = 0; i < 16 * 16; ++i) bmp += i < 16 ? std::string("\x10\x80\x20", 3) : std::string("\xFF\x00\xFF", 3);
    std::ofstream(folder / name, std::ios::binary) << bmp;
  }
  CMultiLanguage::SOptions Options(const std::wstring& language, CPreference* store = nullptr) {
    CMultiLanguage::SOptions options;
    options.languageFolder = PackPath(folder / "");
    options.store = store;
    options.defaultLanguage = language;
    return options;
  }

  fs::path folder;
};

TEST_F(LanguageFolderFixture, EnglishStartTranslatesNothing) {
  CMultiLanguage manager(Options(L"English"));
  EXPECT_EQ(manager.CurrentLanguageName(), L"English");
  EXPECT_EQ(manager.Translate(L"Add..."), L"Add...");
  EXPECT_EQ(manager.Translate(L""), L"");
}

TEST_F(LanguageFolderFixture, GermanStartTranslatesEnglishTexts) {
  CMultiLanguage manager(Options(L"German"));
  EXPECT_EQ(manager.PreviousLanguageName(), L"English");
  EXPECT_EQ(manager.Translate(L"Add..."), L"Hinzuf\u00fcgen...") << "first occurrence of key 12 wins";
  EXPECT_EQ(manager.Translate(L"&Join..."), L"&Zusammenf\u00fcgen...");
  EXPECT_EQ(manager.Translate(L"Line one\nLine two"), L"Zeile eins\nZeile zwei");
  EXPECT_EQ(manager.Translate(L"Not in any pack"), L"Not in any pack");
  EXPECT_EQ(manager.Translate(L""), L"");
}

TEST_F(LanguageFolderFixture, DuplicateEnglishTextKeepsItsFirstKey) {
  // "Remove" is key 14 and key 17; German has only 14.
  CMultiLanguage manager(Options(L"German"));
  EXPECT_EQ(manager.Translate(L"Remove"), L"Entfernen");
}

TEST_F(LanguageFolderFixture, GermanToFrenchGoesThroughGermanTable) {
  CMultiLanguage manager(Options(L"German"));
  manager.SelectLanguage(L"French", /*initial=*/false);
  EXPECT_EQ(manager.PreviousLanguageName(), L"German");
  EXPECT_EQ(manager.Translate(L"Hinzuf\u00fcgen..."), L"Ajouter...");
  EXPECT_EQ(manager.Translate(L"Zeile eins\nZeile zwei"), L"Ligne un\nLigne deux");
  // French lacks key 15 and has key 14 empty: the German text stays.
  EXPECT_EQ(manager.Translate(L"Ausgabeordner:"), L"Ausgabeordner:");
  EXPECT_EQ(manager.Translate(L"Entfernen"), L"Entfernen");
  // A text still in English (never translated) is found through English.
  EXPECT_EQ(manager.Translate(L"&Join..."), L"&Joindre...");
}

TEST_F(LanguageFolderFixture, BackToEnglishThroughThePreviousPack) {
  CMultiLanguage manager(Options(L"German"));
  manager.SelectLanguage(L"French", false);
  manager.SelectLanguage(L"English", false);
  EXPECT_EQ(manager.CurrentLanguageName(), L"English");
  EXPECT_EQ(manager.Translate(L"Ajouter..."), L"Add...");
  EXPECT_EQ(manager.Translate(L"&Joindre..."), L"&Join...");
  EXPECT_EQ(manager.Translate(L"Add..."), L"Add...");
}

TEST_F(LanguageFolderFixture, SelectingTheCurrentLanguageChangesNothing) {
  CMultiLanguage manager(Options(L"German"));
  manager.SelectLanguage(L"German", false);
  EXPECT_EQ(manager.PreviousLanguageName(), L"English");
  EXPECT_EQ(manager.Translate(L"Add..."), L"Hinzuf\u00fcgen...");
}

TEST_F(LanguageFolderFixture, MissingPackLeavesTextsAsGiven) {
  CMultiLanguage manager(Options(L"German"));
  manager.SelectLanguage(L"Klingon", false);
  EXPECT_EQ(manager.Translate(L"Hinzuf\u00fcgen..."), L"Hinzuf\u00fcgen...");
  EXPECT_EQ(manager.Translate(L"Add..."), L"Add...");
}

TEST_F(LanguageFolderFixture, WithoutEnglishPackNothingIsTranslatedFromEnglish) {
  fs::remove(folder / "English.lng");
  CMultiLanguage manager(Options(L"German"));
  EXPECT_EQ(manager.Translate(L"Add..."), L"Add...");
  // Texts on screen in German are still reachable after a switch.
  manager.SelectLanguage(L"French", false);
  EXPECT_EQ(manager.Translate(L"Hinzuf\u00fcgen..."), L"Ajouter...");
}

TEST_F(LanguageFolderFixture, EnumerationListsEnglishFirstAndOnce) {
  CMultiLanguage manager(Options(L"English"));
  const auto& languages = manager.Languages();
  ASSERT_EQ(languages.size(), 3u);
  EXPECT_EQ(languages[0].name, L"English");
  EXPECT_GE(languages[0].iconIndex, 0) << "English.lng's icon becomes entry 0's";
  EXPECT_EQ(manager.Icons().Count(), 2);
  const int german = manager.IndexOfLanguage(L"German");
  const int french = manager.IndexOfLanguage(L"French");
  ASSERT_GT(german, 0);
  ASSERT_GT(french, 0);
  EXPECT_GE(languages[german].iconIndex, 0);
  EXPECT_NE(languages[german].iconIndex, languages[0].iconIndex);
  EXPECT_EQ(languages[french].iconIndex, -1) << "no icon named";
  EXPECT_EQ(manager.IndexOfLanguage(L"german"), -1) << "names match exactly";
}

TEST_F(LanguageFolderFixture, UnreadableIconMeansNoImage) {
  fs::remove(folder / "de.bmp");
  CMultiLanguage manager(Options(L"English"));
  EXPECT_EQ(manager.Languages()[manager.IndexOfLanguage(L"German")].iconIndex, -1);
}

TEST_F(LanguageFolderFixture, SelectByIndexAndCurrentIndex) {
  CMultiLanguage manager(Options(L"English"));
  const int german = manager.IndexOfLanguage(L"German");
  EXPECT_TRUE(manager.IsCurrentLanguage(0));
  manager.SelectLanguageByIndex(german);
  EXPECT_TRUE(manager.IsCurrentLanguage(german));
  EXPECT_FALSE(manager.IsCurrentLanguage(0));
  EXPECT_FALSE(manager.IsCurrentLanguage(99));
  EXPECT_EQ(manager.Translate(L"Add..."), L"Hinzuf\u00fcgen...");
  manager.SelectLanguageByIndex(99);
  EXPECT_EQ(manager.CurrentLanguageName(), L"English");
  EXPECT_EQ(manager.Translate(L"Hinzuf\u00fcgen..."), L"Add...");
}

TEST_F(LanguageFolderFixture, LanguageSettingIsLoadedAndWrittenBack) {
  CMemoryPreference store;
  store.WriteString(L"Config", L"Language", L"French");
  {
    CMultiLanguage manager(Options(L"German", &store));
    EXPECT_EQ(manager.CurrentLanguageName(), L"French");
    EXPECT_EQ(manager.Translate(L"Add..."), L"Ajouter...");
    manager.SelectLanguage(L"German", false);
  }
  EXPECT_EQ(store.GetString(L"Config", L"Language", L""), L"German");
}

TEST_F(LanguageFolderFixture, EmptyStoredLanguageGivesTheDefault) {
  CMemoryPreference store;
  store.WriteString(L"Config", L"Language", L"");
  CMultiLanguage manager(Options(L"German", &store));
  EXPECT_EQ(manager.CurrentLanguageName(), L"German");
}

TEST(DefaultLanguageNameRules, PrimaryTableAndSubLanguageRules) {
  struct Case {
    uint16_t id;
    const wchar_t* name;
  };
  const Case cases[] = {
      {0x0409, L"English"},              // English, United States
      {0x2409, L"British English"},      // English, sub-language 9
      {0x0809, L"British English"},      // English, United Kingdom
      {0x3409, L"English"},              // sub 13
      {0x0407, L"German"},
      {0x0807, L"German"},
      {0x040C, L"French"},
      {0x0404, L"Chinese Traditional"},
      {0x0804, L"Chinese Simplified"},
      {0x0416, L"Portuguese Brazilian"},
      {0x0816, L"Portuguese"},
      {0x041A, L"Croatian"},             // the second 0x1A row is never reached
      {0x081A, L"Croatian"},
      {0x0C1A, L"Serbian Cyrillic"},
      {0x0480, L"Uyghur"},
      {0x0465, L"Divehi"},
      {0x0400, L"Neutral"},
      {0x0417, L"English"},              // 0x17 is not in the table
      {0x047F, L"English"},
  };
  for (const Case& c : cases) EXPECT_EQ(LanguageNameForId(c.id), c.name) << std::hex << c.id;
}

}  // namespace
}  // namespace corvane
