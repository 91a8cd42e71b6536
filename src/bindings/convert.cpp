#include "convert.hpp"

#include <pythread.h>

namespace tithiloom::py {

namespace {

// A Python function that does nothing. A call to it passes through the
// interpreter's loop, which, as between any two bytecodes, hands the lock to
// a thread that has asked for it (one that waited a switch interval) and runs
// pending signal handlers. (Releasing and retaking the lock instead would
// wake a waiting thread before it asks, and retake the lock first: a release
// every slice would starve it.)
PyObject* nothing = nullptr;

bool pass_through_the_interpreter() {
  if (nothing == nullptr) {
    PyRef code(Py_CompileString("lambda: None", "<tithiloom>", Py_eval_input));
    PyRef globals(code ? PyDict_New() : nullptr);
    if (!globals || PyDict_SetItemString(globals.get(), "__builtins__", PyEval_GetBuiltins()) < 0)
      return false;
    PyObject* made = PyEval_EvalCode(code.get(), globals.get(), globals.get());
    if (made == nullptr) return false;
    if (nothing == nullptr) {
      nothing = made;  // kept for the life of the process
    } else {
      Py_DECREF(made);  // made meanwhile by another thread
    }
  }
  PyRef none(PyObject_CallNoArgs(nothing));
  return static_cast<bool>(none);
}

}  // namespace

bool let_others_run() { return pass_through_the_interpreter() && PyErr_CheckSignals() == 0; }

namespace {

// Lists up to this long are freed at once: a few milliseconds at most.
constexpr Py_ssize_t FREE_AT_ONCE = 8 * CONVERSION_SLICE;

// Runs on a thread of its own: frees the list from its end, a slice at a
// time, taking the interpreter lock for each. (A thread that asks for the
// lock while the interpreter shuts down is ended, leaving the rest to exit.)
void free_in_slices(void* owned) {
  auto* list = static_cast<PyObject*>(owned);
  const PyGILState_STATE state = PyGILState_Ensure();
  for (Py_ssize_t n = PyList_GET_SIZE(list); n > 0; n = PyList_GET_SIZE(list)) {
    // Slots not yet filled are null; removing them is allowed.
    if (PyList_SetSlice(list, n > CONVERSION_SLICE ? n - CONVERSION_SLICE : 0, n, nullptr) < 0 ||
        !pass_through_the_interpreter())
      break;
  }
  PyErr_Clear();
  Py_DECREF(list);
  PyGILState_Release(state);
}

}  // namespace

void discard(PyRef partial) {
  if (!partial || PyList_GET_SIZE(partial.get()) <= FREE_AT_ONCE) return;
  // Starting the thread leaves the caller's pending exception alone.
  PyObject* list = partial.release();
  if (PyThread_start_new_thread(free_in_slices, list) == PYTHREAD_INVALID_THREAD_ID)
    Py_DECREF(list);  // no thread to be had: freed here
}

DictBuilder& DictBuilder::add_owned(const char* key, PyRef value) {
  if (!dict_) return *this;
  if (!value || PyDict_SetItemString(dict_.get(), key, value.get()) < 0) dict_ = PyRef();
  return *this;
}

PyObject* DictBuilder::release() {
  if (!dict_) return nullptr;
  Py_ssize_t pos = 0;
  PyObject *key, *value;
  bool acyclic = true;
  while (acyclic && PyDict_Next(dict_.get(), &pos, &key, &value))
    acyclic = !PyObject_GC_IsTracked(value);
  if (acyclic) PyObject_GC_UnTrack(dict_.get());
  return dict_.release();
}

PyObject* window_to_dict(const TimeWindow& window) {
  return DictBuilder()
      .add("name", window.name)
      .add("start_jd", window.start_jd)
      .add("end_jd", window.end_jd)
      .add("is_auspicious", window.is_auspicious)
      .release();
}

PyObject* raise_value_error(const std::string& message) {
  PyRef text(PyUnicode_FromStringAndSize(message.data(), static_cast<Py_ssize_t>(message.size())));
  if (text) PyErr_SetObject(PyExc_ValueError, text.get());
  return nullptr;
}

}  // namespace tithiloom::py
