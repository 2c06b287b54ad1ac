#pragma once

#include <string>

class cls_String;
class cls_ShellExecute;

/// The program's start-up: reads the command line and either shows the About window or opens the
/// help page it names.
namespace cls_Main {

/// Set when the command line asked for an About window that stays open.
extern bool gb_AboutStay;

/// The help site's address; pages are appended to it.
extern const wchar_t* const kHelpBaseUrl;

/// The entry procedure, run once at process start.
void Main();

/// Opens `as_Page` of the online help in the browser, or tells the user why it could not.
void gv_OpenHelpPage(const std::wstring& as_Page);

/// The process-wide helpers, made on first use.
cls_String& SharedString();
cls_ShellExecute& SharedShellExecute();

}  // namespace cls_Main
