// The About window as a user meets it: the edition it names, when it closes, its link, and the
// hidden button that leads to the Online Help Access window.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/sandbox.h"
#include "e2e/url_handler.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 10000;
// The window checks the foreground twice a second: two checks without closing prove it stays.
constexpr DWORD kTwoTicksMs = 1100;
constexpr DWORD kCloseMs = 1000;
constexpr wchar_t kAbout[] = L"About Brenvic Visio";
constexpr wchar_t kStay[] = L" ABOUT_STAY";
const std::string kBaseUrl = BRENVIC_HELP_BASE_URL;

bool KeepSandbox() {
  return true;
}

bool DeleteOneShapeStencil() {
  return DeleteFileW((std::wstring(kAddOnFolder) + L"brenvic_shape21.vss").c_str()) != FALSE;
}

bool UninstallVisio() {
  return RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Visio.Drawing") == ERROR_SUCCESS &&
         RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Visio.Drawing.11") == ERROR_SUCCESS;
}

struct Edition {
  const char* name;
  bool (*prepare)();
  const wchar_t* product;
};

void PrintTo(const Edition& c, std::ostream* out) {
  *out << c.name;
}

class ShowsEdition : public ::testing::TestWithParam<Edition> {};

TEST_P(ShowsEdition, ProductNameCountsShapeStencils) {
  const Edition& c = GetParam();
  ASSERT_TRUE(c.prepare());
  const auto program = Program::Start(kStay, true);
  ASSERT_TRUE(program) << "cannot start the program";
  const HWND about = WaitForWindow(program->Id(), kAbout, kWaitMs);
  ASSERT_NE(about, nullptr) << "no window captioned " << testing::PrintToString(kAbout);
  const auto product = FindControl(about, c.product);
  ASSERT_TRUE(product) << "no control reads " << testing::PrintToString(c.product);
  EXPECT_EQ(product->kind, L"Static");
  EXPECT_TRUE(product->visible);
  ASSERT_TRUE(ClickButton(about, L"&OK"));
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Sandbox, ShowsEdition,
    ::testing::Values(Edition{"TwentyOneShapesPro", KeepSandbox, L"Brenvic Visio Pro"},
                      Edition{"TwentyShapesLight", DeleteOneShapeStencil, L"Brenvic Visio Light"},
                      Edition{"NoVisioNoEdition", UninstallVisio, L"Brenvic Visio"}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Action { kTakeForeground, kEsc, kEnter, kCloseBox };

struct Closing {
  const char* name;
  const wchar_t* tail;  // the command line after the program's name
  Action action;
  bool closes;  // at once; otherwise the window stays until OK
};

void PrintTo(const Closing& c, std::ostream* out) {
  *out << c.name;
}

class Closes : public ::testing::TestWithParam<Closing> {};

TEST_P(Closes, OnlyWhenTheUserOrTheForegroundSays) {
  const Closing& c = GetParam();
  const auto program = Program::Start(c.tail, true);
  ASSERT_TRUE(program) << "cannot start the program";
  const HWND about = WaitForWindow(program->Id(), kAbout, kWaitMs);
  ASSERT_NE(about, nullptr) << "no window captioned " << testing::PrintToString(kAbout);
  std::optional<ForegroundWindow> other;
  switch (c.action) {
    case Action::kTakeForeground:
      other.emplace();
      ASSERT_TRUE(other->Ok()) << "the test's window did not take the foreground";
      break;
    case Action::kEsc:
      ASSERT_TRUE(PressKey(about, VK_ESCAPE));
      break;
    case Action::kEnter:
      ASSERT_TRUE(PressKey(about, VK_RETURN));
      break;
    case Action::kCloseBox:
      ASSERT_TRUE(PressCloseBox(about));
      break;
  }
  if (c.closes) {
    EXPECT_TRUE(WaitUntilGone(about, kCloseMs)) << "the window is still shown";
    EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
    return;
  }
  EXPECT_FALSE(WaitUntilGone(about, kTwoTicksMs)) << "the window closed by itself";
  ASSERT_TRUE(ClickButton(about, L"&OK"));
  EXPECT_TRUE(WaitUntilGone(about, kCloseMs)) << "OK left the window shown";
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Closes,
    ::testing::Values(Closing{"ForegroundLostEndsProgram", L"", Action::kTakeForeground, true},
                      Closing{"StayKeepsItOpen", kStay, Action::kTakeForeground, false},
                      Closing{"StayQuoted", L" \"ABOUT_STAY\"", Action::kTakeForeground, false},
                      Closing{"StayAmidBlanks", L"  ABOUT_STAY  ", Action::kTakeForeground, false},
                      Closing{"EscIgnoredWhileInFront", L"", Action::kEsc, false},
                      Closing{"EnterPressesOk", kStay, Action::kEnter, true},
                      Closing{"CloseBoxCloses", kStay, Action::kCloseBox, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AboutLink, OpensHomePageOfOnlineHelp) {
  ASSERT_TRUE(ClearRecord());
  ASSERT_TRUE(SetUrlHandler(RecorderCommand()));
  const auto program = Program::Start(kStay, true);
  ASSERT_TRUE(program) << "cannot start the program";
  const HWND about = WaitForWindow(program->Id(), kAbout, kWaitMs);
  ASSERT_NE(about, nullptr) << "no window captioned " << testing::PrintToString(kAbout);
  std::vector<HWND> links;
  for (const ControlView& control : ListControls(about)) {
    if (control.kind == L"Static" && control.visible && (control.style & SS_NOTIFY) != 0) {
      links.push_back(control.window);
    }
  }
  ASSERT_EQ(links.size(), 1u) << "expected one label that takes clicks";
  ASSERT_TRUE(ClickLabel(links.front()));
  EXPECT_EQ(WaitForRecord(kWaitMs), "\"" + kBaseUrl + "visio_Index.htm\"\n");
  EXPECT_TRUE(IsWindowVisible(about)) << "the link closed the window";
}

}  // namespace
}  // namespace e2e
