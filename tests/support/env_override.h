#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace quellix::test {

// Sets (or unsets) an environment variable for the rest of the scope, then restores it.
class EnvOverride {
  public:
    EnvOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Apply(value);
    }
    ~EnvOverride() { Apply(old_); }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

  private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace quellix::test

namespace quellix::test {

// TZ set for the rest of the scope; the C library re-reads the zone on both ends.
class ZoneOverride {
  public:
    explicit ZoneOverride(const std::string& zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        ::setenv("TZ", zone.c_str(), 1);
        ::tzset();
    }
    ~ZoneOverride() {
        if (old_) {
            ::setenv("TZ", old_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ZoneOverride(const ZoneOverride&) = delete;
    ZoneOverride& operator=(const ZoneOverride&) = delete;

  private:
    std::optional<std::string> old_;
};

}  // namespace quellix::test
