// cls_String against a plain reference: global replace, find and tokens in both comparison modes,
// and the properties of of_Trim.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake/fake_platform.h"
#include "require.h"
#include "util/cls_string.h"

namespace {

using fuzz::Require;

// Mostly characters that meet each other (letters in both cases, blanks, quotes, Latin-1 pairs
// whose upper case differs), now and then any code.
wchar_t NextCharacter(FuzzedDataProvider& input) {
  static constexpr wchar_t kCommon[] = {L'a', L'A', L'b', L'B',  L' ', L'"',   L'\t',  L'\0', L'\r',
                                        0xE9, 0xC9, 0xFF, 0x178, 0x1F, 0x20AC, 0xD800, L'x',  L'X'};
  const auto pick = input.ConsumeIntegral<std::uint8_t>();
  if (pick < 0xF0) {
    return kCommon[pick % std::size(kCommon)];
  }
  return static_cast<wchar_t>(input.ConsumeIntegralInRange<std::uint32_t>(0, 0x10FFFF));
}

std::wstring NextText(FuzzedDataProvider& input, std::size_t longest) {
  std::wstring text(input.ConsumeIntegralInRange<std::size_t>(0, longest), L' ');
  for (wchar_t& c : text) {
    c = NextCharacter(input);
  }
  return text;
}

// The source and the text to find with each character folded on its own: without case, to the
// upper case the text service gives it. A search of the rest from a position is a search of the
// folded source from there.
class Reference {
 public:
  Reference(platform::Text& text, bool case_sensitive, const std::wstring& source,
            const std::wstring& find)
      : source_(source), find_(find) {
    for (const wchar_t c : source) {
      folded_source_ += case_sensitive ? c : text.UpperCase(std::wstring(1, c))[0];
    }
    for (const wchar_t c : find) {
      folded_find_ += case_sensitive ? c : text.UpperCase(std::wstring(1, c))[0];
    }
  }

  std::size_t Find() const {
    if (source_.empty()) {
      return 0;
    }
    const std::size_t at = MatchFrom(0);
    return at == std::wstring::npos ? 0 : at + 1;
  }

  std::wstring Replace(const std::wstring& with) const {
    if (find_.empty() || find_.size() > 32767) {
      return source_;
    }
    std::wstring done;
    for (std::size_t at = 0; at < source_.size();) {
      if (MatchesAt(at)) {
        done += with;
        at += find_.size();
      } else {
        done += source_[at++];
      }
    }
    return done;
  }

  /// Cuts the next token off the rest, which starts at `rest`.
  std::wstring Token(std::size_t& rest) const {
    const std::size_t at = rest == source_.size() ? std::wstring::npos : MatchFrom(rest);
    std::wstring token;
    if (at == std::wstring::npos) {
      token = source_.substr(rest);
      rest = source_.size();
    } else {
      token = source_.substr(rest, at - rest);
      rest = at + find_.size();
    }
    return token;
  }

 private:
  bool MatchesAt(std::size_t at) const {
    return at + find_.size() <= source_.size() &&
           folded_source_.compare(at, find_.size(), folded_find_) == 0;
  }
  std::size_t MatchFrom(std::size_t from) const {
    for (std::size_t at = from; at + find_.size() <= source_.size(); ++at) {
      if (MatchesAt(at)) {
        return at;
      }
    }
    return std::wstring::npos;
  }

  const std::wstring& source_;
  const std::wstring& find_;
  std::wstring folded_source_;
  std::wstring folded_find_;
};

bool IsBlank(wchar_t c) {
  return c >= 0 && c < 33;
}

bool AllBlank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), IsBlank);
}

void CheckTrim(cls_String& strings, const std::wstring& source) {
  const std::wstring leading = strings.of_Trim(source, -1);
  const std::wstring both = strings.of_Trim(source, 0);
  const std::wstring trailing = strings.of_Trim(source, 1);
  Require(source.ends_with(leading) && AllBlank(source.substr(0, source.size() - leading.size())),
          "trimming the start removes blanks only, from the start");
  Require(leading.empty() || !IsBlank(leading.front()), "no blank left at the start");
  Require(source.starts_with(trailing) && AllBlank(source.substr(trailing.size())),
          "trimming the end removes blanks only, from the end");
  Require(trailing.empty() || !IsBlank(trailing.back()), "no blank left at the end");
  Require(both == strings.of_Trim(leading, 1) && both == strings.of_Trim(trailing, -1),
          "both ends is the start, then the end");
  Require(source.find(both) != std::wstring::npos, "the trimmed text is part of the source");
  for (const std::int16_t kind : {-1, 0, 1}) {
    const std::wstring once = strings.of_Trim(source, kind);
    Require(strings.of_Trim(once, kind) == once, "trimming again changes nothing");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::wstring find = NextText(input, 6);
  const std::wstring with = NextText(input, 6);
  const std::wstring source = NextText(input, size);
  fake::FakePlatform fakes;
  cls_String strings;

  for (const bool exact : {true, false}) {
    const Reference reference(fakes.text, exact, source, find);
    Require(strings.of_GlobalReplaceEx(source, find, with, exact) == reference.Replace(with),
            "of_GlobalReplaceEx replaces as the reference");
    Require(strings.of_GlobalReplace(source, find, with, exact) == reference.Replace(with),
            "of_GlobalReplace replaces as the reference");
    Require(static_cast<std::size_t>(strings.of_Find(source, find, exact)) == reference.Find(),
            "of_Find finds as the reference");

    // Cut token after token, as a caller looping over a list does (an empty delimiter cuts
    // nothing, so the rounds are bounded).
    std::wstring rest = source;
    std::size_t expected_rest = 0;
    for (int round = 0; round < 64 && expected_rest < source.size(); ++round) {
      const std::wstring token = exact ? strings.of_GetNextTokenEx(rest, find, exact)
                                       : strings.of_GetNextToken(rest, find);
      Require(token == reference.Token(expected_rest) &&
                  source.compare(expected_rest, std::wstring::npos, rest) == 0,
              "the token and the rest are the reference's");
    }
  }
  CheckTrim(strings, source);
  return 0;
}
