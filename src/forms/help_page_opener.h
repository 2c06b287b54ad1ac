#pragma once

#include <string>

/// Opens a page of the online help by name, telling the user when it cannot.
using HelpPageOpener = void (*)(const std::wstring& as_Page);
