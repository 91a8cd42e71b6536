// The interpreter lock released around a computation, so that other Python
// threads run meanwhile. The computation must not touch any Python object:
// arguments are read before, results built after.
#pragma once

#include <Python.h>

#include <utility>

namespace tithiloom::py {

// Runs `compute` without the lock and returns its value; the lock is taken
// back before anything (value or exception) leaves.
template <class Compute>
auto without_gil(Compute&& compute) {
  struct Released {
    PyThreadState* state = PyEval_SaveThread();
    ~Released() { PyEval_RestoreThread(state); }
  } released;
  return std::forward<Compute>(compute)();
}

}  // namespace tithiloom::py
