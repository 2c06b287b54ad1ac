// gs_FindSolutionDir over registries and folder trees made from the input: it never fails, reads
// the registry at most 22 times, and names an existing "Solutions\" folder or nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake/fake_platform.h"
#include "host/cls_global.h"
#include "require.h"

namespace {

using fuzz::Require;

constexpr std::int32_t kClassesRoot = INT32_MIN;

// What Visio's entries and folders are made of, so that the input's pieces meet each other.
constexpr const wchar_t* kSegments[] = {L"C:",
                                        L"c:",
                                        L"D:",
                                        L"Program Files",
                                        L"Visio",
                                        L"VISIO.EXE",
                                        L"Solutions",
                                        L"solutions",
                                        L"Extra",
                                        L"A.B",
                                        L"..",
                                        L".",
                                        L"",
                                        L"x y",
                                        L"#Brenvic Visio",
                                        L"Visio.Drawing.11",
                                        L"%1",
                                        L"/dde"};

// Registry entries and folders from the input.
class Maker {
 public:
  Maker(FuzzedDataProvider& input, fake::FakePlatform& fakes) : input_(input), fakes_(fakes) {}

  std::wstring Segment() {
    if (input_.ConsumeBool()) {
      return kSegments[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(kSegments) - 1)];
    }
    // A name of any characters but separators, now and then a long one.
    static constexpr wchar_t kName[] = {L'a', L'Z', L'1', L' ', L'.',   L'#',  L'"',
                                        L'%', L'*', L'?', 0xE9, 0x20AC, 0x4E2D};
    const wchar_t fill = kName[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(kName) - 1)];
    return std::wstring(input_.ConsumeIntegralInRange<std::size_t>(1, 300), fill);
  }

  // Often below a folder named before, so that the tree meets the open commands.
  std::wstring Path() {
    std::wstring path;
    if (!folders_.empty() && input_.ConsumeBool()) {
      path = folders_[input_.ConsumeIntegralInRange<std::size_t>(0, folders_.size() - 1)];
    }
    for (std::size_t parts = input_.ConsumeIntegralInRange<std::size_t>(0, 5); parts > 0; --parts) {
      path += Segment();
      path += input_.ConsumeBool() ? L'\\' : L'/';
      folders_.push_back(path);
    }
    if (!path.empty() && input_.ConsumeBool()) {
      path.pop_back();
    }
    return path;
  }

  // Visio's own forms around a program path, or pieces (quotes, blanks, paths, arguments) in any
  // order.
  std::wstring Command() {
    switch (input_.ConsumeIntegralInRange<int>(0, 2)) {
      case 0:
        return L'"' + Path() + L"\" " + Segment();
      case 1:
        return Path() + L" \"" + Segment() + L'"';
      default:
        break;
    }
    std::wstring command;
    for (std::size_t parts = input_.ConsumeIntegralInRange<std::size_t>(0, 6); parts > 0; --parts) {
      switch (input_.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
          command += L'"';
          break;
        case 1:
          command += L' ';
          break;
        case 2:
          command += Path();
          break;
        default:
          command += Segment();
          break;
      }
    }
    return command;
  }

  // Mostly a class named before, so that versions and commands meet.
  std::wstring Class() {
    if (input_.ConsumeBool()) {
      return classes_[input_.ConsumeIntegralInRange<std::size_t>(0, classes_.size() - 1)];
    }
    classes_.push_back(Segment());
    return classes_.back();
  }

  // The key's default value, or now and then a value of another name; with its terminating zero
  // or, as a careless writer leaves it, without.
  void Value(const std::wstring& key, const std::wstring& data) {
    const std::string name = input_.ConsumeIntegralInRange<int>(0, 3) == 0 ? "x" : "";
    std::string bytes = Ansi(data);
    if (input_.ConsumeBool()) {
      bytes += '\0';
    }
    fakes_.registry.SetValue(kClassesRoot, Ansi(key), name, fake::kRegSz,
                             std::vector<unsigned char>(bytes.begin(), bytes.end()));
  }

  void Registry() {
    for (std::size_t probes = input_.ConsumeIntegralInRange<std::size_t>(0, 3); probes > 0;
         --probes) {
      const int n = input_.ConsumeIntegralInRange<int>(0, 23);
      const std::wstring version = n == 0 ? L"" : L"." + std::to_wstring(n);
      Value(L"Visio.Drawing" + version + L"\\CurVer", Class());
    }
    for (std::size_t commands = input_.ConsumeIntegralInRange<std::size_t>(0, 3); commands > 0;
         --commands) {
      const std::wstring key = Class() + L"\\Shell\\Open\\Command";
      Value(key, Command());
    }
  }

  void Tree() {
    for (std::size_t entries = input_.ConsumeIntegralInRange<std::size_t>(0, 6); entries > 0;
         --entries) {
      const std::string path = Ansi(Path());
      const auto attributes = input_.ConsumeIntegralInRange<std::uint32_t>(0, 7);
      if (input_.ConsumeBool()) {
        fakes_.files.AddFolder(path, attributes);
      } else {
        fakes_.files.AddFile(path, "", attributes);
      }
    }
  }

  std::string Ansi(const std::wstring& text) { return fakes_.text.ToAnsi(text); }

 private:
  FuzzedDataProvider& input_;
  fake::FakePlatform& fakes_;
  std::vector<std::wstring> folders_;
  std::vector<std::wstring> classes_ = {L"Visio.Drawing", L"Visio.Drawing.11", L"visio.drawing.6",
                                        L" Visio.Drawing.11 ", L""};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  fake::FakePlatform fakes;
  Maker maker(input, fakes);
  maker.Registry();
  maker.Tree();

  const std::wstring found = cls_Global().gs_FindSolutionDir();

  Require(fakes.faults.CountOf("RegOpenKeyExA") <= 22, "at most 22 registry reads");
  Require(fakes.registry.OpenKeys() == 0, "every key opened is closed");
  Require(fakes.dialogs.Shown().empty(), "no message");
  Require(
      found.empty() || (found.ends_with(L"Solutions\\") && fakes.files.IsFolder(maker.Ansi(found))),
      "the result is empty or an existing folder ending in Solutions\\");
  return 0;
}
