// Stands in for the browser: registered as the http handler, it appends the text that follows its
// own name on its command line, as one UTF-8 line, to the record file that the tests read.
#include <windows.h>

#include <string>

#include "e2e/record_file.h"
#include "main/command_line.h"

int main() {
  const std::wstring text = ArgumentText(GetCommandLineW()) + L"\n";
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr),
                    '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  // One appending write, so a reader never sees half a line.
  const HANDLE file = CreateFileA(e2e::kRecordFile, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 1;
  }
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 1;
}
