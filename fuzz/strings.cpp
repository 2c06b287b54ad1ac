// cls_String against a plain reference: global replace, find and tokens, in both comparison modes
// (the Windows tests hold trimming, which asks the code page). The first two characters give the
// lengths of the text to find and of its replacement, which follow; the rest is the source.
#include <algorithm>

#include "fuzz.h"
#include "util/cls_string.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using fuzz::Require;
  const std::wstring input = fuzz::Decode(data, size);
  const std::wstring rest = input.substr(std::min<std::size_t>(2, input.size()));
  const std::wstring find = rest.substr(0, input.empty() ? 0 : input[0] % 7);
  const std::wstring with = rest.substr(find.size(), input.size() < 2 ? 0 : input[1] % 7);
  const std::wstring source = rest.substr(find.size() + with.size());
  cls_String strings;
  for (const bool exact : {true, false}) {
    // Where `find` first stands in `source` from `at`, the characters folded one by one.
    const auto fold = [&](const std::wstring& text) {
      return exact ? text : platform::Current().text->UpperCase(text);
    };
    const auto match = [&](std::size_t at) {
      while (at + find.size() <= source.size() &&
             fold(source.substr(at, find.size())) != fold(find)) {
        ++at;
      }
      return at + find.size() <= source.size() ? at : std::wstring::npos;
    };
    std::wstring replaced;
    for (std::size_t at = 0; at < source.size();) {
      const bool here = !find.empty() && match(at) == at;
      replaced += here ? with : source.substr(at, 1);
      at += here ? find.size() : 1;
    }
    Require(strings.of_GlobalReplace(source, find, with, exact) == replaced, "replaces");
    const std::size_t first = source.empty() ? std::wstring::npos : match(0);
    Require(strings.of_Find(source, find, exact) ==
                (first == std::wstring::npos ? 0 : static_cast<int>(first) + 1),
            "finds");
    std::wstring left = source;
    for (std::size_t at = 0; at < source.size();) {
      const std::size_t end = std::min(match(at), source.size());
      const std::wstring token = exact ? strings.of_GetNextTokenEx(left, find, exact)
                                       : strings.of_GetNextToken(left, find);
      Require(token == source.substr(at, end - at), "cuts the token before the delimiter");
      at = end == source.size() ? end : end + find.size();
      Require(left == source.substr(at), "leaves what follows the delimiter");
      if (find.empty()) {
        break;  // an empty delimiter cuts nothing
      }
    }
  }
  return 0;
}
