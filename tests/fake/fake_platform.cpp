#include "fake/fake_platform.h"

namespace fake {

FakePlatform::FakePlatform() {
  platform::Install({&registry, &files, &text, &dialogs, &random});
}

FakePlatform::~FakePlatform() {
  platform::Install(platform::Platform{});
}

}  // namespace fake
