// The fault boundary: no C++ exception ever unwinds into the interpreter.
#pragma once

#include <Python.h>

#include <exception>
#include <new>

namespace tithiloom::py {

// The internal-fault exception class (a BaseException, not an Exception).
PyObject* internal_fault_type();
bool create_internal_fault_type();

void raise_internal_fault(const char* message) noexcept;
[[noreturn]] void abort_at_boundary() noexcept;

// Runs a function body; running out of memory becomes MemoryError, any other
// C++ exception the internal-fault exception.
template <class Body>
PyObject* guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::exception& e) {
    raise_internal_fault(e.what());
  } catch (...) {
    raise_internal_fault("unknown internal fault");
  }
  return nullptr;
}

// For code that runs outside any function boundary: a fault aborts the process.
template <class Body>
auto abort_on_fault(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    abort_at_boundary();
  }
}

}  // namespace tithiloom::py
