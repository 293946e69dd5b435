// Random well-formed sections, keys and values, written, changed and deleted, always read back
// as last written. Seeded, so every run checks the same sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

// Keys end in a tag "<n>" and no other text holds "<", so no key can be found inside another
// key or a value: the reader's substring search would otherwise match there by design.
const std::u16string SectionLetters = u"abcXYZ019 _-.:@=#!\u00E9\u00DF\u6E38\u620F\U0001F3B5";
const std::u16string KeyLetters = u"abcXYZ019 _-.:@#![]\u00E9\u6E38";
const std::u16string ValueLetters = u"abcXYZ019 _-.:@=#![]\t\u00E9\u6E38\U0001F3B5";

struct Key {
  std::u16string name;
  std::u16string value;
};
struct Section {
  std::u16string name;
  std::vector<Key> keys;
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random(seed) {}

  size_t below(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(random); }

  std::u16string text(const std::u16string& letters, size_t minLength, size_t maxLength) {
    std::u16string out;
    const size_t length = minLength + below(maxLength - minLength + 1);
    while (out.size() < length) {
      size_t at = below(letters.size());
      // Take whole surrogate pairs.
      if (letters[at] >= 0xDC00 && letters[at] <= 0xDFFF) --at;
      out += letters[at];
      if (letters[at] >= 0xD800 && letters[at] <= 0xDBFF) out += letters[at + 1];
    }
    return out;
  }
  std::u16string sectionName() { return text(SectionLetters, 1, 12); }
  // Random letters and a unique "<n>" tag, appended in place.
  std::u16string keyName() {
    std::u16string name = text(KeyLetters, 0, 8);
    name += u'<';
    for (const char digit : std::to_string(nextTag++)) name += static_cast<char16_t>(digit);
    name += u'>';
    return name;
  }
  std::u16string value() { return text(ValueLetters, 0, 16); }

 private:
  std::mt19937 random;
  int nextTag = 0;
};

class IniProperty : public ::testing::TestWithParam<unsigned> {
 protected:
  void expectFileMatchesModel() {
    ASSERT_EQ(IniCountSections(path.c_str()), static_cast<int32_t>(model.size()));
    for (size_t index = 0; index < model.size(); ++index) {
      char16_t name[64];
      IniSectionName(name, 64, static_cast<int32_t>(index), path.c_str());
      EXPECT_EQ(std::u16string(name), model[index].name);
      EXPECT_TRUE(IniHasSection(model[index].name.c_str(), path.c_str()));
      for (const Key& key : model[index].keys) {
        EXPECT_EQ(readValue(model[index].name.c_str(), key.name.c_str(), path), key.value);
      }
    }
    for (const auto& [section, key] : deleted) EXPECT_EQ(readValue(section.c_str(), key.c_str(), path), u"<none>");
  }

  Section& pickSection(Generator& generate) {
    if (model.empty() || generate.below(4) == 0) {
      std::u16string name;
      do name = generate.sectionName();
      while (std::any_of(model.begin(), model.end(), [&](const Section& s) { return s.name == name; }));
      model.push_back({name, {}});
      return model.back();
    }
    return model[generate.below(model.size())];
  }

  TempDir dir;
  std::u16string path = dir.wideFile("p.ini");
  std::vector<Section> model;
  std::vector<std::pair<std::u16string, std::u16string>> deleted;
};

TEST_P(IniProperty, WhatIsWrittenIsReadBack) {
  Generator generate(GetParam());
  ASSERT_TRUE(IniEnsureFile(path.c_str()));
  for (int step = 0; step < 200; ++step) {
    const size_t action = generate.below(20);
    if (action < 14) {
      Section& section = pickSection(generate);
      Key* key = nullptr;
      if (section.keys.empty() || generate.below(2) == 0) {
        section.keys.push_back({generate.keyName(), {}});
        key = &section.keys.back();
      } else {
        key = &section.keys[generate.below(section.keys.size())];
      }
      if (action < 11) {
        key->value = generate.value();
        ASSERT_TRUE(IniWriteString(section.name.c_str(), key->name.c_str(), key->value.c_str(), path.c_str()));
      } else {
        const auto number = static_cast<int32_t>(generate.below(2000001)) - 1000000;
        const std::string digits = std::to_string(number);
        key->value.assign(digits.begin(), digits.end());
        ASSERT_TRUE(IniWriteInt(section.name.c_str(), key->name.c_str(), number, path.c_str()));
        int32_t read = 0;
        EXPECT_TRUE(IniReadInt(section.name.c_str(), key->name.c_str(), &read, path.c_str()));
        EXPECT_EQ(read, number);
      }
      EXPECT_EQ(readValue(section.name.c_str(), key->name.c_str(), path), key->value);
    } else if (action < 18 && !model.empty()) {
      Section& section = model[generate.below(model.size())];
      if (section.keys.empty()) continue;
      const size_t index = generate.below(section.keys.size());
      ASSERT_TRUE(IniWriteString(section.name.c_str(), section.keys[index].name.c_str(), nullptr, path.c_str()));
      deleted.emplace_back(section.name, section.keys[index].name);
      section.keys.erase(section.keys.begin() + static_cast<std::ptrdiff_t>(index));
    } else if (!model.empty()) {
      const size_t index = generate.below(model.size());
      ASSERT_TRUE(IniWriteString(model[index].name.c_str(), nullptr, nullptr, path.c_str()));
      for (const Key& key : model[index].keys) deleted.emplace_back(model[index].name, key.name);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
    }
    if (step % 10 == 9) expectFileMatchesModel();
    if (HasFailure()) FAIL() << "seed " << GetParam() << ", step " << step;
  }
  expectFileMatchesModel();
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"p.ini"});
}

INSTANTIATE_TEST_SUITE_P(Seeds, IniProperty, ::testing::Values(1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u));

}  // namespace
