#pragma once

#include <string>
#include <string_view>

class cls_String;

/// The argument text of a command line: what follows the program's name (up to its closing quote
/// when quoted, else up to the first space or tab) and the spaces and tabs after it, unchanged.
std::wstring ArgumentText(std::wstring_view command_line);

/// The help page that the argument text `text` names, cleaned with `strings`: a text holding
/// "visio=" in any case loses its first space-separated token, double quotes go and spaces at
/// both ends go (tabs stay). Empty for the About window; ABOUT_STAY asks for one that stays, and
/// sets `stay`.
std::wstring HelpPage(std::wstring text, cls_String& strings, bool& stay);
