#pragma once

#include <functional>
#include <string>

/// Opens a page of the online help by name, telling the user when it cannot.
using HelpPageOpener = std::function<void(const std::wstring& as_Page)>;
