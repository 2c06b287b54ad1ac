#pragma once

#include <array>

#include "forms/resource_ids.h"
#include "platform/toolkit.h"

/// The Online Help Access window's layout.
namespace forms::macro {

/// Rows of the layout.
enum Control : int {
  kPicture1,
  kText2,
  kCxMacro,
  kCmdOK,
  kCmdCancel,
  kCmdHelp,
};

inline constexpr platform::Color kWhite = 0xFFFFFF;

inline constexpr wchar_t kExplanation[] =
    L"You can access the Brenvic Visio online help directly from Visio via \r\n"
    L"the \"Brenvic Help\" menu.  This menu offers tutorials and other \r\n"
    L"useful information.\r\n"
    L"\r\n"
    L"The menu is created with macro scripts.  Therefore Visio may warn \r\n"
    L"you each time a drawing is to be opened.  Disabling the access \r\n"
    L"from this window will stop the potential warning.  For additional \r\n"
    L"information, including the alternatives, please click the help button. \r\n"
    L"\r\n"
    L"Click the checkbox below to make your choice. \r\n";

namespace detail {
using platform::kNoColor;
using enum platform::ControlKind;
namespace cf = platform::cf;
// Tahoma, the dialog face that Windows and Wine both ship, at 6.75 pt: ten lines fit the box
// unwrapped at 96, 120 and 144 DPI, since the disabled panel cannot scroll.
constexpr platform::FontSpec kExplanationFont{L"Tahoma", 675, false, false};
}  // namespace detail

// name, kind, caption, left, top, width, height, tab index, parent, flags, text, back, font
inline constexpr auto kControls = std::to_array<platform::ControlSpec>({
    {L"Picture1", detail::kPanel, L"", 90, 90, 5145, 1995, 4, -1,
     detail::cf::kDisabled | detail::cf::kFrame, detail::kNoColor, kWhite},
    {L"Text2", detail::kTextBox, kExplanation, 135, 180, 4785, 1725, 5, kPicture1,
     detail::cf::kMultiLine | detail::cf::kNoTabStop, detail::kNoColor, kWhite,
     detail::kExplanationFont},
    {L"cx_Macro", detail::kCheckBox, L"&Enable Online Help Access from Visio", 90, 2160, 3570, 285,
     0, -1, 0, detail::kNoColor, kWhite},
    {L"cmd_OK", detail::kButton, L"&OK", 1620, 2655, 1185, 330, 1, -1, detail::cf::kDefault},
    {L"cmd_Cancel", detail::kButton, L"&Cancel", 2835, 2655, 1185, 330, 2, -1, detail::cf::kCancel},
    {L"cmd_Help", detail::kButton, L"&Help", 4050, 2655, 1185, 330, 3, -1},
});

inline constexpr platform::FormSpec kForm{
    L"Set Up Online Help Access", 5325, 3075, kWhite, IDI_MACRO, kControls};

}  // namespace forms::macro
