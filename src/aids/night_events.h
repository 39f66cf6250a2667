// The events of the night (or the day) a chart's instant falls in: when an
// object rises, culminates and sets, twilight, and the dark window, for
// the chart's place. A night runs from the local noon before the instant to
// the next; when the Sun is up in the morning, its day from local midnight
// to midnight.
#pragma once

#include "astro/observing_place.h"
#include "astro/sky_events.h"

namespace celvaro {

// Body 0..8 of the solar system (the Sun, the Moon, the planets), its
// semidiameter and parallax taken at `nearJd`, within a day of the events.
BodyPlace solarSystemBody(int body, double nearJd);

// The night or day of the instant at the place (zone time): the day in
// the morning's daylight, else the night from noon to noon that holds it.
EventSpan nightOrDayOf(double julianDateUt, const ObservingPlace& place);
// The night of the instant, noon to noon; in the morning's daylight the
// night to come.
EventSpan nightOf(double julianDateUt, const ObservingPlace& place);

// Twilight of a night: the evening's and the morning's instants at which
// the Sun's centre passes 6, 12 and 18 degrees below the horizon (0 where it
// does not), and the dark window: the Sun below -18 degrees and the Moon
// down, its longest stretch (both 0 when there is none).
struct Twilight {
  double civilDusk = 0, nauticalDusk = 0, astronomicalDusk = 0;
  double astronomicalDawn = 0, nauticalDawn = 0, civilDawn = 0;
  double darkFromJd = 0, darkToJd = 0;
};
Twilight twilightOf(const EventSpan& night, const ObservingPlace& place);

}  // namespace celvaro
