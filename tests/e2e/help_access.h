#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver.h"

// The message boxes of the Online Help Access window, and the way to that window through the About
// window's hidden button.
namespace e2e {

inline constexpr DWORD kWaitMs = 10000;
inline constexpr DWORD kCloseMs = 1000;
inline constexpr wchar_t kAbout[] = L"About Brenvic Visio";
inline constexpr wchar_t kHelpAccess[] = L"Set Up Online Help Access";
inline constexpr wchar_t kTitle[] = L"Brenvic Visio";
inline constexpr wchar_t kCheckBox[] = L"&Enable Online Help Access from Visio";

enum class Icon { kCritical, kQuestion, kExclamation, kInformation };

/// One message box the program must show, and the button the user answers it with.
struct Box {
  std::wstring text;
  bool text_is_start;  ///< the rest is the system's wording of the cause
  std::vector<int> buttons;
  Icon icon;
  int default_button;
  int answer;
};

inline const Box kM1{
    L"File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again.",
    false,
    {IDOK},
    Icon::kExclamation,
    IDOK,
    IDOK};
inline const Box kM2Yes{
    L"Are you sure that you want to disable the direct access to your online help?",
    false,
    {IDYES, IDNO},
    Icon::kQuestion,
    IDNO,
    IDYES};
inline const Box kM2No{kM2Yes.text, false, {IDYES, IDNO}, Icon::kQuestion, IDNO, IDNO};
inline const Box kM3{
    L"Please close all the drawings opened in Visio then try again.\r\n\r\nTip: If it still "
    L"doesn't work, ensure that you have the \"write\" access to this file.  Contact your system "
    L"administrator for help.",
    false,
    {IDOK},
    Icon::kExclamation,
    IDOK,
    IDOK};
inline const Box kM4{L"The direct access to your Brenvic Visio online help has been  enabled.",
                     false,
                     {IDOK},
                     Icon::kInformation,
                     IDOK,
                     IDOK};
inline const Box kM5{
    L"The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\nTo enable "
    L"the access in the future, click the About Brenvic Visio icon in your Brenvic Visio program "
    L"folder (Start > All Programs > the folder) to access this window.",
    false,
    {IDOK},
    Icon::kInformation,
    IDOK,
    IDOK};

/// The message of a copy from `source` over the stencil in use that failed.
Box CopyFailure(const std::wstring& source);

/// Waits for the next message box of the process, checks it against `expected` and answers it.
void Answer(DWORD process_id, const Box& expected);

/// Waits for the About window and opens the Online Help Access window with its hidden button, as
/// only a test tool can.
void OpenHelpAccess(const Program& program, HWND& about, HWND& window);

}  // namespace e2e
