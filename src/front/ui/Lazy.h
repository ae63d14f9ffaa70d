#pragma once
// An object made at its first use rather than with its owner, so that the
// windows and dialogs nobody opens cost the start-up nothing (they took
// most of the main window's making). Once made it stays, with whatever the
// user left in it. Shared ownership only so that the owner's header may
// name a type it has not seen whole.

#include <functional>
#include <memory>
#include <utility>

template <typename T>
class Lazy {
 public:
  explicit Lazy(std::function<std::shared_ptr<T>()> make) : make_(std::move(make)) {}
  Lazy(const Lazy&) = delete;
  Lazy& operator=(const Lazy&) = delete;

  T& operator*() {
    if (!made_) made_ = make_();
    return *made_;
  }
  T* operator->() { return &**this; }

 private:
  std::function<std::shared_ptr<T>()> make_;
  std::shared_ptr<T> made_;
};
