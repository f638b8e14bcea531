#pragma once

namespace quellix::platform::win32 {

// A COM interface pointer released when it goes: Put() for a function that hands one out typed,
// Out() for one that hands it out as void** (CoCreateInstance, QueryInterface).
template <class Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    Interface** Put() { return &pointer_; }
    void** Out() { return reinterpret_cast<void**>(&pointer_); }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace quellix::platform::win32
