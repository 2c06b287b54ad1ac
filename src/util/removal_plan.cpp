#include "util/removal_plan.h"

#include "platform/file_system.h"

namespace util {

namespace {

// IsReparseTagNameSurrogate: the tag names another place in the namespace.
constexpr std::uint32_t kNameSurrogate = 0x20000000;

// "\\?\C:\x" and "C:\x", "\\?\UNC\s\x" and "\\s\x" name the same place; a trailing "\" goes.
std::wstring Plain(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    path.replace(0, 8, L"\\\\");
  } else if (path.starts_with(L"\\\\?\\")) {
    path.erase(0, 4);
  }
  path.erase(path.find_last_not_of(L'\\') + 1);
  return path;
}

}  // namespace

// Only a path that goes on past its volume's root is clearly not that root: answers in forms that
// do not compare count as a root, for nothing to be deleted.
bool IsVolumeRoot(const FolderFacts& facts) {
  const std::wstring final_path = Plain(facts.final_path);
  const std::wstring volume = Plain(facts.volume_path);
  return facts.final_code == 0 &&
         !(final_path.size() > volume.size() + 1 && final_path.starts_with(volume) &&
           final_path[volume.size()] == L'\\');
}

RemovalPlan PlanRemoval(const FolderFacts& facts) {
  namespace attr = platform::attr;
  if (IsVolumeRoot(facts)) {
    return {Removal::kRoot};
  }
  if (facts.entry_code != 0) {
    return {Removal::kRefused, facts.final_code != 0 ? facts.final_code : facts.entry_code};
  }
  // A dangling link has no final path, and goes as a link all the same.
  if ((facts.attributes & attr::kReparsePoint) != 0 &&
      (facts.tag == 0 || (facts.tag & kNameSurrogate) != 0)) {
    return {Removal::kLink};
  }
  if ((facts.attributes & attr::kFolder) == 0) {
    return {Removal::kRefused, platform::file_error::kDirectory};
  }
  if (facts.final_code != 0) {
    return {Removal::kRefused, facts.final_code};
  }
  return {Removal::kFolder};
}

}  // namespace util
