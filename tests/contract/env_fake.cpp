#include <memory>

#include "contract/env.h"
#include "fake/fake_platform.h"

namespace contract {

namespace {

class FakeEnv final : public Env {
 public:
  FakeEnv() : fakes_(std::make_unique<fake::FakePlatform>()) {}

  Build Which() const override { return Build::kFake; }
  void Wipe(const std::string& path) override { fakes_->files.Erase(path); }
  void MakeFolder(const std::string& path, std::uint32_t attributes) override {
    fakes_->files.AddFolder(path, attributes);
  }
  void MakeFile(const std::string& path, const std::string& bytes,
                std::uint32_t attributes) override {
    fakes_->files.AddFile(path, bytes, platform::attr::kArchive | attributes);
  }
  std::optional<std::string> ReadFile(const std::string& path) override {
    return fakes_->files.Contents(path);
  }
  void HoldOpen(const std::string& path) override {
    Release();
    fakes_->files.HoldOpen(path);
    held_ = path;
  }
  void Release() override {
    if (!held_.empty() && fakes_->files.Exists(held_)) {
      fakes_->files.HoldOpen(held_, false);
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
  std::unique_ptr<fake::FakePlatform> fakes_;
  std::string held_;
};

}  // namespace

Env& TheEnv() {
  static FakeEnv env;
  return env;
}

}  // namespace contract
