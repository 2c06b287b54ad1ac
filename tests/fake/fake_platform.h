#pragma once

// In-memory stand-ins for the platform, modelling what Windows does for the calls the program
// makes. Constructing a FakePlatform installs it; destroying it installs an empty platform.

#include "fake/fake_dialogs.h"
#include "fake/fake_file_system.h"
#include "fake/fake_random.h"
#include "fake/fake_registry.h"
#include "fake/fake_shell.h"
#include "fake/fake_text.h"
#include "fake/fake_toolkit.h"
#include "fake/fault_plan.h"
#include "platform/platform.h"

namespace fake {

/// One of each fake, sharing one FaultPlan, installed as the process's platform while it lives.
struct FakePlatform {
  FakePlatform() {
    platform::Install({.registry = &registry,
                       .files = &files,
                       .text = &text,
                       .dialogs = &dialogs,
                       .random = &random,
                       .shell = &shell,
                       .process = &process,
                       .toolkit = &toolkit});
  }
  ~FakePlatform() { platform::Install(platform::Platform{}); }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FaultPlan faults;
  FakeRegistry registry{faults};
  FakeFileSystem files{faults};
  FakeText text{faults};
  FakeDialogs dialogs{faults};
  FakeRandom random;
  FakeShell shell{faults};
  FakeProcess process{&faults};
  FakeToolkit toolkit{faults};
};

}  // namespace fake
