#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "contract/env.h"
#include "fake/fake_platform.h"

namespace contract {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

class FakeEnv final : public Env {
 public:
  FakeEnv() : fakes_(std::make_unique<fake::FakePlatform>()) {}

  Build Which() const override { return Build::kFake; }

  // Deepest first, through the fake's own calls, as a person cleaning up would.
  void Wipe(const std::string& path) override {
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    std::vector<std::string> doomed;
    for (const std::string& entry : Files().AllPaths()) {
      if (StartsWithIgnoringCase(entry, folder)) {
        doomed.push_back(entry);
      }
    }
    for (auto entry = doomed.rbegin(); entry != doomed.rend(); ++entry) {
      Files().SetAttributes(*entry, 0);
      if (entry->back() == '\\') {
        Files().RemoveFolder(*entry);
      } else {
        Files().RemoveFile(*entry);
      }
    }
  }

  void MakeFolder(const std::string& path, std::uint32_t attributes) override {
    Files().AddFolder(path, attributes);
  }

  void MakeFile(const std::string& path, const std::string& bytes,
                std::uint32_t attributes) override {
    Files().AddFile(path, bytes, platform::attr::kArchive | attributes);
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    return Files().Contents(path);
  }

  void HoldOpen(const std::string& path) override {
    Release();
    Files().HoldOpen(path);
    held_ = path;
  }

  void Release() override {
    if (!held_.empty() && Files().Exists(held_)) {
      Files().HoldOpen(held_, false);
    }
    held_.clear();
  }

  // The fake registry deletes nothing (the program never does): a fresh platform forgets the key.
  void DeleteKey(const std::string&) override {
    fakes_.reset();
    fakes_ = std::make_unique<fake::FakePlatform>();
    held_.clear();
  }

  void MakeKey(const std::string& path) override { fakes_->registry.AddKey(kCurrentUser, path); }

  void PutValue(const std::string& key, const std::string& name, std::uint32_t type,
                const std::string& data) override {
    fakes_->registry.SetValue(kCurrentUser, key, name, type, {data.begin(), data.end()});
  }

  void LimitKey(const std::string& path) override {
    fakes_->registry.DenyAccess(kCurrentUser, path, ~std::uint32_t{0x30019});
  }

 private:
  fake::FakeFileSystem& Files() { return fakes_->files; }

  std::unique_ptr<fake::FakePlatform> fakes_;
  std::string held_;
};

}  // namespace

Env& TheEnv() {
  static FakeEnv env;
  return env;
}

}  // namespace contract
