#include <windows.h>

#include <map>
#include <utility>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// Owns one FindFirstFileA handle.
class FindOwner {
 public:
  explicit FindOwner(HANDLE search) : search_(search) {}
  FindOwner(FindOwner&& other) noexcept : search_(std::exchange(other.search_, nullptr)) {}
  FindOwner(const FindOwner&) = delete;
  FindOwner& operator=(const FindOwner&) = delete;
  FindOwner& operator=(FindOwner&&) = delete;
  ~FindOwner() {
    if (search_ != nullptr) {
      FindClose(search_);
    }
  }
  HANDLE get() const { return search_; }

 private:
  HANDLE search_;
};

std::uint32_t Outcome(BOOL done) {
  return done ? 0 : GetLastError();
}

FindData Entry(const WIN32_FIND_DATAA& found) {
  return {.name = Widen(found.cFileName), .attributes = found.dwFileAttributes};
}

class Win32FileSystem final : public FileSystem {
 public:
  std::uint32_t FindFirst(const std::wstring& pattern, FindHandle& search,
                          FindData& entry) override {
    return Narrowed(
        [&](const char* narrow) -> std::uint32_t {
          WIN32_FIND_DATAA found;
          const HANDLE opened = FindFirstFileA(narrow, &found);
          if (opened == INVALID_HANDLE_VALUE) {
            return GetLastError();
          }
          search = reinterpret_cast<FindHandle>(opened);
          searches_.emplace(search, FindOwner(opened));
          entry = Entry(found);
          return 0;
        },
        pattern);
  }

  std::uint32_t FindNext(FindHandle search, FindData& entry) override {
    const auto open = searches_.find(search);
    if (open == searches_.end()) {
      return ERROR_INVALID_HANDLE;
    }
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(open->second.get(), &found)) {
      return GetLastError();
    }
    entry = Entry(found);
    return 0;
  }

  void FindEnd(FindHandle search) override { searches_.erase(search); }

  std::uint32_t Attributes(const std::wstring& path, std::uint32_t& bits) override {
    return Narrowed(
        [&](const char* narrow) -> std::uint32_t {
          const DWORD found = GetFileAttributesA(narrow);
          if (found == INVALID_FILE_ATTRIBUTES) {
            return GetLastError();
          }
          bits = found;
          return 0;
        },
        path);
  }

  std::uint32_t FileLength(const std::wstring& path, std::uint64_t& length) override {
    return Narrowed(
        [&](const char* narrow) -> std::uint32_t {
          WIN32_FILE_ATTRIBUTE_DATA data;
          if (!GetFileAttributesExA(narrow, GetFileExInfoStandard, &data)) {
            return GetLastError();
          }
          length = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
          return 0;
        },
        path);
  }

  std::uint32_t RemoveFile(const std::wstring& path) override {
    return Narrowed([](const char* narrow) { return Outcome(DeleteFileA(narrow)); }, path);
  }

  std::uint32_t CopyReplacing(const std::wstring& from, const std::wstring& to) override {
    return Narrowed([](const char* source,
                       const char* target) { return Outcome(CopyFileA(source, target, FALSE)); },
                    from, to);
  }

  std::uint32_t Move(const std::wstring& from, const std::wstring& to) override {
    return Narrowed(
        [](const char* source, const char* target) { return Outcome(MoveFileA(source, target)); },
        from, to);
  }

  std::uint32_t MakeFolder(const std::wstring& path) override {
    return Narrowed([](const char* narrow) { return Outcome(CreateDirectoryA(narrow, nullptr)); },
                    path);
  }

  std::uint32_t RemoveFolder(const std::wstring& path) override {
    return Narrowed([](const char* narrow) { return Outcome(RemoveDirectoryA(narrow)); }, path);
  }

  std::uint32_t CurrentFolder(std::wstring& path) override {
    std::string buffer(GetCurrentDirectoryA(0, nullptr), '\0');
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) {
      return GetLastError();
    }
    path = Widen(std::string_view(buffer).substr(0, length));
    return 0;
  }

  std::uint32_t SetCurrentFolder(const std::wstring& path) override {
    return Narrowed([](const char* narrow) { return Outcome(SetCurrentDirectoryA(narrow)); }, path);
  }

  std::uint32_t FullPath(const std::wstring& path, std::wstring& full) override {
    return Narrowed(
        [&](const char* narrow) -> std::uint32_t {
          std::string buffer(GetFullPathNameA(narrow, 0, nullptr, nullptr), '\0');
          const DWORD length =
              GetFullPathNameA(narrow, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
          if (length == 0 || length >= buffer.size()) {
            return GetLastError();
          }
          full = Widen(std::string_view(buffer).substr(0, length));
          return 0;
        },
        path);
  }

  std::uint32_t WindowsFolder(char* buffer, std::uint32_t size) override {
    return GetWindowsDirectoryA(buffer, size);
  }

  std::uint32_t SystemFolder(char* buffer, std::uint32_t size) override {
    return GetSystemDirectoryA(buffer, size);
  }

  std::uint32_t TempFolder(std::uint32_t size, char* buffer) override {
    return GetTempPathA(size, buffer);
  }

  // The system's text ends in CR LF (sometimes with more lines): the message box wants one line.
  std::wstring ErrorText(std::uint32_t code) override {
    char text[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string line(text, length);
    const std::string::size_type end = line.find_first_of("\r\n");
    if (end != std::string::npos) {
      line.resize(end);
    }
    return Widen(line.empty() ? "Error " + std::to_string(code) + "." : line);
  }

 private:
  std::map<FindHandle, FindOwner> searches_;
};

}  // namespace

FileSystem& TheFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace platform::win32
