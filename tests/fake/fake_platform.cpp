#include "fake/fake_platform.h"

namespace fake {

FakePlatform::FakePlatform() {
  platform::Install({.registry = &registry,
                     .files = &files,
                     .text = &text,
                     .dialogs = &dialogs,
                     .random = &random,
                     .shell = &shell,
                     .process = &process,
                     .toolkit = &toolkit});
}

FakePlatform::~FakePlatform() {
  platform::Install(platform::Platform{});
}

}  // namespace fake
