#include <windows.h>

#include <algorithm>
#include <map>
#include <utility>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// Owns one FindFirstFileW handle.
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

// Owns one CreateFileW handle.
class FileOwner {
 public:
  explicit FileOwner(HANDLE file) : file_(file) {}
  FileOwner(const FileOwner&) = delete;
  FileOwner& operator=(const FileOwner&) = delete;
  ~FileOwner() {
    if (file_ != INVALID_HANDLE_VALUE) {
      CloseHandle(file_);
    }
  }
  HANDLE get() const { return file_; }

 private:
  HANDLE file_;
};

// What is at `wide`, its links followed, opened to read its attributes alone: that takes a file
// that another program holds without sharing, and a folder.
HANDLE OpenAttributes(const wchar_t* wide) {
  return CreateFileW(wide, FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The find data's own attributes, and the reparse tag that it holds only for a reparse point.
FindData Entry(const WIN32_FIND_DATAW& found) {
  const bool reparse = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  return {found.cFileName, found.dwFileAttributes, reparse ? found.dwReserved0 : 0};
}

std::uint32_t Outcome(BOOL done) {
  return done ? 0 : GetLastError();
}

// The wide calls take every name as it is, and hand names back exactly; a NUL would cut one short.
template <typename Call, typename... Paths>
std::uint32_t Whole(Call call, const Paths&... paths) {
  if (((paths.find(L'\0') != std::wstring::npos) || ...)) {
    return ERROR_INVALID_NAME;
  }
  return call(paths.c_str()...);
}

// A path the system gave back in `buffer` of `size` characters, read by `call(size, buffer)`.
template <typename Call>
std::uint32_t Returned(Call call, std::wstring& path) {
  std::wstring buffer(call(0, nullptr), L'\0');
  const DWORD length = call(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) {
    return length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER;
  }
  path = buffer.substr(0, length);
  return 0;
}

class Win32FileSystem final : public FileSystem {
 public:
  std::uint32_t FindFirst(const std::wstring& pattern, FindHandle& search,
                          FindData& entry) override {
    return Whole(
        [&](const wchar_t* wide) -> std::uint32_t {
          WIN32_FIND_DATAW found;
          const HANDLE opened = FindFirstFileW(wide, &found);
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
    WIN32_FIND_DATAW found;
    if (!FindNextFileW(open->second.get(), &found)) {
      return GetLastError();
    }
    entry = Entry(found);
    return 0;
  }

  void FindEnd(FindHandle search) override { searches_.erase(search); }

  std::uint32_t Attributes(const std::wstring& path, std::uint32_t& bits) override {
    return Whole(
        [&](const wchar_t* wide) -> std::uint32_t {
          const DWORD found = GetFileAttributesW(wide);
          if (found == INVALID_FILE_ATTRIBUTES) {
            return GetLastError();
          }
          bits = found;
          return 0;
        },
        path);
  }

  std::uint32_t FileLength(const std::wstring& path, std::uint64_t& length) override {
    return Whole(
        [&](const wchar_t* wide) -> std::uint32_t {
          // GetFileAttributesExW would give a link's own length, not its file's.
          const FileOwner file(OpenAttributes(wide));
          LARGE_INTEGER size;
          if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
            return GetLastError();
          }
          length = static_cast<std::uint64_t>(size.QuadPart);
          return 0;
        },
        path);
  }

  std::uint32_t RemoveFile(const std::wstring& path) override {
    return Whole([](const wchar_t* wide) { return Outcome(DeleteFileW(wide)); }, path);
  }

  std::uint32_t CopyReplacing(const std::wstring& from, const std::wstring& to) override {
    return Whole([](const wchar_t* source,
                    const wchar_t* target) { return Outcome(CopyFileW(source, target, FALSE)); },
                 from, to);
  }

  std::uint32_t Move(const std::wstring& from, const std::wstring& to) override {
    return Whole([](const wchar_t* source,
                    const wchar_t* target) { return Outcome(MoveFileW(source, target)); },
                 from, to);
  }

  std::uint32_t MakeFolder(const std::wstring& path) override {
    return Whole([](const wchar_t* wide) { return Outcome(CreateDirectoryW(wide, nullptr)); },
                 path);
  }

  std::uint32_t RemoveFolder(const std::wstring& path) override {
    return Whole([](const wchar_t* wide) { return Outcome(RemoveDirectoryW(wide)); }, path);
  }

  std::uint32_t CurrentFolder(std::wstring& path) override {
    return Returned([](DWORD size, wchar_t* buffer) { return GetCurrentDirectoryW(size, buffer); },
                    path);
  }

  std::uint32_t SetCurrentFolder(const std::wstring& path) override {
    return Narrowed([](const char* narrow) { return Outcome(SetCurrentDirectoryA(narrow)); }, path);
  }

  std::uint32_t FinalPath(const std::wstring& path, std::wstring& final_path) override {
    return Whole(
        [&](const wchar_t* wide) -> std::uint32_t {
          const FileOwner opened(OpenAttributes(wide));
          if (opened.get() == INVALID_HANDLE_VALUE) {
            return GetLastError();
          }
          // A volume that has no drive letter or folder of its own (or a file system that cannot
          // normalise) still answers in another form.
          std::uint32_t first = 0;
          for (const DWORD form :
               {FILE_NAME_NORMALIZED | VOLUME_NAME_DOS, FILE_NAME_OPENED | VOLUME_NAME_DOS,
                FILE_NAME_NORMALIZED | VOLUME_NAME_GUID}) {
            const std::uint32_t code = Returned(
                [&](DWORD size, wchar_t* buffer) {
                  return GetFinalPathNameByHandleW(opened.get(), buffer, size, form);
                },
                final_path);
            if (code == 0) {
              return 0;
            }
            first = first == 0 ? code : first;
          }
          return first;
        },
        path);
  }

  std::uint32_t VolumePath(const std::wstring& path, std::wstring& volume) override {
    return Whole(
        [&](const wchar_t* wide) -> std::uint32_t {
          // The volume's root is the path itself at the longest, or a GUID path of 49 characters.
          std::wstring buffer(path.size() + MAX_PATH, L'\0');
          if (!GetVolumePathNameW(wide, buffer.data(), static_cast<DWORD>(buffer.size()))) {
            return GetLastError();
          }
          volume = buffer.c_str();
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
    wchar_t text[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, 512, nullptr);
    std::wstring line(text, length);
    line.resize(std::min(line.size(), line.find_first_of(L"\r\n")));
    const std::string number = std::to_string(code);
    return line.empty() ? L"Error " + std::wstring(number.begin(), number.end()) + L"." : line;
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
