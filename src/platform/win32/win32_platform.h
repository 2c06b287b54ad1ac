#pragma once

namespace platform {

/// Installs the real Windows platform for the rest of the process.
void InstallWin32();

}  // namespace platform
