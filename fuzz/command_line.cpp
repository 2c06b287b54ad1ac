// Any argument text through Main: it ends in the About window or in exactly one shell request for
// the base URL followed by the cleaned text, cleaned as the reference below does it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fake/fake_platform.h"
#include "main/cls_main.h"
#include "require.h"

namespace {

using fuzz::Require;

// Bytes below 0xFF are the characters of those codes (NULs and control characters included);
// 0xFF and the two bytes after it make any other character of the basic plane.
std::wstring Decode(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text += static_cast<wchar_t>(data[i + 1] << 8 | data[i + 2]);
      i += 2;
    } else {
      text += static_cast<wchar_t>(data[i]);
    }
  }
  return text;
}

struct Cleaned {
  std::wstring page;  // empty: the About window
  bool stays = false;
};

// The command-line grammar written out plainly: the name's cut drops the blanks after it, a text
// holding "visio=" in any case loses its first space-separated token, quotes go, spaces are
// trimmed, and ABOUT_STAY asks for a window that stays.
Cleaned Reference(const std::wstring& arguments, platform::Text& text) {
  const std::size_t start = arguments.find_first_not_of(L" \t");
  std::wstring page = start == std::wstring::npos ? std::wstring() : arguments.substr(start);
  if (text.UpperCase(page).find(L"VISIO=") != std::wstring::npos) {
    const std::size_t space = page.find(L' ');
    page = space == std::wstring::npos ? std::wstring() : page.substr(space + 1);
  }
  std::erase(page, L'"');
  const std::size_t first = page.find_first_not_of(L' ');
  page = first == std::wstring::npos ? std::wstring()
                                     : page.substr(first, page.find_last_not_of(L' ') - first + 1);
  if (page == L"ABOUT_STAY") {
    return {L"", true};
  }
  return {page, false};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring arguments = Decode(data, size);
  fake::FakePlatform fakes;
  fakes.process.command_line = L"BrenvicAbout.exe " + arguments;
  fakes.toolkit.Push([](fake::FakeToolkit::Session& about) { about.Click(L"Command1"); });
  cls_Main::gb_AboutStay = false;

  cls_Main::Main();

  const Cleaned expected = Reference(arguments, fakes.text);
  Require(cls_Main::gb_AboutStay == expected.stays, "ABOUT_STAY and only it makes the window stay");
  Require(fakes.dialogs.Shown().empty(), "an accepted request shows no message");
  Require(fakes.toolkit.LeftOpen().empty(), "the About window is closed by its OK button");
  if (expected.page.empty()) {
    Require(fakes.toolkit.Shown().size() == 1, "one About window");
    Require(fakes.shell.Requests().empty(), "the About window asks the shell for nothing");
    return 0;
  }
  Require(fakes.toolkit.Shown().empty(), "a help page shows no window");
  Require(fakes.shell.Requests().size() == 1, "exactly one shell request");
  const fake::ShellRequest& request = fakes.shell.Requests()[0];
  Require(request.verb == "open" && request.parameters.empty() && request.folder.empty() &&
              request.show == 1,
          "the request opens the URL shown normally");
  const std::wstring base = cls_Main::kHelpBaseUrl;
  const std::wstring url = fakes.text.FromAnsi(request.file);
  Require(url.starts_with(base), "the URL starts with the base URL");
  const std::wstring page = url.substr(base.size());
  Require(!page.empty() && page.front() != L' ' && page.back() != L' ',
          "the page neither starts nor ends with a space");
  Require(page.find(L'"') == std::wstring::npos, "the page holds no double quote");
  Require(request.file == fakes.text.ToAnsi(base + expected.page),
          "the URL is the base URL followed by the cleaned text");
  return 0;
}
