#include "panchang_dicts.hpp"

namespace tithiloom::py {
namespace {

template <class Limb>
PyObject* finish(DictBuilder& d, const Limb& limb, Times times) {
  if (times == Times::include) d.add("start_jd", limb.start_jd).add("end_jd", limb.end_jd);
  return d.release();
}

}  // namespace

PyObject* sun_data_to_dict(const SunData& sun) {
  return DictBuilder()
      .add("sunrise_jd", sun.sunrise_jd)
      .add("sunset_jd", sun.sunset_jd)
      .add("day_duration_hours", sun.day_duration_hours)
      .release();
}

PyObject* vara_to_dict(const VaraInfo& vara) {
  return DictBuilder()
      .add("number", vara.number)
      .add("name", vara.name)
      .add("english", vara.english)
      .release();
}

PyObject* tithi_to_dict(const TithiInfo& tithi, Times times) {
  DictBuilder d;
  d.add("number", tithi.number).add("name", tithi.name).add("paksha", tithi.paksha);
  return finish(d, tithi, times);
}

PyObject* nakshatra_to_dict(const NakshatraInfo& nakshatra, Times times) {
  DictBuilder d;
  d.add("number", nakshatra.number)
      .add("name", nakshatra.name)
      .add("pada", nakshatra.pada)
      .add("lord", nakshatra.lord);
  return finish(d, nakshatra, times);
}

PyObject* yoga_to_dict(const YogaInfo& yoga, Times times) {
  DictBuilder d;
  d.add("number", yoga.number).add("name", yoga.name);
  return finish(d, yoga, times);
}

PyObject* karana_to_dict(const KaranaInfo& karana, Times times) {
  DictBuilder d;
  d.add("number", karana.number).add("name", karana.name);
  return finish(d, karana, times);
}

namespace {

PyObject* following_dict(const FollowingLimb& limb) {
  DictBuilder d;
  d.add("number", limb.number).add("name", limb.name);
  if (!limb.lord.empty()) d.add("lord", limb.lord);
  return d.add("start_jd", limb.start_jd).add("end_jd", limb.end_jd).release();
}

}  // namespace

PyObject* moon_dict(const MoonDay& m) {
  return DictBuilder()
      .add("moonrise_jd", m.moonrise_jd)
      .add("moonset_jd", m.moonset_jd)
      .add("rashi", m.rashi)
      .add("rashi_name", m.rashi_name)
      .add("rashi_end_jd", m.rashi_end_jd)
      .add_owned("next_tithi", PyRef(following_dict(m.next_tithi)))
      .add_owned("next_nakshatra", PyRef(following_dict(m.next_nakshatra)))
      .add_owned("next_yoga", PyRef(following_dict(m.next_yoga)))
      .release();
}

DictBuilder& add_panchang(DictBuilder& d, const Panchang& p, Times times) {
  return d.add_owned("sun", PyRef(sun_data_to_dict(p.sun)))
      .add_owned("vara", PyRef(vara_to_dict(p.vara)))
      .add_owned("tithi", PyRef(tithi_to_dict(p.tithi, times)))
      .add_owned("nakshatra", PyRef(nakshatra_to_dict(p.nakshatra, times)))
      .add_owned("yoga", PyRef(yoga_to_dict(p.yoga, times)))
      .add_owned("karana", PyRef(karana_to_dict(p.karana, times)));
}

}  // namespace tithiloom::py
