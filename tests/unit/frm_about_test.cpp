#include "forms/frm_about.h"

#include <gtest/gtest.h>

#include <optional>

#include "fake/fake_platform.h"
#include "forms/about_layout.h"
#include "layout_checks.h"
#include "main/cls_main.h"
#include "platform/ansi.h"

namespace {

using fake::FakeToolkit;
using Captions = std::vector<std::wstring>;

constexpr std::int32_t kHkcr = INT32_MIN;
const std::string kVisioDir = "C:\\Program Files\\Microsoft Office\\Visio11\\";
const std::string kAddOn = kVisioDir + "Solutions\\#Brenvic Visio\\";
constexpr platform::WindowHandle kElsewhere = 0x7777;
constexpr wchar_t kAddress[] = L"https://help.example/visio/";

void InstallVisio(fake::FakePlatform& fp) {
  fp.registry.SetString(kHkcr, "Visio.Drawing\\CurVer", "", "Visio.Drawing.11");
  fp.registry.SetString(kHkcr, "Visio.Drawing.11\\Shell\\Open\\Command", "",
                        "\"" + kVisioDir + "VISIO.EXE\" /nologo");
  fp.files.AddFolder(kAddOn);
}

class AboutTest : public testing::Test {
 protected:
  void SetUp() override { InstallVisio(fp); }
  void Show(FakeToolkit::Script script) {
    fp.toolkit.Push(std::move(script));
    about.Show();
  }

  fake::FakePlatform fp;
  bool stay = false;
  std::vector<std::wstring> pages;
  std::function<void()> while_opening;
  frm_About about{[this](const std::wstring& page) {
                    pages.push_back(page);
                    if (while_opening) {
                      while_opening();
                    }
                  },
                  stay, kAddress};
};

TEST_F(AboutTest, LayoutIsSound) {
  // The black bands and the product name run off the right and bottom edges, and the warning's
  // box past its panel's foot, as designed: the edges clip them.
  layout_checks::ExpectSound(forms::about::kForm, {{L"Label1", {15, 0}},
                                                   {L"Label2", {0, 345}},
                                                   {L"lbl_Edition", {15, 0}},
                                                   {L"Text2", {0, 45}}});
  for (const platform::ControlSpec& c : forms::about::kControls) {
    EXPECT_EQ(c.flags & platform::cf::kCancel, 0u) << "Esc must not close the window";
  }
  const platform::ControlSpec& hidden = forms::about::kControls[forms::about::kCmdMacro];
  EXPECT_GE(hidden.top, forms::about::kForm.client_height);
  EXPECT_NE(hidden.flags & platform::cf::kHidden, 0u);
}

TEST_F(AboutTest, ShowsCentredWithTheLinkToTheHelpSite) {
  fp.toolkit.SetScreen(15000, 12000);
  Show([&](FakeToolkit::Session& window) {
    EXPECT_EQ(window.Left(), (15000 - 5130 - FakeToolkit::kFrameWidth) / 2);
    EXPECT_EQ(window.Top(), (12000 - 3855 - FakeToolkit::kFrameHeight) / 2);
    EXPECT_EQ(window.Caption(L"lbl_Home"), kAddress);
    EXPECT_FALSE(window.Visible(L"cmd_Macro"));
    window.Click(L"cmd_Macro");
    window.Click(L"lbl_Home");
    EXPECT_TRUE(window.Loaded());
    window.Enter();
  });
  EXPECT_EQ(pages, std::vector<std::wstring>{L"visio_Index.htm"});
  EXPECT_EQ(fp.toolkit.Shown(), Captions{L"About Brenvic Visio"});
  EXPECT_TRUE(fp.toolkit.LeftOpen().empty());
}

TEST_F(AboutTest, EditionCountsTheShapeStencils) {
  struct Case {
    int shapes;
    int in_sub_folder;
    bool visio;
    std::string edition;
  };
  const Case cases[] = {
      {20, 0, true, " Light"}, {21, 0, true, " Pro"}, {20, 5, true, " Light"},
      {0, 0, true, " Light"},  {21, 0, false, ""},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    if (c.visio) {
      InstallVisio(fresh);
    }
    fresh.files.AddFolder(kAddOn + "brenvic_shape_folder");
    fresh.files.AddFile(kAddOn + "brenvic_global.vss");
    for (int i = 0; i < c.shapes; ++i) {
      fresh.files.AddFile(kAddOn + "brenvic_shape" + std::to_string(i) + ".vss");
    }
    for (int i = 0; i < c.in_sub_folder; ++i) {
      fresh.files.AddFile(kAddOn + "old\\brenvic_shape" + std::to_string(i) + ".vss");
    }
    std::wstring caption;
    fresh.toolkit.Push([&](FakeToolkit::Session& window) {
      caption = window.Caption(L"lbl_Edition");
      window.Click(L"Command1");
    });
    frm_About(nullptr, stay, kAddress).Show();
    EXPECT_EQ(platform::Ansi(caption), "Brenvic Visio" + c.edition) << c.shapes << " shapes";
  }
}

TEST_F(AboutTest, ClosesByOkEnterAndCloseBoxButNotByEsc) {
  const std::pair<void (FakeToolkit::Session::*)(), bool> cases[] = {
      {&FakeToolkit::Session::Enter, true},
      {&FakeToolkit::Session::CloseBox, true},
      {&FakeToolkit::Session::Esc, false},
  };
  for (const auto& [press, closes] : cases) {
    Show([&](FakeToolkit::Session& window) {
      (window.*press)();
      EXPECT_EQ(window.Loaded(), !closes);
      window.Click(L"Command1");
      EXPECT_FALSE(window.Loaded());
    });
  }
  EXPECT_TRUE(fp.toolkit.LeftOpen().empty());
}

TEST_F(AboutTest, TimerClosesTheWindowOnceAnotherHasTheForeground) {
  const std::tuple<bool, std::optional<platform::WindowHandle>, bool> cases[] = {
      {false, std::nullopt, false},
      {false, kElsewhere, true},
      {true, kElsewhere, false},
  };
  for (const auto& [told_to_stay, foreground, closes] : cases) {
    stay = told_to_stay;
    fp.toolkit.SetForeground(foreground);
    Show([&](FakeToolkit::Session& window) {
      window.Tick();
      EXPECT_EQ(window.Loaded(), !closes) << told_to_stay << " " << foreground.has_value();
      window.CloseBox();
    });
  }
}

TEST_F(AboutTest, TimerWaitsWhileTheHelpAccessWindowIsOpen) {
  fp.files.AddFile(kAddOn + "Global\\brenvic_global.vss", std::string(30000, 'W'));
  Show([&](FakeToolkit::Session& window) {
    fp.toolkit.Push([&](FakeToolkit::Session& macro) {
      window.Tick();  // the access window is in front
      fp.toolkit.SetForeground(kElsewhere);
      window.Tick();
      EXPECT_TRUE(window.Loaded());
      macro.Click(L"cmd_Help");
      macro.Esc();
    });
    about.Click(forms::about::kCmdMacro);
    EXPECT_TRUE(window.Loaded());
    window.Tick();
    EXPECT_FALSE(window.Loaded());
  });
  EXPECT_EQ(fp.toolkit.Shown(), (Captions{L"About Brenvic Visio", L"Set Up Online Help Access"}));
  EXPECT_EQ(pages, std::vector<std::wstring>{L"visio_HowTo_EnableMacroWindow.htm"});
}

// The link's failure message takes the foreground while the link's handler runs.
TEST_F(AboutTest, TimerWaitsForTheLinksMessageBox) {
  Show([&](FakeToolkit::Session& window) {
    while_opening = [&] {
      window.SetForeground(kElsewhere);
      window.Tick();
      window.Tick();
      EXPECT_TRUE(window.Loaded());
    };
    window.Click(L"lbl_Home");
    EXPECT_TRUE(window.Loaded());
    window.Tick();
    EXPECT_FALSE(window.Loaded());
  });
}

// The link shows the address without its scheme; ABOUT_STAY keeps the window from the timer.
TEST(AboutFromMainTest, ShowsTheWindowWhenNoPageIsNamed) {
  for (const bool stays : {false, true}) {
    fake::FakePlatform fp;
    cls_Main::gb_AboutStay = false;
    fp.process.command_line = stays ? L"BrenvicAbout.exe visio=1 ABOUT_STAY" : L"BrenvicAbout.exe";
    fp.toolkit.SetForeground(kElsewhere);
    fp.toolkit.Push([&](FakeToolkit::Session& window) {
      EXPECT_EQ(window.Caption(L"lbl_Home"), L"www.brenvic.example/help");
      window.Click(L"lbl_Home");
      window.Tick();
      EXPECT_EQ(window.Loaded(), stays);
    });
    cls_Main::Main();
    EXPECT_EQ(fp.toolkit.LeftOpen().size(), stays ? 1u : 0u);
    ASSERT_EQ(fp.shell.Requests().size(), 1u);
    EXPECT_EQ(fp.shell.Requests()[0].file,
              platform::Ansi(cls_Main::kHelpBaseUrl) + "visio_Index.htm");
  }
  cls_Main::gb_AboutStay = false;
}

}  // namespace
