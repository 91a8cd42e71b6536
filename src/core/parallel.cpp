#include "parallel.hpp"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "ephemeris.hpp"

namespace tithiloom {

unsigned pool_size() {
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  const char* cap = std::getenv("TITHILOOM_THREADS");
  if (cap == nullptr) return hardware;
  char* end = nullptr;
  const unsigned long value = std::strtoul(cap, &end, 10);
  if (end == cap || *end != '\0' || value == 0) return hardware;
  return static_cast<unsigned>(std::min<unsigned long>(value, hardware));
}

namespace {

// A unit's outcome under its own failure scope: its error, or the library's
// failure if one of its requests failed.
std::optional<Error> run_checked(const Unit& unit, std::size_t index) {
  LibraryFailureScope scope;
  std::optional<Error> error = unit(index);
  if (auto failure = scope.failure()) return failure;
  return error;
}

// The lowest failing unit so far, with its error or exception.
class FirstFailure {
 public:
  explicit FirstFailure(std::size_t count) : index_(count) {}

  bool before(std::size_t index) const { return index_.load() < index; }

  void record(std::size_t index, std::optional<Error> error, std::exception_ptr exception) {
    const std::lock_guard lock(mutex_);
    if (index >= index_.load()) return;
    index_.store(index);
    error_ = std::move(error);
    exception_ = std::move(exception);
  }

  std::optional<Error> result() {
    if (exception_) std::rethrow_exception(exception_);
    return std::move(error_);
  }

 private:
  std::mutex mutex_;
  std::atomic<std::size_t> index_;
  std::optional<Error> error_;
  std::exception_ptr exception_;
};

}  // namespace

std::optional<Error> run_units(std::size_t count, unsigned threads,
                               std::size_t min_units_per_thread, const Unit& unit) {
  const std::size_t per_thread = std::max<std::size_t>(1, min_units_per_thread);
  const std::size_t wanted = std::min<std::size_t>(threads, count / per_thread);
  if (wanted <= 1) {
    for (std::size_t i = 0; i < count; ++i)
      if (auto error = run_checked(unit, i)) return error;
    return std::nullopt;
  }

  const Settings settings = Settings::current();
  std::atomic<std::size_t> next{0};
  FirstFailure failure(count);
  const auto work = [&]() noexcept {
    std::optional<SettingsPin> pin;
    try {
      pin.emplace(settings);
    } catch (...) {  // out of memory copying the settings: the call fails
      failure.record(0, std::nullopt, std::current_exception());
      return;
    }
    for (;;) {
      const std::size_t i = next.fetch_add(1);
      // Units past a failure cannot change the outcome.
      if (i >= count || failure.before(i)) return;
      try {
        if (auto error = run_checked(unit, i)) failure.record(i, std::move(error), nullptr);
      } catch (...) {
        failure.record(i, std::nullopt, std::current_exception());
      }
    }
  };

  std::vector<std::thread> workers;
  workers.reserve(wanted - 1);
  for (std::size_t w = 1; w < wanted; ++w) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the others share the units
    }
  }
  work();
  for (std::thread& t : workers) t.join();
  return failure.result();
}

}  // namespace tithiloom
