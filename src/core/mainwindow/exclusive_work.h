#pragma once

namespace quellix {

// Counts and purges walk folders while clicks, ticks and service events keep being handled; this
// guard keeps a second one from starting inside the first.
class ExclusiveWork {
  public:
    bool Busy() const { return busy_; }

    // Runs work unless some work already runs; false when it did not run.
    template <typename Work>
    bool TryRun(Work&& work) {
        if (busy_) {
            return false;
        }
        busy_ = true;
        struct Release {
            bool& flag;
            ~Release() { flag = false; }
        } release{busy_};
        work();
        return true;
    }

  private:
    bool busy_ = false;
};

}  // namespace quellix
