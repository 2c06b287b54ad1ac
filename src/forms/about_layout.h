#pragma once

#include <array>

#include "forms/resource_ids.h"
#include "platform/toolkit.h"

/// The About window's layout. The link's caption is left empty here: the window fills in the help
/// site's address, a build setting, before it is shown.
namespace forms::about {

/// Rows of the layout, in table (and tab) order.
enum Control : int {
  kLabel1,
  kLabel2,
  kLblEdition,
  kCommand1,
  kPicture1,
  kText2,
  kText1,
  kLabel4,
  kLabel5,
  kLblHome,
  kCmdMacro,
  kImage1,
};

inline constexpr platform::Color kBlack = 0x000000;
inline constexpr platform::Color kWhite = 0xFFFFFF;
inline constexpr platform::Color kSilver = 0xC0C0C0;
inline constexpr platform::Color kDarkBlue = 0x0000C0;

inline constexpr wchar_t kCopyright[] = L"Copyright (c) 2004-2026\r\nHarrowbright Software Ltd.";
inline constexpr wchar_t kWarning[] =
    L"All rights reserved. This program and its stencils are the property of Harrowbright "
    L"Software Ltd. and are protected by copyright law. Copying, lending or passing on this "
    L"program or any part of it without its maker's written consent is forbidden and may lead to "
    L"claims for damages and to prosecution.";

namespace detail {
using platform::kNoColor;
using enum platform::ControlKind;
namespace cf = platform::cf;
constexpr platform::FontSpec kEditionFont{L"Arial", 1575, true, false};
constexpr platform::FontSpec kLinkFont{L"MS Sans Serif", 825, false, true};
// The link's face without the underline, so that the two texts meet as laid out.
constexpr platform::FontSpec kLeadFont{L"MS Sans Serif", 825, false, false};
constexpr std::uint32_t kReadOnlyText = cf::kMultiLine | cf::kNoTabStop;
}  // namespace detail

// name, kind, caption, left, top, width, height, tab index, parent, flags, text, back, font,
// picture
inline constexpr auto kControls = std::to_array<platform::ControlSpec>({
    {L"Label1", detail::kLabel, L"", 0, 0, 5145, 600, 0, -1, 0, detail::kNoColor, kBlack},
    {L"Label2", detail::kLabel, L"", 0, 135, 915, 4065, 1, -1, 0, detail::kNoColor, kBlack},
    {L"lbl_Edition", detail::kLabel, L"Brenvic Visio", 765, 90, 4380, 465, 2, -1,
     detail::cf::kCentered, kSilver, detail::kNoColor, detail::kEditionFont},
    {L"Command1", detail::kButton, L"&OK", 2340, 3420, 1185, 330, 3, -1, detail::cf::kDefault},
    {L"Picture1", detail::kPanel, L"", 990, 675, 4065, 2175, 4, -1, detail::cf::kDisabled,
     detail::kNoColor, kWhite},
    {L"Text2", detail::kTextBox, kWarning, 135, 765, 3795, 1455, 5, kPicture1,
     detail::kReadOnlyText, detail::kNoColor, kWhite},
    {L"Text1", detail::kTextBox, kCopyright, 495, 270, 2985, 465, 6, kPicture1,
     detail::kReadOnlyText, detail::kNoColor, kWhite},
    {L"Label4", detail::kLabel, L"Version 2.0", 1485, 45, 825, 195, 7, kPicture1,
     detail::cf::kCentered | detail::cf::kAutoSize, detail::kNoColor, kWhite},
    {L"Label5", detail::kLabel, L"Click here to visit:", 1260, 3015, 1245, 195, 8, -1,
     detail::cf::kAutoSize, detail::kNoColor, detail::kNoColor, detail::kLeadFont},
    {L"lbl_Home", detail::kLabel, L"", 2520, 3015, 2175, 195, 9, -1,
     detail::cf::kLink | detail::cf::kCentered | detail::cf::kAutoSize, kDarkBlue, detail::kNoColor,
     detail::kLinkFont},
    {L"cmd_Macro", detail::kButton, L"Online Help &Access", 1485, 4050, 2400, 330, 10, -1,
     detail::cf::kHidden},
    {L"Image1",
     detail::kImage,
     L"",
     90,
     90,
     630,
     630,
     11,
     -1,
     0,
     detail::kNoColor,
     detail::kNoColor,
     {},
     IDB_LOGO},
});

inline constexpr platform::FormSpec kForm{
    L"About Brenvic Visio", 5130, 3855, kWhite, 0, kControls, 500};

}  // namespace forms::about
