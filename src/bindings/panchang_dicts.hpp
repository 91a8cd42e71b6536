// Dict forms of the daily panchang's parts, shared by the daily and batch results.
#pragma once

#include <Python.h>

#include "convert.hpp"
#include "moon_day.hpp"
#include "panchang.hpp"
#include "sun.hpp"

namespace tithiloom::py {

enum class Times : bool { omit, include };

PyObject* sun_data_to_dict(const SunData& sun);
PyObject* vara_to_dict(const VaraInfo& vara);
// Each limb, with its "start_jd" and "end_jd" last when `times` is include.
PyObject* tithi_to_dict(const TithiInfo& tithi, Times times);
PyObject* nakshatra_to_dict(const NakshatraInfo& nakshatra, Times times);
PyObject* yoga_to_dict(const YogaInfo& yoga, Times times);
PyObject* karana_to_dict(const KaranaInfo& karana, Times times);

// The Moon of a day: its rising and setting, sign, and the limbs that follow.
PyObject* moon_dict(const MoonDay& moon);

// Adds "sun", "vara", "tithi", "nakshatra", "yoga" and "karana", in that order.
DictBuilder& add_panchang(DictBuilder& d, const Panchang& p, Times times);

}  // namespace tithiloom::py
