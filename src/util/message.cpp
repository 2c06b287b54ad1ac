#include "util/message.h"

#include "platform/platform.h"

namespace util {

int ShowMessage(const std::wstring& text, std::uint32_t style) {
  return platform::Current().dialogs->MessageBox(text, kAppTitle, style);
}

std::wstring Cause(std::uint32_t code) {
  return platform::Current().files->ErrorText(code);
}

}  // namespace util
