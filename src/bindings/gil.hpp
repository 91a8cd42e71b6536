// The interpreter lock released around a computation, so that other Python
// threads run meanwhile. The computation must not touch any Python object:
// arguments are read before, results built after. Each computation runs with
// the settings it starts with. Long computations run off the calling thread
// and stop on a pending signal (Ctrl-C), leaving its exception to the caller.
#pragma once

#include <Python.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "ephemeris.hpp"

namespace tithiloom::py {

// Runs `compute` without the lock and returns its value; the lock is taken
// back before anything (value or exception) leaves.
template <class Compute>
auto without_gil(Compute&& compute) {
  struct Released {
    PyThreadState* state = PyEval_SaveThread();
    ~Released() { PyEval_RestoreThread(state); }
  } released;
  const SettingsPin pin(Settings::current());
  return std::forward<Compute>(compute)();
}

// How often a waiting caller looks for signals: well inside the half second
// within which Ctrl-C must stop a call, and rare enough to cost nothing.
inline constexpr std::chrono::milliseconds SIGNAL_CHECK_INTERVAL{25};

// As without_gil, for computations that may run long: the computation runs
// on a thread of its own while the caller waits, looking for signals every
// SIGNAL_CHECK_INTERVAL. When a signal handler raises, the computation is
// cancelled and awaited, its result dropped, and nothing returned, with the
// handler's exception pending. (No C++ exception signals it: one thrown
// through an interpreter that does not link the C++ runtime upsets
// sanitizers that intercept throws.)
template <class Compute>
auto interruptible(Compute&& compute) -> std::optional<decltype(compute())> {
  using Value = decltype(compute());
  Cancellation cancellation;
  std::optional<Value> value;
  std::exception_ptr fault;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool interrupted = false;
  {
    struct Released {
      PyThreadState* state = PyEval_SaveThread();
      ~Released() { PyEval_RestoreThread(state); }
    } released;
    const Settings settings = Settings::current();
    std::optional<std::thread> runner;
    try {
      runner.emplace([&]() noexcept {
        try {
          const CancellationScope cancellable(&cancellation);
          const SettingsPin pin(settings);
          value.emplace(compute());
        } catch (...) {
          fault = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        done = true;
        finished.notify_one();
      });
    } catch (const std::system_error&) {
      // No thread to be had: compute here, without interruption.
      const SettingsPin pin(settings);
      return std::optional<Value>(compute());
    }
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, SIGNAL_CHECK_INTERVAL, [&] { return done; })) {
      if (interrupted) continue;
      lock.unlock();
      PyEval_RestoreThread(released.state);
      const bool raised = PyErr_CheckSignals() < 0;
      released.state = PyEval_SaveThread();
      lock.lock();
      if (raised) {
        interrupted = true;
        cancellation.request();
      }
    }
    lock.unlock();
    runner->join();
  }
  if (interrupted) return std::nullopt;
  if (fault) std::rethrow_exception(fault);
  return value;
}

}  // namespace tithiloom::py
