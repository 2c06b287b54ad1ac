#include "e2e/process_watch.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace e2e {

namespace {

constexpr DWORD kLookEveryMs = 5;

std::vector<PROCESSENTRY32W> Processes() {
  std::vector<PROCESSENTRY32W> processes;
  const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    return processes;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    processes.push_back(entry);
  }
  return processes;
}

std::wstring Lowered(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), towlower);
  return text;
}

}  // namespace

ProcessWatch::ProcessWatch() {
  for (const PROCESSENTRY32W& process : Processes()) {
    running_before_.insert(process.th32ProcessID);
  }
  thread_ = std::thread([this] {
    while (!stop_) {
      Look();
      Sleep(kLookEveryMs);
    }
  });
}

ProcessWatch::~ProcessWatch() {
  stop_ = true;
  thread_.join();
}

std::set<std::wstring> ProcessWatch::Started() {
  Look();
  const std::lock_guard<std::mutex> lock(mutex_);
  std::set<std::wstring> names;
  for (auto& [id, seen] : started_) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (seen.name.empty() && QueryFullProcessImageNameW(seen.process.get(), 0, path, &size)) {
      seen.name = Lowered(path);
      seen.name.erase(0, seen.name.rfind(L'\\') + 1);
    }
    names.insert(seen.name);
  }
  return names;
}

void ProcessWatch::Look() {
  const std::vector<PROCESSENTRY32W> processes = Processes();
  const std::lock_guard<std::mutex> lock(mutex_);
  for (const PROCESSENTRY32W& process : processes) {
    if (running_before_.contains(process.th32ProcessID)) {
      continue;
    }
    Seen& seen = started_[process.th32ProcessID];
    if (!seen.process) {
      seen.process.reset(
          OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.th32ProcessID));
    }
    if (seen.name.empty()) {
      seen.name = Lowered(process.szExeFile);
    }
  }
}

}  // namespace e2e
