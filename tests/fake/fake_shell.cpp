#include "fake/fake_shell.h"

namespace fake {

std::intptr_t FakeShell::Execute(const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& folder,
                                 int show) {
  if (const auto fault = faults_.Step("ShellExecuteA")) {
    return static_cast<std::intptr_t>(*fault);
  }
  requests_.push_back({verb, file, parameters, folder, show});
  return result_;
}

}  // namespace fake
