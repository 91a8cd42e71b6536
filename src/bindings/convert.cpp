#include "convert.hpp"

namespace tithiloom::py {

DictBuilder& DictBuilder::add_owned(const char* key, PyRef value) {
  if (!dict_) return *this;
  if (!value || PyDict_SetItemString(dict_.get(), key, value.get()) < 0) dict_ = PyRef();
  return *this;
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
