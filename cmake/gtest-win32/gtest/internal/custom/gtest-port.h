// GoogleTest's porting hook, for MinGW's win32 thread model, whose <mutex> (GCC 12) has no
// std::mutex: GoogleTest locks with Windows' critical sections there, and wants std::mutex only
// for its Notification, which serves its own thread tests alone. A flag stands in for it.
#ifndef BRENVIC_GTEST_CUSTOM_PORT_H_
#define BRENVIC_GTEST_CUSTOM_PORT_H_
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1
namespace testing::internal {
class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};
}  // namespace testing::internal
#endif
