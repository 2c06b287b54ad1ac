#include "e2e/url_handler.h"

#include <fstream>
#include <iterator>

#include "e2e/driver.h"
#include "e2e/record_file.h"

namespace e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr const wchar_t* kWebClasses[] = {L"http", L"https"};

}  // namespace

bool SetUrlHandler(const std::wstring& command) {
  if (!RemoveUrlHandler()) {
    return false;
  }
  for (const wchar_t* web_class : kWebClasses) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT,
                        (web_class + std::wstring(L"\\shell\\open\\command")).c_str(), 0, nullptr,
                        0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const LSTATUS set =
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (set != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

bool RemoveUrlHandler() {
  for (const wchar_t* web_class : kWebClasses) {
    const LSTATUS deleted = RegDeleteTreeW(HKEY_CLASSES_ROOT, web_class);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
      return false;
    }
  }
  return true;
}

std::wstring RecorderCommand() {
  return L"\"" + WindowsPath(BRENVIC_E2E_RECORDER) + L"\" \"%1\"";
}

bool ClearRecord() {
  return DeleteFileA(kRecordFile) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::optional<std::string> WaitForRecord(DWORD timeout_ms) {
  for (DWORD waited = 0; waited <= timeout_ms; waited += kPollMs) {
    std::ifstream in(kRecordFile, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (!text.empty() && text.back() == '\n') {
      return text;
    }
    Sleep(kPollMs);
  }
  return std::nullopt;
}

}  // namespace e2e
