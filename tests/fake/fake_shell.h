#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/process.h"
#include "platform/shell.h"

namespace fake {

/// A shell request as it was made.
struct ShellRequest {
  std::string verb, file, parameters, folder;
  int show = 0;
  bool operator==(const ShellRequest&) const = default;
};

/// The shell: records every request and answers with a settable result.
class FakeShell : public platform::Shell {
 public:
  explicit FakeShell(FaultPlan& faults) : faults_(faults) {}
  std::intptr_t Execute(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& folder,
                        int show) override {
    if (const auto fault = faults_.Step("ShellExecuteA")) {
      return static_cast<std::intptr_t>(*fault);
    }
    requests_.push_back({verb, file, parameters, folder, show});
    return result_;
  }
  /// The result of the next requests: above 32 accepted (the default, 42), else an error code.
  void Answer(std::intptr_t result) { result_ = result; }
  const std::vector<ShellRequest>& Requests() const { return requests_; }

 private:
  FaultPlan& faults_;
  std::intptr_t result_ = 42;
  std::vector<ShellRequest> requests_;
};

/// The process's command line and program folder, as a test sets them. Only the folder's query can
/// fail (GetCommandLineW cannot), and then gives the empty string.
class FakeProcess : public platform::Process {
 public:
  explicit FakeProcess(FaultPlan* faults = nullptr) : faults_(faults) {}
  std::wstring CommandLine() override { return command_line; }
  std::wstring ProgramFolder() override {
    if (faults_ != nullptr && faults_->Step("GetModuleFileNameW")) {
      return {};
    }
    return program_folder;
  }

  std::wstring command_line = L"BrenvicAbout.exe";
  std::wstring program_folder = L"C:\\Program Files\\Harrowbright\\Brenvic Visio";

 private:
  FaultPlan* faults_;
};

}  // namespace fake
