#include "util/cls_registry_io.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

using fake::ShownBox;
using fake::StoredValue;
using Values = std::vector<std::array<std::wstring, 2>>;
using Sections = std::vector<std::wstring>;
namespace mb = platform::mb;

constexpr std::int32_t kHkcr = INT32_MIN;
const std::string kKey = "BrenvicVisio";

// A string value as stored, with its terminating zero.
StoredValue Sz(const std::string& text) {
  return {fake::kRegSz, {text.c_str(), text.c_str() + text.size() + 1}};
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    io.ClassKey(io.HKEY_CLASSES_ROOT());
    io.SectionKey(L"BrenvicVisio");
  }
  // Every operation closes what it opened.
  void TearDown() override { EXPECT_EQ(fp->registry.OpenKeys(), 0u); }
  // A clean registry for one row of a table.
  fake::FakePlatform& Fresh() {
    EXPECT_EQ(fp->registry.OpenKeys(), 0u);
    fp.reset();
    return fp.emplace();
  }
  std::pair<Values, std::int16_t> ListValues() {
    std::pair<Values, std::int16_t> got{{{L"stale", L"stale"}}, 9};
    io.EnumerateValues(got.first, got.second);
    return got;
  }
  std::pair<Sections, std::int16_t> ListSections() {
    std::pair<Sections, std::int16_t> got{{L"stale"}, 9};
    io.EnumerateSections(got.first, got.second);
    return got;
  }

  std::optional<fake::FakePlatform> fp{std::in_place};
  cls_RegistryIO io;
};

TEST_F(RegistryTest, NoRootReadsNothingSilently) {
  fp->registry.SetString(kHkcr, "", "", "root default");
  io.ClassKey(0);
  io.SectionKey(L"");
  EXPECT_FALSE(io.KeyExists());
  EXPECT_EQ(io.Value(), L"");
  EXPECT_EQ(ListValues(), (std::pair<Values, std::int16_t>{}));
  EXPECT_EQ(ListSections(), (std::pair<Sections, std::int16_t>{}));
  EXPECT_TRUE(fp->dialogs.Shown().empty());
  EXPECT_EQ(fp->faults.CountOf("RegCloseKey"), 0);
}

TEST_F(RegistryTest, KeyExistsWhenItOpensForReading) {
  fp->registry.AddKey(kHkcr, "Visio.Drawing\\CurVer");
  fp->registry.DenyAccess(kHkcr, "Locked", fake::kKeyQueryValue);
  const std::pair<std::wstring, bool> cases[] = {{L"visio.drawing\\curver", true},
                                                 {L"", true},
                                                 {L"Visio.Drawing\\Missing", false},
                                                 {L"Locked", false}};
  for (const auto& [path, exists] : cases) {
    io.SectionKey(path);
    EXPECT_EQ(io.KeyExists(), exists) << platform::Ansi(path);
  }
}

TEST_F(RegistryTest, ValueReadsTrimmedTextOfTheExactName) {
  struct Case {
    std::string stored_name;
    StoredValue stored;
    std::wstring wanted_name;
    std::wstring read;
  };
  const Case cases[] = {
      {"path", Sz("C:\\x\\"), L"path", L"C:\\x\\"},
      {"Path", Sz("C:\\x\\"), L"path", L""},
      {"", Sz("dflt"), L"", L"dflt"},
      {"other", Sz("x"), L"", L""},
      {"v", Sz("  abc  "), L"v", L"abc"},
      {"v", Sz(std::string("abc \0", 5)), L"v", L"abc "},
      {"v", Sz("\xc3\xa9"), L"v", L"\u00e9"},
      {"v", {fake::kRegSz, {}}, L"v", L""},
      {"v", {fake::kRegDword, {1, 0, 0, 0}}, L"v", std::wstring(L"\x01\0", 2)},
      {"v", Sz(std::string(254, 's')), L"v", std::wstring(254, L's')},
      {"v", Sz(std::string(255, 's')), L"v", L""},
  };
  for (const Case& c : cases) {
    Fresh().registry.SetValue(kHkcr, kKey, c.stored_name, c.stored.type, c.stored.bytes);
    io.ValueKey(c.wanted_name);
    EXPECT_EQ(io.Value(), c.read) << "'" << c.stored_name << "' of " << c.stored.bytes.size();
  }
}

// An entry too large for the 255-character buffers answers 234 and is skipped.
TEST_F(RegistryTest, ListingsGiveEntriesAsStoredAndSkipOversizedOnes) {
  const std::string big_name(255, 'n');
  fp->registry.SetString(kHkcr, kKey, "", "default");
  fp->registry.SetString(kHkcr, kKey, "big", std::string(255, 'd'));
  fp->registry.SetString(kHkcr, kKey, "path", " C:\\\u00e9 ");
  fp->registry.SetString(kHkcr, kKey, big_name, "named");
  fp->registry.SetValue(kHkcr, kKey, "count", fake::kRegDword, {1, 0, 0, 0});
  for (const std::string& sub : {std::string("Global\\Deeper"), big_name, std::string("Shapes")}) {
    fp->registry.AddKey(kHkcr, kKey + "\\" + sub);
  }
  for (const std::wstring& name : {std::wstring(L"big"), std::wstring(255, L'n')}) {
    io.ValueKey(name);
    EXPECT_EQ(io.Value(), L"") << platform::Ansi(name).size() << " chars";
  }
  EXPECT_EQ(ListValues(),
            (std::pair<Values, std::int16_t>{{{L"", std::wstring(L"default\0", 8)},
                                              {L"path", std::wstring(L" C:\\\u00e9 \0", 7)},
                                              {L"count", std::wstring(L"\x01\0\0\0", 4)}},
                                             3}));
  EXPECT_EQ(ListSections(), (std::pair<Sections, std::int16_t>{{L"Global", L"Shapes"}, 2}));
}

TEST_F(RegistryTest, AnyOtherFailureEndsTheListing) {
  fp->registry.SetString(kHkcr, kKey, "first", "1");
  fp->registry.SetString(kHkcr, kKey, "second", "2");
  fp->registry.AddKey(kHkcr, kKey + "\\one");
  fp->registry.AddKey(kHkcr, kKey + "\\two");
  fp->faults.FailOp("RegEnumValueA", platform::reg_error::kAccessDenied);
  io.ValueKey(L"second");
  EXPECT_EQ(io.Value(), L"");
  fp->faults.FailOp("RegEnumValueA", platform::reg_error::kAccessDenied, 2);
  EXPECT_EQ(ListValues(),
            (std::pair<Values, std::int16_t>{{{L"first", std::wstring(L"1\0", 2)}}, 1}));
  fp->faults.FailOp("RegEnumKeyA", platform::reg_error::kAccessDenied, 2);
  EXPECT_EQ(ListSections(), (std::pair<Sections, std::int16_t>{{L"one"}, 1}));
}

// A key holding `entries` values and as many subkeys, all named "x", without storing them.
class CrowdedRegistry : public fake::FakeRegistry {
 public:
  using FakeRegistry::FakeRegistry;
  long EnumValue(platform::RegHandle, std::uint32_t index, char* name, std::uint32_t& name_size,
                 std::uint32_t&, unsigned char*, std::uint32_t& data_size) override {
    name[0] = 'x';
    name_size = 1;
    data_size = 0;
    return index < entries ? 0 : platform::reg_error::kNoMoreItems;
  }
  long EnumKey(platform::RegHandle, std::uint32_t index, char* name, std::uint32_t) override {
    name[0] = 'x';
    name[1] = '\0';
    return index < entries ? 0 : platform::reg_error::kNoMoreItems;
  }
  std::uint32_t entries = 0;
};

TEST_F(RegistryTest, CountsStopAt32767WithAnOverflow) {
  CrowdedRegistry crowded(fp->faults);
  crowded.AddKey(kHkcr, kKey);
  platform::Platform parts = platform::Current();
  parts.registry = &crowded;
  platform::Install(parts);
  Values values;
  Sections sections;
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
  fp->registry.SetString(kHkcr, kKey, "path", "kept");
  EXPECT_EQ(io.CreateKey(), 0);
  EXPECT_EQ(fp->faults.CountOf("RegCreateKeyExA"), 0);
  EXPECT_EQ(fp->registry.ValueOf(kHkcr, kKey, "path"), Sz("kept"));
  io.SectionKey(L"New\\Deep\\Key");
  EXPECT_EQ(io.CreateKey(), 0);
  EXPECT_TRUE(fp->registry.KeyExists(kHkcr, "New\\Deep\\Key"));
  io.SectionKey(L"Refused\\Key");
  fp->faults.FailOp("RegCreateKeyExA", platform::reg_error::kAccessDenied);
  EXPECT_EQ(io.CreateKey(), -1);
  EXPECT_FALSE(fp->registry.KeyExists(kHkcr, "Refused"));
  const ShownBox refused{L"Failed to create registry entry ''Refused\\Key''.  Please try later.",
                         mb::kOk | mb::kIconExclamation};
  EXPECT_EQ(fp->dialogs.Shown(), std::vector{refused});
}

// Numbers round half to even and must fit 32 bits; anything else stores 0.
TEST_F(RegistryTest, WritesStoreTheTypedData) {
  const auto dword = [](std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return StoredValue{fake::kRegDword, {a, b, c, d}};
  };
  const StoredValue zero = dword(0, 0, 0, 0);
  const std::tuple<std::int32_t, std::wstring, StoredValue> cases[] = {
      {1, L"C:\\x\\", Sz("C:\\x\\")},
      {1, L"\u00e9t\u00e9", Sz("\xc3\xa9t\xc3\xa9")},
      {4, L"12", dword(12, 0, 0, 0)},
      {4, L" -1 ", dword(0xff, 0xff, 0xff, 0xff)},
      {4, L"+7", dword(7, 0, 0, 0)},
      {4, L"2.5", dword(2, 0, 0, 0)},
      {4, L"3.5", dword(4, 0, 0, 0)},
      {4, L"-2.5", dword(0xfe, 0xff, 0xff, 0xff)},
      {4, L"2.51", dword(3, 0, 0, 0)},
      {4, L"2.50000000000000000001", dword(3, 0, 0, 0)},
      {4, L"-0.5", zero},
      {4, L"00000000000000000000000000000042", dword(42, 0, 0, 0)},
      {4, L"2147483647", dword(0xff, 0xff, 0xff, 0x7f)},
      {4, L"-2147483648", dword(0, 0, 0, 0x80)},
      {4, L"2147483647.5", zero},
      {4, L"-2147483649", zero},
      {4, L"99999999999999999999999", zero},
      {4, L"abc", zero},
      {4, L"1e3", zero},
      {4, L"0x10", zero},
      {4, L"1.2.3", zero},
  };
  for (const auto& [type, text, stored] : cases) {
    fake::FakePlatform& own = Fresh();
    io.SectionKey(L"New\\Key");
    io.ValueKey(L"v");
    io.ValueEx(type, text);
    EXPECT_EQ(own.registry.ValueOf(kHkcr, "New\\Key", "v"), stored) << platform::Ansi(text);
    EXPECT_TRUE(own.dialogs.Shown().empty()) << platform::Ansi(text);
  }
  io.ValueKey(L"");
  io.Value(L"dflt");
  EXPECT_EQ(fp->registry.ValueOf(kHkcr, "New\\Key", ""), Sz("dflt"));
}

TEST_F(RegistryTest, WriteIsSkippedWhenTheValueAlreadyReadsSo) {
  fp->registry.SetString(kHkcr, kKey, "path", "abc ");
  fp->registry.SetString(kHkcr, kKey, "Case", "abc");
  for (const auto& [name, text] : {std::pair(L"path", L"abc"), std::pair(L"missing", L"")}) {
    io.ValueKey(name);
    io.Value(text);
  }
  io.SectionKey(L"Missing\\Key");
  io.ValueKey(L"v");
  io.Value(L"");
  EXPECT_EQ(fp->faults.CountOf("RegSetValueExA"), 0);
  EXPECT_EQ(fp->faults.CountOf("RegCreateKeyExA"), 0);
  io.SectionKey(L"BrenvicVisio");
  io.ValueKey(L"Case");
  io.Value(L"ABC");
  EXPECT_EQ(fp->registry.ValueOf(kHkcr, kKey, "Case"), Sz("ABC"));
}

TEST_F(RegistryTest, RefusedWritesShowOneMessage) {
  const std::wstring refused = L"Failed to set registry value:   Please try later.";
  const std::wstring bad_type = L"Invalid type for cls_RegistryIO.bsetRegValueEx";
  struct Case {
    std::int32_t type;
    std::wstring text;
    std::string fail_op;  // "deny": the key refuses writing
    ShownBox box;
  };
  const Case cases[] = {
      {2, L"x", "", {bad_type, mb::kOk}},
      {0, L"x", "", {bad_type, mb::kOk}},
      {1, L"x", "deny", {refused, mb::kOk}},
      {1, L"x", "RegSetValueExA", {refused, mb::kOk}},
      {4, L"5", "RegSetValueExA", {refused, mb::kOk}},
      {4,
       L"abc",
       "RegSetValueExA",
       {L"Failed to set registry value: Type mismatch  Please try later.", mb::kOk}},
      {4,
       L"3000000000",
       "RegSetValueExA",
       {L"Failed to set registry value: Overflow  Please try later.", mb::kOk}},
      {1,
       L"x",
       "RegCreateKeyExA",
       {L"Failed to create registry entry ''BrenvicVisio\\Sub''.  Please try later.",
        mb::kOk | mb::kIconExclamation}},
  };
  for (const Case& c : cases) {
    fake::FakePlatform& own = Fresh();
    own.registry.SetString(kHkcr, kKey, "other", "kept");
    if (c.fail_op == "deny") {
      own.registry.DenyAccess(kHkcr, kKey + "\\Sub", fake::kKeySetValue);
    } else if (!c.fail_op.empty()) {
      own.faults.FailOp(c.fail_op, platform::reg_error::kAccessDenied);
    }
    io.SectionKey(L"BrenvicVisio\\Sub");
    io.ValueKey(L"v");
    io.ValueEx(c.type, c.text);
    const std::string label = c.fail_op + " " + platform::Ansi(c.text);
    EXPECT_EQ(own.dialogs.Shown(), std::vector<ShownBox>{c.box}) << label;
    EXPECT_EQ(own.registry.ValueOf(kHkcr, kKey + "\\Sub", "v"), std::nullopt) << label;
    EXPECT_EQ(own.registry.KeyExists(kHkcr, kKey + "\\Sub"),
              c.fail_op == "deny" || c.fail_op == "RegSetValueExA")
        << label;
  }
}

}  // namespace
