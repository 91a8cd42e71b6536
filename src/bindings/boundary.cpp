#include "boundary.hpp"

#include <cstdio>
#include <cstdlib>

namespace tithiloom::py {
namespace {
PyObject* fault_type = nullptr;
}

PyObject* internal_fault_type() { return fault_type; }

bool create_internal_fault_type() {
  fault_type = PyErr_NewExceptionWithDoc(
      "tithiloom._core.InternalFault",
      "A broken invariant inside the native core. It derives from BaseException so that "
      "ordinary `except Exception` handlers do not swallow it.",
      PyExc_BaseException, nullptr);
  return fault_type != nullptr;
}

void raise_internal_fault(const char* message) noexcept {
  PyErr_SetString(fault_type ? fault_type : PyExc_SystemError, message);
}

void abort_at_boundary() noexcept {
  std::fputs("uncaught panic at ffi boundary\n", stderr);
  std::abort();
}

}  // namespace tithiloom::py
