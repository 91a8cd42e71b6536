// The worker pool of long computations: independent units (days, instants,
// definitions, years) spread over threads. Each unit runs at most once, on
// the calling thread or on a worker, inside its own failure scope (isolated
// from any scope the caller has open) and with the library settings and the
// cancellation of the calling computation; whoever assembles the results
// does so in unit order, so they are those of the single-thread path.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "types.hpp"

namespace tithiloom {

// Threads a call may use: the machine's hardware concurrency, capped by the
// environment variable TITHILOOM_THREADS when it holds a positive integer
// (1: everything on the calling thread). It reads the environment, so it
// belongs where nothing changes the environment meanwhile (the bindings call
// it holding the interpreter lock).
unsigned pool_size();

// A unit of work: computes unit `index` (storing its result where the caller
// wants it) or returns its error.
using Unit = std::function<std::optional<Error>(std::size_t index)>;

// Runs units 0..count-1 on up to `threads` threads, the caller's included,
// giving each thread at least `min_units_per_thread` units (fewer units stay
// on the calling thread). Returns the error of the lowest failing unit; the
// units after it may or may not have run. A C++ exception thrown by a unit
// is rethrown on the calling thread (that of the lowest such unit).
std::optional<Error> run_units(std::size_t count, unsigned threads,
                               std::size_t min_units_per_thread, const Unit& unit);

// The same, for callers whose failures rank otherwise than their units: no
// unit is passed over after a failure, and each unit's error is returned,
// in unit order.
std::vector<std::optional<Error>> run_every_unit(std::size_t count, unsigned threads,
                                                 std::size_t min_units_per_thread,
                                                 const Unit& unit);

}  // namespace tithiloom
