#include "platform/platform.h"

namespace platform {

void ForgetListing();  // listing.cpp

namespace {
Platform installed;
}

void Install(const Platform& parts) {
  ForgetListing();
  installed = parts;
}

const Platform& Current() {
  return installed;
}

}  // namespace platform
