#pragma once

#include <string>
#include <string_view>

/// The argument text of a command line: what follows the program's name (up to its closing quote
/// when quoted, else up to the first space or tab) and the spaces and tabs after it, unchanged.
std::wstring ArgumentText(std::wstring_view command_line);
