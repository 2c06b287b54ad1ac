#include "util/cls_registry_io.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

using fake::ShownBox;
using fake::StoredValue;
namespace mb = platform::mb;

constexpr std::int32_t kHkcr = INT32_MIN;
const std::string kKey = "BrenvicVisio";

std::vector<unsigned char> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// A string value as stored with its terminating zero.
StoredValue Sz(const std::string& text) {
  return {fake::kRegSz, Bytes(text + '\0')};
}

ShownBox Box(const std::wstring& text, std::uint32_t style) {
  return {text, L"Brenvic Visio", style};
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    io.ClassKey(io.HKEY_CLASSES_ROOT());
    io.SectionKey(L"BrenvicVisio");
  }
  // Every operation closes what it opened.
  void TearDown() override { EXPECT_EQ(fp().registry.OpenKeys(), 0u); }

  fake::FakePlatform& fp() { return *platform_; }
  // A clean registry for one case of a table; the old one is uninstalled first.
  fake::FakePlatform& Fresh() {
    EXPECT_EQ(fp().registry.OpenKeys(), 0u);
    platform_.reset();
    return platform_.emplace();
  }

  std::optional<fake::FakePlatform> platform_{std::in_place};
  cls_RegistryIO io;
};

TEST_F(RegistryTest, NoRootReadsNothingSilently) {
  fp().registry.SetString(kHkcr, "", "", "root default");
  cls_RegistryIO unset;
  std::vector<std::array<std::wstring, 2>> values = {{L"stale", L"stale"}};
  std::vector<std::wstring> sections = {L"stale"};
  std::int16_t value_count = 9;
  std::int16_t section_count = 9;
  EXPECT_FALSE(unset.KeyExists());
  EXPECT_EQ(unset.Value(), L"");
  unset.EnumerateValues(values, value_count);
  unset.EnumerateSections(sections, section_count);
  EXPECT_TRUE(values.empty());
  EXPECT_TRUE(sections.empty());
  EXPECT_EQ(value_count, 0);
  EXPECT_EQ(section_count, 0);
  EXPECT_TRUE(fp().dialogs.Shown().empty());
  // Nothing was opened, so nothing is closed.
  EXPECT_EQ(fp().faults.CountOf("RegCloseKey"), 0);
}

TEST_F(RegistryTest, KeyExistsWhenItOpensForReading) {
  fp().registry.AddKey(kHkcr, "Visio.Drawing\\CurVer");
  fp().registry.DenyAccess(kHkcr, "Locked", fake::kKeyQueryValue);
  struct Case {
    std::wstring path;
    bool exists;
  };
  const Case cases[] = {{L"visio.drawing\\curver", true},
                        {L"Visio.Drawing", true},
                        {L"", true},
                        {L"Visio.Drawing\\Missing", false},
                        {L"Locked", false}};
  for (const Case& c : cases) {
    io.SectionKey(c.path);
    EXPECT_EQ(io.KeyExists(), c.exists) << platform::Ansi(c.path);
  }
}

TEST_F(RegistryTest, ValueReadsTrimmedTextOfTheExactName) {
  const std::string s254(254, 's');
  const std::string s255(255, 's');
  struct Case {
    std::string stored_name;
    std::uint32_t type;
    std::vector<unsigned char> bytes;
    std::wstring wanted_name;
    std::wstring read;
  };
  const Case cases[] = {
      {"path", fake::kRegSz, Sz("C:\\x\\").bytes, L"path", L"C:\\x\\"},
      {"Path", fake::kRegSz, Sz("C:\\x\\").bytes, L"path", L""},
      {"", fake::kRegSz, Sz("dflt").bytes, L"", L"dflt"},
      {"other", fake::kRegSz, Sz("x").bytes, L"", L""},
      {"v", fake::kRegSz, Sz("  abc  ").bytes, L"v", L"abc"},
      {"v", fake::kRegSz, Sz(std::string("abc \0", 5)).bytes, L"v", L"abc "},
      {"v", fake::kRegSz, Sz("\xc3\xa9").bytes, L"v", L"\u00e9"},
      {"v", fake::kRegSz, {}, L"v", L""},
      {"v", fake::kRegDword, {1, 0, 0, 0}, L"v", std::wstring(L"\x01\0", 2)},
      {"v", fake::kRegSz, Sz(s254).bytes, L"v", std::wstring(254, L's')},
      {"v", fake::kRegSz, Sz(s255).bytes, L"v", L""},
  };
  for (const Case& c : cases) {
    fake::FakePlatform& own = Fresh();
    own.registry.SetValue(kHkcr, kKey, c.stored_name, c.type, c.bytes);
    io.ValueKey(c.wanted_name);
    EXPECT_EQ(io.Value(), c.read) << "stored '" << c.stored_name << "' size " << c.bytes.size();
  }
}

TEST_F(RegistryTest, OversizedEntriesAreSkippedAndTheListingGoesOn) {
  const std::string big_name(255, 'n');
  fp().registry.SetString(kHkcr, kKey, "big", std::string(255, 'd'));
  fp().registry.SetString(kHkcr, kKey, big_name, "named");
  fp().registry.SetString(kHkcr, kKey, "after", "x");
  fp().registry.AddKey(kHkcr, kKey + "\\" + big_name);
  fp().registry.AddKey(kHkcr, kKey + "\\next");

  const std::pair<std::wstring, std::wstring> reads[] = {{L"after", L"x"},
                                                         {L"big", L""},
                                                         {std::wstring(255, L'n'), L""},
                                                         {std::wstring(254, L'n'), L""}};
  for (const auto& [name, data] : reads) {
    io.ValueKey(name);
    EXPECT_EQ(io.Value(), data) << platform::Ansi(name).size() << " chars";
  }

  std::vector<std::array<std::wstring, 2>> values;
  std::int16_t value_count = 0;
  io.EnumerateValues(values, value_count);
  EXPECT_EQ(value_count, 1);
  EXPECT_EQ(values,
            (std::vector<std::array<std::wstring, 2>>{{L"after", std::wstring(L"x\0", 2)}}));

  std::vector<std::wstring> sections;
  std::int16_t section_count = 0;
  io.EnumerateSections(sections, section_count);
  EXPECT_EQ(section_count, 1);
  EXPECT_EQ(sections, std::vector<std::wstring>{L"next"});
}

TEST_F(RegistryTest, AnyOtherFailureEndsTheListing) {
  fp().registry.SetString(kHkcr, kKey, "first", "1");
  fp().registry.SetString(kHkcr, kKey, "second", "2");
  fp().registry.AddKey(kHkcr, kKey + "\\one");
  fp().registry.AddKey(kHkcr, kKey + "\\two");

  fp().faults.FailOp("RegEnumValueA", platform::reg_error::kAccessDenied);
  io.ValueKey(L"second");
  EXPECT_EQ(io.Value(), L"");

  fp().faults.FailOp("RegEnumValueA", platform::reg_error::kAccessDenied, 2);
  std::vector<std::array<std::wstring, 2>> values;
  std::int16_t value_count = 0;
  io.EnumerateValues(values, value_count);
  EXPECT_EQ(value_count, 1);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0][0], L"first");

  fp().faults.FailOp("RegEnumKeyA", platform::reg_error::kAccessDenied, 2);
  std::vector<std::wstring> sections;
  std::int16_t section_count = 0;
  io.EnumerateSections(sections, section_count);
  EXPECT_EQ(section_count, 1);
  EXPECT_EQ(sections, std::vector<std::wstring>{L"one"});
}

TEST_F(RegistryTest, EnumerationsListEveryEntryAsStored) {
  fp().registry.SetString(kHkcr, kKey, "", "default");
  fp().registry.SetString(kHkcr, kKey, "path", " C:\\\u00e9 ");
  fp().registry.SetValue(kHkcr, kKey, "count", fake::kRegDword, {1, 0, 0, 0});
  fp().registry.AddKey(kHkcr, kKey + "\\Global\\Deeper");
  fp().registry.AddKey(kHkcr, kKey + "\\Shapes");

  std::vector<std::array<std::wstring, 2>> values = {{L"stale", L"stale"}};
  std::int16_t value_count = 0;
  io.EnumerateValues(values, value_count);
  EXPECT_EQ(value_count, 3);
  EXPECT_EQ(values,
            (std::vector<std::array<std::wstring, 2>>{{L"", std::wstring(L"default\0", 8)},
                                                      {L"path", std::wstring(L" C:\\\u00e9 \0", 7)},
                                                      {L"count", std::wstring(L"\x01\0\0\0", 4)}}));

  std::vector<std::wstring> sections = {L"stale"};
  std::int16_t section_count = 0;
  io.EnumerateSections(sections, section_count);
  EXPECT_EQ(section_count, 2);
  EXPECT_EQ(sections, (std::vector<std::wstring>{L"Global", L"Shapes"}));
}

// A key holding `entries` values and as many subkeys, all named "x": filling the in-memory
// registry that far would take minutes.
class CrowdedRegistry : public fake::FakeRegistry {
 public:
  using FakeRegistry::FakeRegistry;
  long EnumValue(platform::RegHandle, std::uint32_t index, char* name, std::uint32_t& name_size,
                 std::uint32_t&, unsigned char*, std::uint32_t& data_size) override {
    if (index >= entries) {
      return platform::reg_error::kNoMoreItems;
    }
    name[0] = 'x';
    name_size = 1;
    data_size = 0;
    return 0;
  }
  long EnumKey(platform::RegHandle, std::uint32_t index, char* name, std::uint32_t) override {
    if (index >= entries) {
      return platform::reg_error::kNoMoreItems;
    }
    name[0] = 'x';
    name[1] = '\0';
    return 0;
  }
  std::uint32_t entries = 0;
};

TEST_F(RegistryTest, CountsStopAt32767WithAnOverflow) {
  CrowdedRegistry crowded(fp().faults);
  crowded.AddKey(kHkcr, kKey);
  platform::Install({&crowded, &fp().files, &fp().text, &fp().dialogs, &fp().random});
  std::vector<std::array<std::wstring, 2>> values;
  std::vector<std::wstring> sections;
  std::int16_t count = 0;

  crowded.entries = 32767;
  io.EnumerateValues(values, count);
  EXPECT_EQ(count, 32767);
  EXPECT_EQ(values.size(), 32767u);
  io.EnumerateSections(sections, count);
  EXPECT_EQ(count, 32767);
  EXPECT_EQ(sections.size(), 32767u);

  crowded.entries = 32768;
  EXPECT_THROW(io.EnumerateValues(values, count), std::overflow_error);
  EXPECT_EQ(count, 32767);
  EXPECT_THROW(io.EnumerateSections(sections, count), std::overflow_error);
  EXPECT_EQ(count, 32767);
  EXPECT_EQ(crowded.OpenKeys(), 0u);
}

TEST_F(RegistryTest, CreateKeyMakesTheWholePathOrSaysWhy) {
  fp().registry.SetString(kHkcr, kKey, "path", "kept");
  EXPECT_EQ(io.CreateKey(), 0);
  EXPECT_EQ(fp().faults.CountOf("RegCreateKeyExA"), 0);
  EXPECT_EQ(fp().registry.ValueOf(kHkcr, kKey, "path"), Sz("kept"));

  io.SectionKey(L"New\\Deep\\Key");
  EXPECT_EQ(io.CreateKey(), 0);
  EXPECT_TRUE(fp().registry.KeyExists(kHkcr, "New\\Deep\\Key"));

  io.SectionKey(L"Refused\\Key");
  fp().faults.FailOp("RegCreateKeyExA", platform::reg_error::kAccessDenied);
  EXPECT_EQ(io.CreateKey(), -1);
  EXPECT_FALSE(fp().registry.KeyExists(kHkcr, "Refused"));
  EXPECT_EQ(fp().dialogs.Shown(),
            std::vector<ShownBox>{
                Box(L"Failed to create registry entry ''Refused\\Key''.  Please try later.",
                    mb::kOk | mb::kIconExclamation)});
}

TEST_F(RegistryTest, WritesStoreTheTypedData) {
  struct Case {
    std::int32_t type;
    std::wstring text;
    StoredValue stored;
  };
  const Case cases[] = {
      {1, L"C:\\x\\", Sz("C:\\x\\")},
      {1, L"\u00e9t\u00e9", Sz("\xc3\xa9t\xc3\xa9")},
      {4, L"12", {fake::kRegDword, {12, 0, 0, 0}}},
      {4, L" -1 ", {fake::kRegDword, {0xff, 0xff, 0xff, 0xff}}},
      {4, L"+7", {fake::kRegDword, {7, 0, 0, 0}}},
      {4, L"2.5", {fake::kRegDword, {2, 0, 0, 0}}},
      {4, L"3.5", {fake::kRegDword, {4, 0, 0, 0}}},
      {4, L"-2.5", {fake::kRegDword, {0xfe, 0xff, 0xff, 0xff}}},
      {4, L"2.51", {fake::kRegDword, {3, 0, 0, 0}}},
      {4, L"2147483647", {fake::kRegDword, {0xff, 0xff, 0xff, 0x7f}}},
      {4, L"-2147483648", {fake::kRegDword, {0, 0, 0, 0x80}}},
      {4, L"2147483647.5", {fake::kRegDword, {0, 0, 0, 0}}},
      {4, L"-2147483649", {fake::kRegDword, {0, 0, 0, 0}}},
      {4, L"abc", {fake::kRegDword, {0, 0, 0, 0}}},
      {4, L"1e3", {fake::kRegDword, {0, 0, 0, 0}}},
      {4, L"0x10", {fake::kRegDword, {0, 0, 0, 0}}},
      {4, L"1.2.3", {fake::kRegDword, {0, 0, 0, 0}}},
  };
  for (const Case& c : cases) {
    fake::FakePlatform& own = Fresh();
    io.SectionKey(L"New\\Key");
    io.ValueKey(L"v");
    io.ValueEx(c.type, c.text);
    EXPECT_EQ(own.registry.ValueOf(kHkcr, "New\\Key", "v"), c.stored)
        << "type " << c.type << " " << platform::Ansi(c.text);
    EXPECT_TRUE(own.dialogs.Shown().empty()) << platform::Ansi(c.text);
  }
  io.ValueKey(L"");
  io.Value(L"dflt");
  EXPECT_EQ(fp().registry.ValueOf(kHkcr, "New\\Key", ""), Sz("dflt"));
}

TEST_F(RegistryTest, WriteIsSkippedWhenTheValueAlreadyReadsSo) {
  fp().registry.SetString(kHkcr, kKey, "path", "abc ");
  fp().registry.SetString(kHkcr, kKey, "Case", "abc");
  const std::pair<std::wstring, std::wstring> unchanged[] = {{L"path", L"abc"}, {L"missing", L""}};
  for (const auto& [name, text] : unchanged) {
    io.ValueKey(name);
    io.Value(text);
  }
  io.SectionKey(L"Missing\\Key");
  io.ValueKey(L"v");
  io.Value(L"");
  EXPECT_EQ(fp().faults.CountOf("RegSetValueExA"), 0);
  EXPECT_EQ(fp().faults.CountOf("RegCreateKeyExA"), 0);
  EXPECT_FALSE(fp().registry.KeyExists(kHkcr, "Missing"));

  io.SectionKey(L"BrenvicVisio");
  io.ValueKey(L"Case");
  io.Value(L"ABC");
  EXPECT_EQ(fp().registry.ValueOf(kHkcr, kKey, "Case"), Sz("ABC"));
}

TEST_F(RegistryTest, RefusedWritesShowOneMessage) {
  const std::wstring refused = L"Failed to set registry value:   Please try later.";
  struct Case {
    const char* what;
    std::int32_t type;
    std::wstring text;
    std::string fail_op;
    std::uint32_t deny;
    ShownBox box;
  };
  const Case cases[] = {
      {"type 2", 2, L"x", "", 0, Box(L"Invalid type for cls_RegistryIO.bsetRegValueEx", mb::kOk)},
      {"type 0", 0, L"x", "", 0, Box(L"Invalid type for cls_RegistryIO.bsetRegValueEx", mb::kOk)},
      {"no write access", 1, L"x", "", fake::kKeySetValue, Box(refused, mb::kOk)},
      {"write refused", 1, L"x", "RegSetValueExA", 0, Box(refused, mb::kOk)},
      {"number refused", 4, L"5", "RegSetValueExA", 0, Box(refused, mb::kOk)},
      {"not a number refused", 4, L"abc", "RegSetValueExA", 0,
       Box(L"Failed to set registry value: Type mismatch  Please try later.", mb::kOk)},
      {"too large refused", 4, L"3000000000", "RegSetValueExA", 0,
       Box(L"Failed to set registry value: Overflow  Please try later.", mb::kOk)},
      {"key not created", 1, L"x", "RegCreateKeyExA", 0,
       Box(L"Failed to create registry entry ''BrenvicVisio\\Sub''.  Please try later.",
           mb::kOk | mb::kIconExclamation)},
  };
  for (const Case& c : cases) {
    fake::FakePlatform& own = Fresh();
    own.registry.SetString(kHkcr, kKey, "other", "kept");
    if (c.deny != 0) {
      own.registry.DenyAccess(kHkcr, kKey + "\\Sub", c.deny);
    }
    if (!c.fail_op.empty()) {
      own.faults.FailOp(c.fail_op, platform::reg_error::kAccessDenied);
    }
    io.SectionKey(L"BrenvicVisio\\Sub");
    io.ValueKey(L"v");
    io.ValueEx(c.type, c.text);
    EXPECT_EQ(own.dialogs.Shown(), std::vector<ShownBox>{c.box}) << c.what;
    EXPECT_EQ(own.registry.ValueOf(kHkcr, kKey + "\\Sub", "v"), std::nullopt) << c.what;
    if (c.deny == 0 && c.fail_op.empty()) {
      EXPECT_FALSE(own.registry.KeyExists(kHkcr, kKey + "\\Sub")) << c.what;
    }
  }
}

}  // namespace
