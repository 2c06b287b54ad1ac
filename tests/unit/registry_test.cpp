// Reading, writing, creating and listing keys and values below HKCU\Software\BrenvicUnit.
// The class comes first: <windows.h> makes macros of its root keys' names.
#include "util/cls_registry_io.h"

#include <algorithm>

#include "unit/windows.h"

namespace unit {
namespace {

using namespace std::string_literals;

// The value's type and bytes as stored, or "none".
std::string Stored(const char* name) {
  char data[512];
  DWORD size = sizeof data;
  DWORD type = 0;
  const LSTATUS read = RegGetValueA(HKEY_CURRENT_USER, "Software\\BrenvicUnit", name,
                                    RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
  return read == 0 ? std::to_string(type) + ":" + std::string(data, size) : "none";
}

cls_RegistryIO Place(const std::wstring& name, const std::wstring& key = kScratchKey) {
  cls_RegistryIO registry;
  registry.ClassKey(INT32_MIN + 1);  // HKEY_CURRENT_USER
  registry.SectionKey(key);
  registry.ValueKey(name);
  return registry;
}

TEST_F(Windows, WritesOnlyWhatDiffers) {
  struct Row {
    std::string before;  ///< the string value "v" (empty: no key at all)
    std::int32_t type;
    std::wstring text;
    std::string after;     ///< "v" afterwards: its type and bytes, or "none"
    std::wstring refusal;  ///< the description a refused write gives; "-": none
  };
  const std::wstring invalid = Cause(123);
  const Row rows[] = {
      {"old\0"s, 1, L"caf" + kOwnLetter, "1:caf"s + kOwnByte + '\0', L"-"},
      {"abc \0"s, 1, L"abc", "1:abc \0"s, L"-"},
      {"", 1, L"", "none", L"-"},
      {"old\0"s, 4, L"12", "4:\x0C\0\0\0"s, L"-"},
      {"old\0"s, 4, L"2.5", "4:\2\0\0\0"s, L"-"},
      {"old\0"s, 4, L"-3.5", "4:\xFC\xFF\xFF\xFF"s, L"-"},
      {"old\0"s, 4, L"abc", "1:old\0"s, L"Type mismatch"},
      {"old\0"s, 4, L"1e99", "1:old\0"s, L"Type mismatch"},
      {"old\0"s, 4, L"2147483648", "1:old\0"s, L"Overflow"},
      {"old\0"s, 1, kForeignLetter + L"uk", "1:old\0"s, invalid},
  };
  for (const auto& [before, type, text, after, description] : rows) {
    SCOPED_TRACE(testing::PrintToString(text));
    Reset();
    if (!before.empty()) {
      SetValue(HKEY_CURRENT_USER, kScratchKey, "v", REG_SZ, before);
    }
    Place(L"v").ValueEx(type, text);
    EXPECT_EQ(Stored("v"), after);
    const std::vector<Box> refused{
        {L"Failed to set registry value: " + description + L"  Please try later.", mb::kOk}};
    EXPECT_EQ(dialogs.shown, description == L"-" ? std::vector<Box>() : refused);
  }
  Place(L"ł").ValueEx(1, L"x");
  EXPECT_EQ(Stored("l"), "none") << "a name the code page lacks";
  Place(L"v").ValueEx(2, L"abc");
  EXPECT_EQ(dialogs.shown.back(), (Box{L"Invalid type for cls_RegistryIO.bsetRegValueEx", 0}));
}

TEST_F(Windows, CreatesAndListsKeys) {
  const std::wstring deep = std::wstring(kScratchKey) + L"\\sub one\\deeper";
  EXPECT_EQ(Place(L"", deep).CreateKey(), 0);
  EXPECT_EQ(Place(L"", deep).CreateKey(), 0);
  SetValue(HKEY_CURRENT_USER, std::wstring(kScratchKey) + L"\\two", "", REG_SZ, "");
  SetValue(HKEY_CURRENT_USER, kScratchKey, "", REG_SZ, "d\0"s);
  SetValue(HKEY_CURRENT_USER, kScratchKey, "big", REG_SZ, std::string(300, 'b'));
  SetValue(HKEY_CURRENT_USER, kScratchKey, "n", REG_SZ, "x y\0"s);
  std::vector<std::array<std::wstring, 2>> values{{L"stale"}};
  std::int16_t count = 9;
  Place(L"").EnumerateValues(values, count);
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::array<std::wstring, 2>>{{L"", L"d\0"s}, {L"n", L"x y\0"s}}));
  EXPECT_EQ(count, 2);
  std::vector<std::wstring> sections{L"stale"};
  Place(L"").EnumerateSections(sections, count);
  std::sort(sections.begin(), sections.end());
  EXPECT_EQ(sections, (std::vector<std::wstring>{L"sub one", L"two"}));
  EXPECT_EQ(count, 2);
  cls_RegistryIO().EnumerateSections(sections, count);
  EXPECT_TRUE(sections.empty() && count == 0);
  // The narrow calls refuse key paths of more than 260 characters.
  const std::wstring refused = std::wstring(kScratchKey) + L"\\" + std::wstring(300, L'k');
  EXPECT_EQ(Place(L"", refused).CreateKey(), -1);
  EXPECT_EQ(dialogs.shown, (std::vector<Box>{{L"Failed to create registry entry ''" + refused +
                                                  L"''.  Please try later.",
                                              mb::kOk | mb::kIconExclamation}}));
}

}  // namespace
}  // namespace unit
