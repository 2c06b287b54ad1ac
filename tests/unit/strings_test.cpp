// The string toolbox with Windows' own upper case and the code page.
#include "platform/win32/win32_parts.h"
#include "unit/windows.h"
#include "util/cls_string.h"

namespace unit {
namespace {

TEST_F(Windows, ComparesWithoutCaseAndTrimsByTheCodePage) {
  cls_String strings;
  std::wstring rest = L"étÉ:x";
  EXPECT_EQ(strings.of_GetNextToken(rest, L"TÉ:"), L"é");
  EXPECT_EQ(rest, L"x");
  EXPECT_EQ(strings.of_GlobalReplace(L"ÿŸÿ", L"Ÿ", L"-", false), L"---");
  EXPECT_EQ(strings.of_GlobalReplace(L"ÿŸÿ", L"Ÿ", L"-", true), L"ÿ-ÿ");
  EXPECT_EQ(strings.of_Find(L"abc", L"B", false), 2);
  // A text to find longer than 16 bits can count is found nowhere, even where it stands.
  const std::wstring longest(32767, L'a'), source = longest + L"ab";
  EXPECT_EQ(strings.of_GlobalReplace(source, longest, L"-", true), L"-ab");
  EXPECT_EQ(strings.of_GlobalReplace(source, longest + L'a', L"-", true), source);
  // U+00A0 is 0xA0 in the code page, no blank; U+2028 has no byte there at all.
  EXPECT_EQ(strings.of_Trim(L"\t \x00A0x\x2028 \r\n", 0), L"\x00A0x\x2028");
  EXPECT_EQ(strings.of_Trim(L"\t x \r\n", -1), L"x \r\n");
  EXPECT_EQ(strings.of_Trim(L"\t x! \r\n", 1), L"\t x!");
  // Narrow text is exact in any code page, UTF-8 too (which takes no flags): no look-alike.
  EXPECT_EQ(platform::win32::Narrow(L"жук", CP_UTF8), "\xD0\xB6\xD1\x83\xD0\xBA");
  EXPECT_EQ(platform::win32::Narrow(L"ł", 1252), std::nullopt);
}

}  // namespace
}  // namespace unit
