#include "util/cls_string.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

// Case-insensitive comparison goes through the platform's text services.
class StringTest : public testing::Test {
 protected:
  fake::FakePlatform fp;
  cls_String str;
};

TEST_F(StringTest, TokensComeOffTheFront) {
  struct Case {
    std::wstring before;
    std::wstring delimiter;
    bool case_sensitive;
    std::wstring token;
    std::wstring after;
  };
  const Case cases[] = {
      {L"a b c", L" ", false, L"a", L"b c"},
      {L"abc", L" ", false, L"abc", L""},
      {L" abc", L" ", false, L"", L"abc"},
      {L"abc ", L" ", false, L"abc", L""},
      {L"a::b::c", L"::", true, L"a", L"b::c"},
      {L"aXb", L"x", false, L"a", L"b"},
      {L"aXb", L"x", true, L"aXb", L""},
      {L"a\u00c9b", L"\u00e9", false, L"a", L"b"},
      {L"", L" ", false, L"", L""},
      {L"abc", L"", false, L"", L"abc"},
      {L"abc", L"", true, L"", L"abc"},
  };
  for (const Case& c : cases) {
    const std::string label = platform::Ansi(c.before + L"|" + c.delimiter);
    std::wstring source = c.before;
    EXPECT_EQ(str.of_GetNextTokenEx(source, c.delimiter, c.case_sensitive), c.token) << label;
    EXPECT_EQ(source, c.after) << label;
    if (!c.case_sensitive) {
      source = c.before;
      EXPECT_EQ(str.of_GetNextToken(source, c.delimiter), c.token) << label;
      EXPECT_EQ(source, c.after) << label;
    }
  }
}

TEST_F(StringTest, GlobalReplaceGoesLeftToRightWithoutRescanning) {
  const std::wstring longest(32767, L'a');
  const std::wstring too_long(32768, L'a');
  struct Case {
    std::wstring source;
    std::wstring find;
    std::wstring with;
    bool case_sensitive;
    std::wstring result;
  };
  const Case cases[] = {
      {L"\"C:\\a b\\\" x\"", L"\"", L"", true, L"C:\\a b\\ x"},
      {L"abc", L"", L"zz", false, L"abc"},
      {L"aaaa", L"aa", L"a", true, L"aa"},
      {L"aba", L"a", L"aa", true, L"aabaa"},
      {L"xXx", L"X", L"y", false, L"yyy"},
      {L"xXx", L"X", L"y", true, L"xyx"},
      {L"Visio=1 VISIO=2", L"visio=", L"", false, L"1 2"},
      {L"", L"a", L"b", false, L""},
      {L"abc", L"abcd", L"x", true, L"abc"},
      {longest + L"b", longest, L"x", true, L"xb"},
      {too_long + L"b", too_long, L"x", true, too_long + L"b"},
  };
  for (const Case& c : cases) {
    const std::string label = platform::Ansi(c.source.substr(0, 20) + L"|" + c.find.substr(0, 20));
    EXPECT_EQ(str.of_GlobalReplace(c.source, c.find, c.with, c.case_sensitive), c.result) << label;
    EXPECT_EQ(str.of_GlobalReplaceEx(c.source, c.find, c.with, c.case_sensitive), c.result)
        << label;
  }
}

TEST_F(StringTest, FindGivesTheFirstPosition) {
  struct Case {
    std::wstring source;
    std::wstring find;
    bool case_sensitive;
    std::int32_t position;
  };
  const Case cases[] = {
      {L"abc", L"", true, 1},
      {L"", L"", true, 0},
      {L"", L"a", false, 0},
      {L"abc", L"B", false, 2},
      {L"abc", L"B", true, 0},
      {L"abcabc", L"ca", true, 3},
      {L"\u00e0\u00c0", L"\u00c0", false, 1},
      {L"\u00e0\u00c0", L"\u00c0", true, 2},
      {L"abc", L"abcd", false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(str.of_Find(c.source, c.find, c.case_sensitive), c.position)
        << platform::Ansi(c.source + L"|" + c.find) << " case " << c.case_sensitive;
  }
}

TEST_F(StringTest, TrimRemovesCodesBelow33AtTheChosenEnds) {
  const std::wstring mixed = std::wstring(L"\t\r\n a \x01 b\0 \r\n\t", 14);
  struct Case {
    std::wstring text;
    std::int16_t type;
    std::wstring result;
  };
  const Case cases[] = {
      {mixed, 0, L"a \x01 b"},
      {mixed, -1, std::wstring(L"a \x01 b\0 \r\n\t", 10)},
      {mixed, 1, L"\t\r\n a \x01 b"},
      {L" \t\r\n", -1, L""},
      {L" \t\r\n", 0, L""},
      {L" \t\r\n", 1, L""},
      {L"", 0, L""},
      {L" !\x7f ", 0, L"!\x7f"},
      {L"\u00a0x\u00a0", 0, L"\u00a0x\u00a0"},
      {L"\u0100 ", 0, L"\u0100"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(str.of_Trim(c.text, c.type), c.result)
        << platform::Ansi(c.text) << " type " << c.type;
  }
  EXPECT_EQ(str.of_Trim(L" x "), L"x");
}

}  // namespace
