#pragma once
// "Is this object still alive?", answered one way everywhere: an object owns an AliveToken, and
// code that must outlive a call which may destroy the object (an event handler, a nested message
// loop) holds a WeakRef made from that token and asks it afterwards.
#include <memory>

namespace pf {

class AliveToken {
 public:
  AliveToken() = default;
  // A copy belongs to another object, which has a life of its own.
  AliveToken(const AliveToken&) {}
  AliveToken& operator=(const AliveToken&) { return *this; }

  std::weak_ptr<const void> Watch() const { return life_; }

 private:
  std::shared_ptr<const char> life_ = std::make_shared<const char>();
};

template <class T>
class WeakRef {
 public:
  WeakRef() = default;
  WeakRef(T* object, const AliveToken& token) : object_(object), life_(token.Watch()) {}

  bool Alive() const { return object_ != nullptr && !life_.expired(); }
  // The object, or null once it has been destroyed.
  T* Get() const { return Alive() ? object_ : nullptr; }

 private:
  T* object_ = nullptr;
  std::weak_ptr<const void> life_;
};

}  // namespace pf
