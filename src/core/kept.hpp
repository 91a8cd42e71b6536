// Library results at fixed steps of time, kept for the process. Fits sample
// the same geocentric instants whatever the place or the span asked about,
// so a service answering many places and days, or day() called day after
// day, requests each once. A value is kept per library settings, and only
// when its requests were all answered; a full store starts over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace tithiloom {

template <class T>
class KeptSteps {
 public:
  explicit KeptSteps(std::size_t max_kept) : max_kept_(max_kept) {}

  // The value of step `step` under the settings of version `settings`:
  // kept, or made by `make()` and kept if `answered(value)`.
  template <class Make, class Answered>
  T get(std::int64_t step, std::uint64_t settings, Make make, Answered answered) {
    const Key key{step, settings};
    {
      const std::lock_guard lock(mutex_);
      if (const auto it = kept_.find(key); it != kept_.end()) return it->second;
    }
    const T value = make();
    if (answered(value)) {
      const std::lock_guard lock(mutex_);
      if (kept_.size() >= max_kept_) kept_.clear();
      kept_.emplace(key, value);
    }
    return value;
  }

 private:
  struct Key {
    std::int64_t step;
    std::uint64_t settings;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<std::int64_t>()(k.step) ^ (std::hash<std::uint64_t>()(k.settings) << 1);
    }
  };
  std::size_t max_kept_;
  std::mutex mutex_;
  std::unordered_map<Key, T, KeyHash> kept_;
};

}  // namespace tithiloom
