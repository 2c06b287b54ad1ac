#include <algorithm>
#include <vector>

#include "contract/env.h"

namespace contract {
namespace {

TEST(ServicesContract, ConvertsTextThroughTheCodePage) {
  TheEnv();
  platform::Text& text = *platform::Current().text;
  // The code page differs (the fake's is UTF-8): only what holds for every one is fixed.
  for (const std::wstring& wide :
       {std::wstring(), std::wstring(L"C:\\a b\\x.txt"), std::wstring(L"caf\u00e9")}) {
    ExpectCase("round trip", wide, text.FromAnsi(text.ToAnsi(wide)));
  }
  ExpectCase("ASCII unchanged", std::string("C:\\a b"), text.ToAnsi(L"C:\\a b"));
  ExpectCase("lone surrogate", std::string("?"), text.ToAnsi(L"\xD800"));
  ExpectCase("upper case", std::wstring(L"ABC\u00c9_Z1"), text.UpperCase(L"abc\u00e9_z1"));
}

TEST(ServicesContract, DrawsRepeatableFractions) {
  TheEnv();
  platform::Random& random = *platform::Current().random;
  const double now = random.SecondsSinceMidnight();
  ExpectCase("time of day in range", true, now >= 0.0 && now < 86400.0);
  std::vector<double> first;
  std::vector<double> again;
  random.Seed(now);
  for (int i = 0; i < 100; ++i) {
    first.push_back(random.Next());
  }
  random.Seed(now);
  for (int i = 0; i < 100; ++i) {
    again.push_back(random.Next());
  }
  ExpectCase("same seed, same fractions", first, again);
  ExpectCase("fractions in [0, 1)", true,
             std::all_of(first.begin(), first.end(), [](double f) { return f >= 0.0 && f < 1.0; }));
}

}  // namespace
}  // namespace contract
