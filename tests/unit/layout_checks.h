#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "platform/toolkit.h"

namespace layout_checks {

/// How far a control may reach past its parent's right and bottom edges, in twips.
using Overhangs = std::map<std::wstring_view, std::pair<int, int>>;

/// Unique names and tab indexes, panels before their contents, one enabled default button, and
/// every control inside its parent but for the overhangs allowed and the hidden controls placed
/// wholly below the window.
inline void ExpectSound(const platform::FormSpec& form, const Overhangs& overhangs) {
  std::set<std::wstring_view> names;
  std::set<int> tabs;
  int defaults = 0;
  for (std::size_t row = 0; row < form.controls.size(); ++row) {
    const platform::ControlSpec& c = form.controls[row];
    const std::string name(c.name.begin(), c.name.end());
    EXPECT_TRUE(names.insert(c.name).second) << name << " twice";
    EXPECT_TRUE(tabs.insert(c.tab_index).second) << name << " shares its tab index";
    if ((c.flags & platform::cf::kDefault) != 0) {
      ++defaults;
      EXPECT_EQ(c.kind, platform::ControlKind::kButton) << name;
      EXPECT_EQ(c.flags & (platform::cf::kHidden | platform::cf::kDisabled), 0u) << name;
    }
    int width = form.client_width;
    int height = form.client_height;
    if (c.parent >= 0) {
      ASSERT_LT(static_cast<std::size_t>(c.parent), row) << name << ": panel after its content";
      const platform::ControlSpec& panel = form.controls[static_cast<std::size_t>(c.parent)];
      EXPECT_EQ(panel.kind, platform::ControlKind::kPanel) << name;
      width = panel.width;
      height = panel.height;
    }
    EXPECT_GE(c.left, 0) << name;
    EXPECT_GE(c.top, 0) << name;
    if ((c.flags & platform::cf::kHidden) != 0 && c.top >= height) {
      continue;
    }
    const auto allowed = overhangs.find(c.name);
    const auto [right, bottom] = allowed == overhangs.end() ? std::pair(0, 0) : allowed->second;
    EXPECT_LE(c.left + c.width, width + right) << name;
    EXPECT_LE(c.top + c.height, height + bottom) << name;
  }
  EXPECT_EQ(defaults, 1);
}

}  // namespace layout_checks
