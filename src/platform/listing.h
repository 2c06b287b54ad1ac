#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// The process-wide pattern listing. Starts a new listing of `pattern` (a pattern ending in "\"
/// lists that folder's entries), abandoning the one in progress, and returns the first name whose
/// hidden, system and folder bits are all held by `mask` and whose long name matches the pattern's
/// wildcards; the empty string when there is none or the folder cannot be read. Names come without
/// folder, in the file system's order.
std::wstring ListFirst(const std::wstring& pattern, std::uint32_t mask);

/// The next name of the listing in progress, or the empty string at its end.
std::wstring ListNext();

/// Ends the listing in progress, so that no search stays open in a folder about to be removed.
void ListEnd();

/// 0 when the last listing ran to its end (or found nothing); else the code with which the system
/// broke it off, its names then being incomplete.
std::uint32_t ListBrokeOff();

/// Deletes every ordinary file (not hidden, system or a folder) matching `pattern` as the listing
/// does, in listing order, stopping at the first that cannot be deleted. Returns 0, 2 when nothing
/// matched, 3 when the folder is missing, or the code of the failed listing or deletion.
std::uint32_t DeleteMatching(const std::wstring& pattern);

/// True for the causes that mean "nothing exists there" (2 and 3).
bool IsNotFound(std::uint32_t code);

}  // namespace platform
