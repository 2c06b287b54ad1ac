#pragma once

#include <string_view>

namespace platform {

/// Whether `pattern` (a name with the wildcards "*" and "?") matches `name` by the rules Windows
/// applies to long names: "?" stands for one character but a ".", or for none at a "." and at the
/// end; a "*" before a "." stops short of the name's last "."; a "." before a wildcard or at the
/// end also matches the end of the name ("*.*" matches every name, "*." those without a "."). Both
/// are compared as given: the caller folds their case.
bool MatchesLongName(std::wstring_view pattern, std::wstring_view name);

/// Whether `name` holds a wildcard, so that a listing of it may match other names.
bool HasWildcard(std::wstring_view name);

}  // namespace platform
