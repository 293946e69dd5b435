// The .po reader, the language choice, and texts and pictures in the active language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/image_cache.hpp"
#include "platform/imaging.hpp"
#include "platform/language/language.hpp"
#include "platform/language/plural_rule.hpp"
#include "platform/language/po_reader.hpp"
#include "platform/language_switch.hpp"
#include "platform/mz_functions.hpp"
#include "platform/resources.hpp"
#include "platform/system/utf.hpp"
#include "platform/ui_controls.hpp"
#include "test_support.hpp"

namespace {

std::string translationOf(const PoCatalogue& catalogue, std::u16string_view id) {
  const auto found = catalogue.translations.find(id);
  return found == catalogue.translations.end() ? "<none>" : utf8FromUtf16(found->second);
}

// Makes `language` active for one test and puts the original back after it.
class LanguageScope {
 public:
  explicit LanguageScope(std::string_view language) {
    std::string error;
    ok_ = setActiveLanguage(language, error);
  }
  ~LanguageScope() {
    std::string error;
    setActiveLanguage(OriginalLanguage, error);
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

std::string sourceFile(const std::string& relative) {
  const char* source = std::getenv("QUANDREL_SOURCE_DIR");
  if (!source) return {};
  std::ifstream file(std::string(source) + "/" + relative, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST(PoReader, ReadsEntriesWithContinuedStringsEscapesAndComments) {
  const PoCatalogue catalogue = readPoCatalogue(
      "# translator's note\r\n"
      "msgid \"\"\n"
      "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\n"
      "#: src/screen/game_window.cpp:191\n"
      "#. a comment for translators\n"
      "msgid \"营救\"\n"
      "msgstr \"Claim\"\n"
      "\n"
      "msgid \"\"\n"
      "\"感谢\"\n"
      "\"支持\"\n"
      "msgstr \"\"\n"
      "\"Thanks \"\n"
      "  \"for playing\"\n"
      "msgid \"引号\"\n"
      "msgstr \"say \\\"hi\\\"\\tthen\\\\\\nnext\\r\"\n");
  ASSERT_TRUE(catalogue.ok()) << catalogue.error;
  EXPECT_EQ(catalogue.translations.size(), 3u);
  EXPECT_EQ(translationOf(catalogue, u"营救"), "Claim");
  EXPECT_EQ(translationOf(catalogue, u"感谢支持"), "Thanks for playing");
  EXPECT_EQ(translationOf(catalogue, u"引号"), "say \"hi\"\tthen\\\nnext\r");
  EXPECT_EQ(translationOf(catalogue, u""), "<none>");  // the header is no translation
}

TEST(PoReader, FuzzyUntranslatedAndContextEntriesAreLeftOut) {
  const PoCatalogue catalogue = readPoCatalogue(
      "#, fuzzy\n"
      "msgid \"返回\"\n"
      "msgstr \"Return\"\n"
      "\n"
      "#, c-format\n"
      "msgid \"声音\"\n"
      "msgstr \"Sound\"\n"
      "msgid \"取消\"\n"
      "msgstr \"\"\n"
      "#, fuzzy, c-format\n"
      "msgid \"确定\"\n"
      "msgstr \"OK?\"\n"
      "msgctxt \"setting\"\n"
      "msgid \"移动\"\n"
      "msgstr \"Glide\"\n"
      "msgid \"关卡\"\n"
      "msgstr \"Level\"\n");
  ASSERT_TRUE(catalogue.ok()) << catalogue.error;
  EXPECT_EQ(translationOf(catalogue, u"返回"), "<none>");
  EXPECT_EQ(translationOf(catalogue, u"声音"), "Sound");
  EXPECT_EQ(translationOf(catalogue, u"取消"), "<none>");
  EXPECT_EQ(translationOf(catalogue, u"确定"), "<none>");
  EXPECT_EQ(translationOf(catalogue, u"移动"), "<none>");
  // The flag of a fuzzy entry does not carry over to the next one.
  EXPECT_EQ(translationOf(catalogue, u"关卡"), "Level");
  EXPECT_EQ(catalogue.translations.size(), 2u);
}

TEST(PoReader, PluralEntriesKeepTheirFormsInOrderAndTheHeaderItsRule) {
  const PoCatalogue catalogue = readPoCatalogue(
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Language: ru\\n\"\n"
      "\"Plural-Forms:  nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : \"\n"
      "\"n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2); \\n\"\n"
      "\n"
      "#. stars\n"
      "msgid \"{1}颗星\"\n"
      "msgid_plural \"{1}颗星\"\n"
      "msgstr[0] \"{1} звез\"\n"
      "\"да\"\n"
      "msgstr[1] \"{1} звезды\"\n"
      "msgstr[2] \"{1} звёзд\"\n"
      "msgid \"得分\"\n"
      "msgstr \"Очки\"\n"
      "#, fuzzy\n"
      "msgid \"{1}发\"\n"
      "msgid_plural \"{1}发\"\n"
      "msgstr[0] \"{1} выстрел\"\n"
      "msgstr[1] \"{1} выстрела\"\n"
      "msgstr[2] \"{1} выстрелов\"\n"
      "msgid \"{1}天\"\n"
      "msgid_plural \"{1}天\"\n"
      "msgstr[0] \"{1} день\"\n"
      "msgstr[1] \"\"\n"
      "msgstr[2] \"{1} дней\"\n"
      "msgctxt \"streak\"\n"
      "msgid \"{1}秒\"\n"
      "msgid_plural \"{1}秒\"\n"
      "msgstr[0] \"{1} секунда\"\n");
  ASSERT_TRUE(catalogue.ok()) << catalogue.error;
  EXPECT_EQ(catalogue.pluralForms,
            "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);");
  ASSERT_EQ(catalogue.plurals.size(), 1u) << "fuzzy, half-translated and context entries are left out";
  const auto stars = catalogue.plurals.find(std::u16string_view(u"{1}颗星"));
  ASSERT_NE(stars, catalogue.plurals.end());
  EXPECT_EQ(stars->second, (std::vector<std::u16string>{u"{1} звезда", u"{1} звезды", u"{1} звёзд"}));
  EXPECT_EQ(translationOf(catalogue, u"得分"), "Очки");
  EXPECT_EQ(translationOf(catalogue, u"{1}颗星"), "<none>") << "a counted word is no plain translation";
  EXPECT_EQ(catalogue.translations.size(), 1u);
}

// The forms chosen by each language's rule, and by rules that use every
// operator, where precedence, grouping and C's short cut decide the result.
TEST(PluralRule, EachRuleChoosesTheFormOfEveryCount) {
  struct Case {
    const char* header;
    std::vector<std::pair<uint64_t, size_t>> forms;  // count -> form
  };
  const Case cases[] = {
      {"nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
       {{1, 0}, {2, 1}, {5, 2}, {11, 2}, {21, 0}, {22, 1}, {25, 2}, {0, 2}, {12, 2}, {104, 1}, {111, 2}, {1001, 0}}},
      {"nplurals=2; plural=(n > 1);", {{0, 0}, {1, 0}, {2, 1}, {100, 1}}},
      {"nplurals=2; plural=(n != 1);", {{0, 1}, {1, 0}, {2, 1}}},
      {"nplurals=1; plural=0;", {{0, 0}, {1, 0}, {7, 0}}},
      {"  nplurals = 2 ;plural = ( n>1 )  ", {{1, 0}, {2, 1}}},
      {"nplurals=2; plural=!(n >= 3)", {{2, 1}, {3, 0}}},
      {"nplurals=2; plural=!!n;", {{0, 0}, {9, 1}}},
      {"nplurals=6; plural=n+1*2;", {{1, 3}}},
      {"nplurals=6; plural=10-n-3;", {{2, 5}}},
      {"nplurals=4; plural=n==1 ? 0 : n==2 ? 1 : n<=5 ? 2 : 3;", {{1, 0}, {2, 1}, {4, 2}, {5, 2}, {9, 3}}},
      {"nplurals=2; plural=n/2%2;", {{4, 0}, {6, 1}, {7, 1}}},
      {"nplurals=2; plural=n != 0 && 10/n > 3;", {{0, 0}, {2, 1}, {5, 0}}},
      {"nplurals=2; plural=n == 0 || 10/n < 3;", {{0, 1}, {2, 0}, {5, 1}}},
      {"nplurals=2; plural=n<2 == 0;", {{1, 0}, {3, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    const std::optional<PluralRule> rule = PluralRule::read(c.header);
    ASSERT_TRUE(rule.has_value());
    for (const auto& [n, form] : c.forms) EXPECT_EQ(rule->formFor(n), form) << "n = " << n;
  }
  // Deep but within the bounds.
  const std::string nested = std::string(30, '(') + "n > 1" + std::string(30, ')');
  ASSERT_TRUE(PluralRule::read("nplurals=2; plural=" + nested).has_value());
  EXPECT_EQ(PluralRule::read("nplurals=2; plural=" + nested)->formFor(2), 1u);
}

TEST(PluralRule, ADamagedHeaderIsRefusedAndAFailingCountHasNoForm) {
  const std::string tooDeep = std::string(PluralRule::MaxDepth + 1, '(') + "n" + std::string(PluralRule::MaxDepth + 1, ')');
  std::string tooLarge = "n";
  for (size_t i = 0; i < PluralRule::MaxNodes; ++i) tooLarge += "+1";
  for (const std::string& damaged : std::vector<std::string>{
           "", "nplurals=2;", "plural=(n != 1);", "nplurals=0; plural=0;", "nplurals=7; plural=0;",
           "nplurals=x; plural=0;", "nplurals=2 plural=n;", "nplurals=2; plural=(n != 1;", "nplurals=2; plural=n != 1);",
           "nplurals=2; plural=n ? 1;", "nplurals=2; plural=n ? 1 :;", "nplurals=2; plural=m;", "nplurals=2; plural=n = 1;",
           "nplurals=2; plural=1 2;", "nplurals=2; plural=n & 1;", "nplurals=2; plural=;", "nplurals=2; plural=-n;",
           "nplurals=2; plural=99999999999999999999999;", "nplurals=2; plural=n != 1; garbage",
           "nplurals=2; plural=" + tooDeep, "nplurals=2; plural=" + std::string(60, '!') + "n",
           "nplurals=2; plural=" + tooLarge}) {
    EXPECT_FALSE(PluralRule::read(damaged).has_value()) << damaged;
  }
  const std::optional<PluralRule> divides = PluralRule::read("nplurals=2; plural=n/(n-1);");
  ASSERT_TRUE(divides.has_value());
  EXPECT_EQ(divides->formFor(1), std::nullopt) << "a division by zero";
  EXPECT_EQ(divides->formFor(0), 0u) << "unsigned, as gettext counts: 0/(2^64-1)";
  EXPECT_EQ(divides->formFor(2), std::nullopt) << "a form beyond nplurals";
  EXPECT_EQ(PluralRule::read("nplurals=2; plural=n%0;")->formFor(3), std::nullopt);
}

// A catalogue's rule with its language's behind it: whatever the header, every
// count has a form of the language's own rule.
TEST(PluralRule, ALanguageFallsBackToItsOwnRuleThenToEnglishs) {
  struct Case {
    const char* language;
    const char* header;
    std::vector<size_t> forms;  // for the counts 0, 1, 2, 5, 21
  };
  const Case cases[] = {
      {"ru", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
       {2, 0, 1, 2, 0}},
      {"ru", "", {2, 0, 1, 2, 0}},
      {"ru", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 :", {2, 0, 1, 2, 0}},
      // Decides 0 and 21, divides by zero on 2, names a fourth form on 5.
      {"ru", "nplurals=3; plural=10/(n-2);", {0, 0, 1, 2, 0}},
      {"fr", "broken", {0, 0, 1, 1, 1}},
      {"pt", "nplurals=2; plural=n;", {0, 1, 1, 1, 1}},
      {"ja", "nplurals=1; plural=n;", {0, 0, 0, 0, 0}},
      {"en", "nplurals=2; plural=n > 1;", {0, 0, 1, 1, 1}},  // the header decides where it can
      {"de", "", {1, 0, 1, 1, 1}},
      {"nl", "nplurals=2; plural=1/0;", {1, 0, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + ": " + c.header);
    const LanguagePlurals plurals(c.language, c.header);
    const uint64_t counts[] = {0, 1, 2, 5, 21};
    for (size_t i = 0; i < std::size(counts); ++i) EXPECT_EQ(plurals.formFor(counts[i]), c.forms[i]) << counts[i];
  }
}

TEST(PoReader, MalformedCataloguesFailWithTheLineAndKeepNothing) {
  struct Case {
    std::string text;
    std::string error;  // counting the seven lines of the header and the good entries before it
  };
  const Case cases[] = {
      {"msgid \"a\"\nmsgstr \"b\"\nmsgid \"c\nmsgstr \"d\"\n", "line 10: a string must be one quoted text"},
      {"msgstr \"b\"\n", "line 8: msgstr without a msgid"},
      {"msgid \"a\"\nmsgid \"b\"\nmsgstr \"c\"\n", "line 9: an entry without its msgstr"},
      {"msgid \"a\"\n", "line 8: the last entry has no msgstr"},
      {"msgid \"a\"\nmsgtxt \"b\"\n", "line 9: unknown keyword 'msgtxt'"},
      {"msgid \"a\"\nmsgstr \"b\\q\"\n", "line 9: unknown escape \\q"},
      {"msgid \"a\"\nmsgstr \"b\"c\"\n", "line 9: an unescaped quote"},
      {"msgid \"a\"\nmsgstr \"b\\\"\n", "line 9: a backslash at the end"},
      {"msgid \"a\"\nmsgstr\n", "line 9: 'msgstr' without its quoted string"},
      {"#, fuzzy\n\"orphan\"\n", "line 9: a string continues no msgid"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr \"b\"\n", "line 10: a plural entry's msgstr without its [N]"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[1] \"b\"\n", "line 10: msgstr[1] out of order"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\nmsgstr[2] \"c\"\n", "line 11: msgstr[2] out of order"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\nmsgstr[0] \"c\"\n", "line 11: msgstr[0] out of order"},
      {"msgid \"a\"\nmsgstr[0] \"b\"\n", "line 9: msgstr[N] without a msgid_plural"},
      {"msgid \"a\"\nmsgstr \"b\"\nmsgstr[1] \"c\"\n", "line 10: msgstr[N] without a msgid_plural"},
      {"msgid_plural \"as\"\nmsgstr[0] \"b\"\n", "line 8: msgid_plural without a msgid"},
      {"msgid \"a\"\nmsgid_plural \"as\"\n", "line 9: the last entry has no msgstr"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgid \"b\"\n", "line 10: an entry without its msgstr"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[x] \"b\"\n", "line 10: 'msgstr[x]' is not msgstr[N]"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[10] \"b\"\n", "line 10: 'msgstr[10]' is not msgstr[N]"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"1\"\nmsgstr[1] \"2\"\nmsgstr[2] \"3\"\nmsgstr[3] \"4\"\n"
       "msgstr[4] \"5\"\nmsgstr[5] \"6\"\nmsgstr[6] \"7\"\n",
       "line 16: more plural forms than a language has"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"\xC3\"\n", "not UTF-8"},
      {"msgid \"a\"\nmsgstr \"\xC3\x28\"\n", "not UTF-8"},
      {"msgid \"\xED\xA0\x80\"\nmsgstr \"b\"\n", "not UTF-8"},
  };
  for (const Case& bad : cases) {
    SCOPED_TRACE(bad.text);
    const PoCatalogue catalogue = readPoCatalogue(
        "msgid \"\"\nmsgstr \"Plural-Forms: nplurals=1; plural=0;\\n\"\n"
        "msgid \"好\"\nmsgstr \"good\"\n"
        "msgid \"{1}天\"\nmsgid_plural \"{1}天\"\nmsgstr[0] \"{1} days\"\n" +
        bad.text);
    EXPECT_FALSE(catalogue.ok());
    EXPECT_NE(catalogue.error.find(bad.error), std::string::npos) << catalogue.error;
    // The good entries before the fault are dropped too: a half-read catalogue is not shown.
    EXPECT_TRUE(catalogue.translations.empty());
    EXPECT_TRUE(catalogue.plurals.empty());
    EXPECT_EQ(catalogue.pluralForms, "");
  }
  EXPECT_TRUE(readPoCatalogue("").ok());
}

TEST(LanguageChoice, TheFirstKnownLanguageOfALocaleListWinsElseEnglish) {
  EXPECT_EQ(languageForLocales("zh_CN.UTF-8"), "zh");
  EXPECT_EQ(languageForLocales("zh_TW"), "zh");
  EXPECT_EQ(languageForLocales("ZH-hk"), "zh");
  EXPECT_EQ(languageForLocales("en_GB.UTF-8"), "en");
  EXPECT_EQ(languageForLocales("de_DE@euro"), "de");
  EXPECT_EQ(languageForLocales("pt_BR.UTF-8"), "pt");
  EXPECT_EQ(languageForLocales("pt_PT"), "pt");
  EXPECT_EQ(languageForLocales("pt"), "pt");
  EXPECT_EQ(languageForLocales("nl_NL.UTF-8"), "en");
  EXPECT_EQ(languageForLocales("C"), "en");
  EXPECT_EQ(languageForLocales("POSIX"), "en");
  EXPECT_EQ(languageForLocales("C.UTF-8"), "en");
  EXPECT_EQ(languageForLocales(""), "en");
  EXPECT_EQ(languageForLocales("nl:zh_CN:en"), "zh");
  EXPECT_EQ(languageForLocales("nl::ja_JP:zh"), "ja");
}

TEST(LanguageChoice, TheFirstNonEmptyVariableDecidesInGettextOrder) {
  std::map<std::string, std::string> environment;
  const auto lookup = [&environment](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  };
  EXPECT_EQ(languageFromEnvironment(lookup), "en");
  environment["LANG"] = "zh_CN.UTF-8";
  EXPECT_EQ(languageFromEnvironment(lookup), "zh");
  environment["LC_MESSAGES"] = "en_US.UTF-8";
  EXPECT_EQ(languageFromEnvironment(lookup), "en");
  environment["LC_ALL"] = "zh_SG";
  EXPECT_EQ(languageFromEnvironment(lookup), "zh");
  environment["LANGUAGE"] = "";  // empty counts as unset
  EXPECT_EQ(languageFromEnvironment(lookup), "zh");
  environment["LANGUAGE"] = "C";
  EXPECT_EQ(languageFromEnvironment(lookup), "en");
}

TEST(ActiveLanguage, OnlyKnownLanguagesCanBeChosen) {
  const std::vector<std::string> known = knownLanguages();
  EXPECT_NE(std::find(known.begin(), known.end(), "zh"), known.end());
  for (const char* language : {"en", "es", "pt", "fr", "de", "ja", "ko", "ru"})
    EXPECT_NE(std::find(known.begin(), known.end(), language), known.end()) << language;
  std::string error;
  EXPECT_FALSE(setActiveLanguage("nl", error));
  EXPECT_EQ(error, "unknown language 'nl'");
  EXPECT_EQ(activeLanguage(), "zh");
  EXPECT_TRUE(originalLanguageActive());
}

TEST(ActiveLanguage, TextsShowTranslatedOnlyWhileTheirLanguageIsActive) {
  EXPECT_EQ(translatedText(u"营救"), u"营救");
  {
    LanguageScope english("en");
    ASSERT_TRUE(english.ok());
    EXPECT_EQ(activeLanguage(), "en");
    EXPECT_EQ(translatedText(u"营救"), u"Claim");
    EXPECT_EQ(translatedText(u"游戏已暂停"), u"Paused");
    EXPECT_EQ(translatedText(u"1250"), u"1250");  // not in the catalogue: as written
  }
  EXPECT_EQ(translatedText(u"营救"), u"营救");
}

TEST(ActiveLanguage, EachCatalogueLanguageHasItsPoFileByteForByte) {
  const std::span<const std::string_view> languages = catalogueLanguages();
  EXPECT_TRUE(std::is_sorted(languages.begin(), languages.end()));
  EXPECT_EQ(languages.size(), knownLanguages().size() - 1);  // all but the original
  for (std::string_view language : languages) {
    std::string text;
    ASSERT_TRUE(readCatalogueText(language, text)) << language;
    const std::string file = sourceFile("po/" + std::string(language) + ".po");
    ASSERT_FALSE(file.empty()) << language;
    EXPECT_EQ(text, file) << language;
  }
  std::string text;
  EXPECT_FALSE(readCatalogueText("nl", text));
}

TEST(ActiveLanguage, TheCompiledCatalogueTranslatesEveryEntryOfItsFile) {
  const std::string file = sourceFile("po/en.po");
  ASSERT_FALSE(file.empty());
  const PoCatalogue catalogue = readPoCatalogue(file);
  ASSERT_TRUE(catalogue.ok()) << catalogue.error;
  ASSERT_GT(catalogue.translations.size(), 20u);
  LanguageScope english("en");
  for (const auto& [original, translation] : catalogue.translations)
    EXPECT_EQ(translatedText(original), translation) << utf8FromUtf16(original);
  for (const auto& [original, forms] : catalogue.plurals) {
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(translatedPlural(original, 1), forms[0]) << utf8FromUtf16(original);
    EXPECT_EQ(translatedPlural(original, 7), forms[1]) << utf8FromUtf16(original);
  }
}

TEST(ActiveLanguage, CountedWordsTakeTheFormOfTheirCount) {
  EXPECT_EQ(translatedPlural(u"{1}颗星", 1), u"{1}颗星") << "the original has one form";
  struct Case {
    const char* language;
    int64_t count;
    std::u16string_view form;
  };
  // One count for each form of a language; which count takes which form is
  // the rules' own tables' (PluralRule above).
  const Case cases[] = {
      {"en", 1, u"{1} star"},   {"en", 2, u"{1} stars"},   {"en", -1, u"{1} star"}, {"en", -3, u"{1} stars"},
      {"ru", 1, u"{1} звезда"}, {"ru", 2, u"{1} звезды"},  {"ru", 5, u"{1} звёзд"}, {"fr", 0, u"{1} étoile"},
      {"fr", 2, u"{1} étoiles"}, {"ja", 2, u"星{1}個"},     {"ko", 0, u"별 {1}개"},
  };
  for (const Case& c : cases) {
    LanguageScope scope(c.language);
    ASSERT_TRUE(scope.ok()) << c.language;
    EXPECT_EQ(translatedPlural(u"{1}颗星", c.count), c.form) << c.language << " " << c.count;
    EXPECT_EQ(translatedPlural(u"得分", c.count), u"得分") << "a plain text is no counted word";
    EXPECT_EQ(translatedPlural(u"{1}只猫", c.count), u"{1}只猫") << "not in the catalogue: as written";
  }
}

// Each catalogue's header names its language's own rule, and each of its
// counted words has as many forms as that rule.
TEST(ActiveLanguage, EachCataloguesPluralRuleIsItsLanguagesOwn) {
  for (std::string_view language : catalogueLanguages()) {
    SCOPED_TRACE(language);
    std::string text;
    ASSERT_TRUE(readCatalogueText(language, text));
    const PoCatalogue catalogue = readPoCatalogue(text);
    ASSERT_TRUE(catalogue.ok()) << catalogue.error;
    const std::optional<PluralRule> rule = PluralRule::read(catalogue.pluralForms);
    ASSERT_TRUE(rule.has_value()) << catalogue.pluralForms;
    const LanguagePlurals fromHeader(language, catalogue.pluralForms);
    const LanguagePlurals own(language, "");
    for (uint64_t n = 0; n <= 1000; ++n) ASSERT_EQ(fromHeader.formFor(n), own.formFor(n)) << "n = " << n;
    EXPECT_GE(catalogue.plurals.size(), 6u);
    for (const auto& [original, forms] : catalogue.plurals) EXPECT_EQ(forms.size(), rule->forms()) << utf8FromUtf16(original);
  }
}

TEST(ActiveLanguage, DrawnTextComesOutInTheActiveLanguage) {
  const MzRect area = rectOf(0, 0, 240, 60);
  Canvas asWritten, asEnglish, direct;
  {
    LanguageScope english("en");
    asEnglish.drawText(u"营救", area, 28, 0xFFFFFF);
  }
  asWritten.drawText(u"营救", area, 28, 0xFFFFFF);
  direct.drawText(u"Claim", area, 28, 0xFFFFFF);
  const auto same = [&](const Canvas& a, const Canvas& b) {
    for (int32_t y = area.top; y < area.bottom; ++y)
      for (int32_t x = area.left; x < area.right; ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
  };
  EXPECT_TRUE(same(asEnglish, direct));
  EXPECT_FALSE(same(asWritten, direct));
}

TEST(LocalizedPictures, AFileUnderImagesHasItsVariantInTheLanguagesFolder) {
  std::u16string variant = u"untouched";
  EXPECT_FALSE(localizedImagePath(u"/opt/q/Images/start.png", variant));
  EXPECT_EQ(variant, u"untouched");
  LanguageScope english("en");
  ASSERT_TRUE(localizedImagePath(u"/opt/q/Images/start.png", variant));
  EXPECT_EQ(variant, u"/opt/q/Images/en/start.png");
  ASSERT_TRUE(localizedImagePath(u"C:\\q\\Images\\sub\\a.png", variant));
  EXPECT_EQ(variant, u"C:\\q\\Images\\en/sub\\a.png");
  ASSERT_TRUE(localizedImagePath(u"/Images/x/Images/b.png", variant));
  EXPECT_EQ(variant, u"/Images/x/Images/en/b.png");
  EXPECT_FALSE(localizedImagePath(u"/opt/q/MyImages/start.png", variant));
  EXPECT_FALSE(localizedImagePath(u"/opt/q/Sounds/exit.wav", variant));
}

TEST(LocalizedPictures, LoadingPrefersTheLanguagesPictureAndFallsBackToTheOriginal) {
  ScratchDirectory scratch;
  std::filesystem::create_directories(scratch.path() / "Images" / "en");
  scratch.writePng("Images/start.png", 2, 2, 0xFF0000FF);     // red
  scratch.writePng("Images/en/start.png", 2, 2, 0xFFFF0000);  // blue
  scratch.writePng("Images/bg.png", 2, 2, 0xFF00FF00);        // green, no variant
  const std::u16string start = scratch.path().u16string() + u"/Images/start.png";
  const std::u16string background = scratch.path().u16string() + u"/Images/bg.png";
  ImagingHelper picture;
  ASSERT_TRUE(picture.LoadImageW(start.c_str()));
  EXPECT_EQ(picture.image()->pixels[0], packRgba(255, 0, 0, 255));
  {
    LanguageScope english("en");
    ASSERT_TRUE(picture.LoadImageW(start.c_str()));
    EXPECT_EQ(picture.image()->pixels[0], packRgba(0, 0, 255, 255));
    ASSERT_TRUE(picture.LoadImageW(background.c_str()));
    EXPECT_EQ(picture.image()->pixels[0], packRgba(0, 255, 0, 255));
    // Looking for the missing variant again reads no file.
    const uint64_t reads = imageCache().fileReadCount();
    ASSERT_TRUE(picture.LoadImageW(background.c_str()));
    EXPECT_EQ(imageCache().fileReadCount(), reads);
  }
  ASSERT_TRUE(picture.LoadImageW(start.c_str()));
  EXPECT_EQ(picture.image()->pixels[0], packRgba(255, 0, 0, 255));
}

TEST(LocalizedPictures, TheExecutablesResourcesTakeTheLanguagesVariantById) {
  EXPECT_EQ(compiledResourcesFor("zh"), nullptr);
  EXPECT_EQ(compiledResourcesFor("nl"), nullptr);
  const ResourceTable* english = compiledResourcesFor("en");
  if (!english) GTEST_SKIP() << "no English resources compiled in";
  const ResourceTable& original = compiledResources();
  for (size_t i = 1; i < english->entries.size(); ++i)
    EXPECT_LT(english->entries[i - 1].id, english->entries[i].id);
  LanguageScope scope("en");
  for (const ResourceEntry& entry : english->entries) {
    SCOPED_TRACE(entry.id);
    EXPECT_FALSE(original.find(entry.id).empty()) << "a variant of no resource";
    ImageContainer container;
    const ImagingHelper* loaded = container.LoadImageW(MzGetInstanceHandle(), entry.id);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->image(), imageCache().fromResource(*english, entry.id));
    EXPECT_NE(loaded->image(), imageCache().fromResource(original, entry.id));
  }
}

TEST(LocalizedPictures, ATableOtherThanTheExecutablesHasNoVariants) {
  const ResourceTable& original = compiledResources();
  ASSERT_FALSE(original.entries.empty());
  const ResourceEntry first = original.entries.front();
  const ResourceEntry copy[] = {first};
  const ResourceTable own{copy};
  LanguageScope english("en");
  ImageContainer container;
  const ImagingHelper* loaded = container.LoadImageW(&own, first.id);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->image(), imageCache().fromResource(original, first.id));
}

// A change of language while pictures are loaded: every live handle, from a
// file or a resource, and every still picture shows its new variant at once;
// a handle given a picture directly keeps it; texts follow at the next paint.
TEST(LanguageSwitch, LoadedPicturesAndTextsChangeAtOnce) {
  const ResourceTable* english = compiledResourcesFor("en");
  if (!english) GTEST_SKIP() << "no English resources compiled in";
  ScratchDirectory scratch;
  std::filesystem::create_directories(scratch.path() / "Images" / "en");
  scratch.writePng("Images/start.png", 2, 2, 0xFF0000FF);     // red
  scratch.writePng("Images/en/start.png", 2, 2, 0xFFFF0000);  // blue
  const std::u16string start = scratch.path().u16string() + u"/Images/start.png";
  const uint32_t worded = english->entries.front().id;

  ImagingHelper picture;
  ASSERT_TRUE(picture.LoadImageW(start.c_str()));
  UiPicture still;
  ASSERT_TRUE(still.LoadImageW(start.c_str()));
  ImageContainer buttons;
  const ImagingHelper* button = buttons.LoadImageW(MzGetInstanceHandle(), worded);
  ASSERT_NE(button, nullptr);
  ImagingHelper assigned;
  const Image* own = picture.image();
  assigned.Assign(own);
  const std::u16string_view claim = translatedText(u"营救");
  EXPECT_EQ(claim, u"营救");

  std::string error;
  ASSERT_TRUE(switchLanguage("en", error)) << error;
  EXPECT_EQ(picture.image()->pixels[0], packRgba(0, 0, 255, 255));
  EXPECT_EQ(still.image()->pixels[0], packRgba(0, 0, 255, 255));
  EXPECT_EQ(button->image(), imageCache().fromResource(*english, worded));
  EXPECT_EQ(assigned.image(), own);
  EXPECT_EQ(translatedText(u"营救"), u"Claim");

  ASSERT_TRUE(switchLanguage("zh", error)) << error;
  EXPECT_EQ(picture.image()->pixels[0], packRgba(255, 0, 0, 255));
  EXPECT_EQ(button->image(), imageCache().fromResource(compiledResources(), worded));
  EXPECT_FALSE(switchLanguage("xx", error));
  EXPECT_EQ(activeLanguage(), "zh");
}

TEST(LanguageSwitch, NextLanguageStepsThroughTheKnownOnesAndWrapsRound) {
  const std::vector<std::string> known = knownLanguages();
  ASSERT_GE(known.size(), 2u);
  std::string error;
  std::vector<std::string> visited;
  for (size_t i = 0; i < known.size(); ++i) {
    const std::string next = nextLanguage();
    visited.push_back(next);
    ASSERT_TRUE(switchLanguage(next, error));
  }
  std::vector<std::string> sorted = visited;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, known);
  EXPECT_EQ(activeLanguage(), OriginalLanguage);
}

}  // namespace
