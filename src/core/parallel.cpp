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
  LibraryFailureScope scope(LibraryFailureScope::Isolated{});
  // Units may answer from memos without a request that would notice a
  // cancellation; a cancelled computation's result is dropped anyway.
  if (index % CANCELLATION_POLL_STEPS == 0 && cancellation_pending()) return scope.failure();
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

// Runs the units on up to `wanted` threads (at least 2), the caller's
// included, each with the caller's settings. `outcome(i, error)` receives
// each unit's error. With `pass_over`, units past the lowest failing one
// are left out, and an exception counts only if no unit before it failed;
// without, every unit runs. The lowest counting exception is rethrown.
template <class Outcome>
void run_on_threads(std::size_t count, std::size_t wanted, const Unit& unit, bool pass_over,
                    Outcome&& outcome) {
  const Settings settings = Settings::current();
  const Cancellation* const cancellation = current_cancellation();
  std::atomic<std::size_t> next{0};
  FirstFailure failure(count);
  const auto work = [&]() noexcept {
    const CancellationScope cancellable(cancellation);
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
      if (i >= count || (pass_over && failure.before(i))) return;
      try {
        std::optional<Error> error = run_checked(unit, i);
        const bool failed = error.has_value();
        outcome(i, std::move(error));
        if (failed && pass_over) failure.record(i, std::nullopt, nullptr);
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
  failure.result();  // rethrows the lowest unit's exception, if any
}

std::size_t threads_wanted(std::size_t count, unsigned threads, std::size_t min_units_per_thread) {
  const std::size_t per_thread = std::max<std::size_t>(1, min_units_per_thread);
  return std::min<std::size_t>(threads, count / per_thread);
}

}  // namespace

std::optional<Error> run_units(std::size_t count, unsigned threads,
                               std::size_t min_units_per_thread, const Unit& unit) {
  const std::size_t wanted = threads_wanted(count, threads, min_units_per_thread);
  if (wanted <= 1) {
    for (std::size_t i = 0; i < count; ++i)
      if (auto error = run_checked(unit, i)) return error;
    return std::nullopt;
  }
  std::mutex mutex;
  std::size_t lowest = count;
  std::optional<Error> first;
  run_on_threads(count, wanted, unit, true, [&](std::size_t i, std::optional<Error> error) {
    if (!error) return;
    const std::lock_guard lock(mutex);
    if (i < lowest) {
      lowest = i;
      first = std::move(error);
    }
  });
  return first;
}

std::vector<std::optional<Error>> run_every_unit(std::size_t count, unsigned threads,
                                                 std::size_t min_units_per_thread,
                                                 const Unit& unit) {
  std::vector<std::optional<Error>> errors(count);
  const std::size_t wanted = threads_wanted(count, threads, min_units_per_thread);
  if (wanted <= 1) {
    for (std::size_t i = 0; i < count; ++i) errors[i] = run_checked(unit, i);
    return errors;
  }
  run_on_threads(count, wanted, unit, false,
                 [&](std::size_t i, std::optional<Error> error) { errors[i] = std::move(error); });
  return errors;
}

}  // namespace tithiloom
