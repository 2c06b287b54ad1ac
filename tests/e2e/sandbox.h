#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// Where scripts/sandbox puts the pretend Visio and the add-on in the test's prefix.
namespace e2e {

inline constexpr wchar_t kVisioFolder[] = L"C:\\Program Files\\Microsoft Office\\Visio11\\";
inline constexpr wchar_t kAddOnFolder[] =
    L"C:\\Program Files\\Microsoft Office\\Visio11\\Solutions\\#Brenvic Visio\\";
inline constexpr wchar_t kStencilInUse[] =
    L"C:\\Program Files\\Microsoft Office\\Visio11\\Solutions\\#Brenvic Visio\\Global\\"
    L"brenvic_global.vss";
inline constexpr wchar_t kProgramFolder[] = L"C:\\Program Files\\Harrowbright\\Brenvic Visio\\";
inline constexpr wchar_t kWorkingStencil[] =
    L"C:\\Program Files\\Harrowbright\\Brenvic Visio\\brenvic_global.vss";
inline constexpr wchar_t kBlankStencil[] =
    L"C:\\Program Files\\Harrowbright\\Brenvic Visio\\brenvic_global_blank.vss";

/// The file's bytes; empty if it cannot be read.
inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Every file below `folder`, by path, with its bytes.
inline std::map<std::wstring, std::string> FilesUnder(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[entry.path().wstring()] = ReadBytes(entry.path().wstring());
    }
  }
  return files;
}

}  // namespace e2e
