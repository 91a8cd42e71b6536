// Moonrise and moonset found on a fit of the Moon's place and settled on
// the library's.
//
// The library's own search asks for the Moon's place five times an event.
// Here the Moon's geocentric right ascension, declination and distance are
// sampled every two days at fixed instants (kept for the process, as the
// boundary samples are), a Hermite curve through four samples gives its
// altitude at any instant, parallax, limb and refraction allowed for, and a
// scan of that altitude brackets the event; Newton steps on the library's
// altitude (moon_limb_altitude) then settle it, mostly after one request.
// The event is that altitude's root, which the library's search, stopping
// after four steps, reaches to within a quarter of a second. Beyond 50
// degrees of latitude, or under a rising convention that drops the Moon's
// latitude or its limb, the library's search is asked instead.
#pragma once

#include "ephemeris.hpp"

namespace tithiloom {

// The first rising or setting of the Moon in [from_jd, until_jd) at the
// place, or NaN when there is none there (or the library fails, which is
// recorded as for any request).
double moon_event_within(double from_jd, double until_jd, const Place& place, SunEvent event);

}  // namespace tithiloom
