#pragma once

// What the contract suite needs of the system beside the seam: raw set-up and inspection of files
// and registry keys, done by the system's own means (Win32 calls, or the fakes' set-up functions).

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace contract {

/// The system under test; a known divergence is marked with the build it belongs to.
enum class Build { kNone, kFake, kWine };

/// Everything below the scratch folder and the scratch key belongs to the suite.
constexpr char kScratch[] = "C:\\BrenvicContract\\";
constexpr char kScratchKey[] = "Software\\BrenvicContract";
constexpr std::int32_t kCurrentUser = static_cast<std::int32_t>(0x80000001u);

class Env {
 public:
  virtual ~Env() = default;
  /// The build this environment belongs to.
  virtual Build Which() const = 0;

  /// Removes `path` with everything below it, whatever the attributes; nothing when missing.
  virtual void Wipe(const std::string& path) = 0;
  /// Makes a folder in an existing one, then adds `attributes` (hidden, system).
  virtual void MakeFolder(const std::string& path, std::uint32_t attributes) = 0;
  /// Makes a file holding `bytes`, then adds `attributes` (read-only, hidden, system).
  virtual void MakeFile(const std::string& path, const std::string& bytes,
                        std::uint32_t attributes) = 0;
  /// The bytes of a file; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  /// Keeps `path` open with share mode 0, as another program would, until `Release`.
  virtual void HoldOpen(const std::string& path) = 0;
  virtual void Release() = 0;

  /// Deletes a key under HKEY_CURRENT_USER with all its subkeys; nothing when missing.
  virtual void DeleteKey(const std::string& path) = 0;
  /// Makes a key under HKEY_CURRENT_USER, with every missing parent.
  virtual void MakeKey(const std::string& path) = 0;
  /// Stores a value of `type` holding `data` in a key under HKEY_CURRENT_USER, making the key.
  virtual void PutValue(const std::string& key, const std::string& name, std::uint32_t type,
                        const std::string& data) = 0;
  /// Leaves everyone only the rights to read and delete the key.
  virtual void LimitKey(const std::string& path) = 0;
};

/// The environment of this build; its first use installs the platform under test.
Env& TheEnv();

/// Reports "expected X, got Y" for the named case. A case marked as a known divergence of this
/// build must differ instead, so that the mark goes when the build is put right.
template <class T>
void ExpectCase(const std::string& name, const T& expected, const T& actual,
                Build wrong_on = Build::kNone) {
  if (wrong_on != TheEnv().Which()) {
    if (!(expected == actual)) {
      ADD_FAILURE() << name << ": expected " << testing::PrintToString(expected) << ", got "
                    << testing::PrintToString(actual);
    }
  } else if (expected == actual) {
    ADD_FAILURE() << name << ": known divergence now gives " << testing::PrintToString(actual)
                  << " as expected; remove its mark";
  }
}

/// A scratch folder made afresh for each test, whatever a crashed run left, and removed after it.
class ScratchTest : public testing::Test {
 protected:
  void SetUp() override {
    TheEnv().Release();
    TheEnv().Wipe(kScratch);
    TheEnv().MakeFolder(kScratch, 0);
  }
  void TearDown() override {
    TheEnv().Release();
    TheEnv().Wipe(kScratch);
  }
  static std::string At(const std::string& name) { return kScratch + name; }
  static platform::FileSystem& Files() { return *platform::Current().files; }
};

/// The scratch key, made afresh for each test and deleted after it.
class KeyTest : public testing::Test {
 protected:
  void SetUp() override {
    TheEnv().DeleteKey(kScratchKey);
    TheEnv().MakeKey(kScratchKey);
  }
  void TearDown() override { TheEnv().DeleteKey(kScratchKey); }
  static std::string Under(const std::string& name) {
    return std::string(kScratchKey) + "\\" + name;
  }
  static platform::Registry& Reg() { return *platform::Current().registry; }
};

}  // namespace contract
