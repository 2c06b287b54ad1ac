#include "host/cls_global.h"

#include <gtest/gtest.h>

#include <span>

#include "fake/fake_platform.h"

namespace {

using fake::FakeToolkit;

// A bare window that centres itself on load, as the program's windows do.
class Centred : public platform::FormEvents {
 public:
  void Form_Load() override { cls_Global().gv_CenterForm(Form()); }
  void Click(int) override {}
  void Cancel(bool) override {}
};

TEST(CenterFormTest, PutsTheOuterRectangleInTheMiddleOfTheWholeScreen) {
  struct Case {
    const char* name;
    double screen_width, screen_height;
    double outer_width, outer_height;
    double left, top;
  };
  const Case cases[] = {
      {"even", 12000, 9000, 4000, 3000, 4000, 3000},
      {"odd difference keeps the half", 12001, 9000, 4000, 2999, 4000.5, 3000.5},
      {"larger than the screen", 3000, 2000, 4000, 3000, -500, -500},
      // 16,777,219 is held as 16,777,220 in single precision.
      {"single precision", 16777219, 9000, 1000, 3000, 8388110, 3000},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fp;
    fp.toolkit.SetScreen(c.screen_width, c.screen_height);
    const platform::FormSpec layout{L"Centred",
                                    static_cast<int>(c.outer_width - FakeToolkit::kFrameWidth),
                                    static_cast<int>(c.outer_height - FakeToolkit::kFrameHeight),
                                    platform::kNoColor,
                                    0,
                                    {}};
    double left = 0;
    double top = 0;
    fp.toolkit.Push([&](FakeToolkit::Session& window) {
      left = window.Left();
      top = window.Top();
    });
    Centred form;
    fp.toolkit.ShowModal(layout, form);
    EXPECT_EQ(left, c.left) << c.name;
    EXPECT_EQ(top, c.top) << c.name;
  }
}

}  // namespace
