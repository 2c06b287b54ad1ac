#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "e2e/driver.h"

namespace e2e {

/// Watches, from its construction, for programs that start in the test's Wine prefix, short-lived
/// ones included: it looks at the process list every few milliseconds.
class ProcessWatch {
 public:
  ProcessWatch();
  ~ProcessWatch();
  ProcessWatch(const ProcessWatch&) = delete;
  ProcessWatch& operator=(const ProcessWatch&) = delete;

  /// The file names of the programs started so far, lower-cased; an empty name for one whose name
  /// could not be learnt.
  std::set<std::wstring> Started();

 private:
  // A process seen while it starts has no name in the list yet; its handle keeps it askable after
  // it ends.
  struct Seen {
    std::wstring name;
    Handle process;
  };

  void Look();

  std::set<DWORD> running_before_;
  std::map<DWORD, Seen> started_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace e2e
