#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/random.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace platform {

/// Everything the program asks of the system. One is installed per process: the real one by the
/// Windows entry point, a fake by a test. The parts are not owned.
struct Platform {
  Registry* registry = nullptr;
  FileSystem* files = nullptr;
  Text* text = nullptr;
  Dialogs* dialogs = nullptr;
  Random* random = nullptr;
  Shell* shell = nullptr;
  Process* process = nullptr;
  Toolkit* toolkit = nullptr;
};

/// Makes `parts` the process's platform and forgets the file listing in progress.
void Install(const Platform& parts);

/// The installed platform.
const Platform& Current();

}  // namespace platform
