#pragma once
#include <utility>

// Owns one handle and releases it with Release exactly once; move-only. Every owner of the program and its tests is
// one of these.
template <typename Handle, auto Release>
class [[nodiscard]] UniqueOwner {
 public:
  UniqueOwner() = default;
  explicit UniqueOwner(Handle handle) : handle_(handle) {}
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  UniqueOwner(UniqueOwner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }
  ~UniqueOwner() { Reset(); }

  [[nodiscard]] Handle Get() const { return handle_; }
  // Releases what is held and gives the slot to an API that opens a new handle.
  [[nodiscard]] Handle* Put() {
    Reset();
    return &handle_;
  }
  explicit operator bool() const { return handle_ != Handle{}; }
  void Reset() {
    if (handle_ != Handle{}) {
      Release(handle_);
    }
    handle_ = Handle{};
  }

 private:
  Handle handle_{};
};
