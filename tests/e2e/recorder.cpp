// Stands in for the browser: registered as the http and https handler, it appends the text that
// follows its own name on its command line (an ASCII URL) as one line to C:\recorder.txt.
#include <windows.h>

#include "main/command_line.h"

int main() {
  const std::wstring text = ArgumentText(GetCommandLineW());
  const std::string line = std::string(text.begin(), text.end()) + "\n";
  // One appending write, so that a reader never sees half a line.
  const HANDLE file = CreateFileA("C:\\recorder.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 1;
}
