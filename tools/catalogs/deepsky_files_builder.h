// Builds the deep-sky files of the program directory from the Stellarium
// deep-sky catalog: data/deepsky.dat (CLV_DSCN version 4) and
// data/deepsky_ngcicdata.dat (CLV_IDX_).
//
// Objects: every NGC, IC, Messier, Caldwell, Barnard, Sharpless,
// Collinder and Melotte object of the source, and the best known of the
// objects with a common name (see below). An object that the source gives
// the NGC or IC number of an object elsewhere (its own has a letter the
// source leaves out, as NGC 4486A beside M 87) is kept without that number.
//
// Types, from the source's type numbers:
//   galaxy, active, radio and interacting galaxy, part of a galaxy   1 galaxy
//   globular cluster                                                 2
//   star cluster, open cluster                                       3 open cluster
//   star, symbiotic star, emission-line star (stars that carry an
//     NGC, IC or Messier number, M 40 among them)                    4 asterism
//   cluster with nebulosity                                          5
//   planetary, possible planetary and protoplanetary nebula          6
//   nebula, emission nebula, HII region, emission object             7 bright nebula
//   supernova remnant and its candidates                             8
//   dark nebula, molecular cloud                                     9
//   cluster of galaxies                                              10
//   reflection and bipolar nebula, interstellar matter, young
//     stellar object                                                 12 (drawn and filtered as 7)
//   stellar association, star cloud, region of the sky (the Milky
//     Way's star clouds and rifts)                                   14 (drawn and filtered as 3)
//   quasar, possible quasar, BL Lacertae object, blazar              15 quasar
//   unknown                                                          0 (found by designation, never drawn)
//
// Magnitude: V, else B, in hundredths; 9999 when the source has neither,
// and for dark nebulae, whose values in those columns are opacity classes.
//
// Level (the smallest deep-sky level 0..10 showing the object): from a
// prominence p = magnitude - 2.5 log10(major axis / 10'), the size term
// taken only above 10' and at most 3, and an unknown magnitude counting as
// 14. The level is the number of the edges 4, 5, 6, 8, 10, 11, 12, 13.5,
// 14.5 and 15.5 that p exceeds; Messier objects are raised to level 2 at
// most and Caldwell objects to 3, unknown types go to 10. With the
// automatic level by field (about 0 at 90 degrees, 2 at 60, 4 at 40, 7 at
// 15, 9 at 5) a chart shows some 15 to 20 objects in an average part of
// the sky at every field down to 15 degrees: only the Messier objects and
// the brightest others at 60 degrees, then ever fainter ones; below 5
// degrees everything.
//
// Regions: 30-degree declination bands, the two next to the equator split
// into 6 right-ascension parts of 60 degrees and the others into 16 of 22.5
// (76 regions), narrow enough that a region's corners never all pass to
// one side of a chart lying inside it. Within a region the objects are
// sorted by level, then magnitude.
//
// Names: an object's common name is, of the names names.dat gives for any
// of its designations, the one most sources cite (ties: the one marked
// well known, then the first); German, Hungarian and Romanian names are the
// translations of the sky-culture .qm files, without blanks around them or
// parentheses round the whole, none where a language lacks one (the
// catalog then shows the English name). The name index holds at
// most 2000 entries over four lists, so at most 500 objects are named: the
// lowest levels first, then the most prominent.
//
// Identifier items per object: Messier, NGC, IC, UGC, PGC, the other
// designations of the source as texts ("C 14", "Mel 22", "Sh2-155",
// "LBN 974", "PK 063+13.1", "SNR G184.6-05.8", ...), then the name.
#pragma once

#include <string>

namespace celvaro {

struct DeepskySourcePaths {
  std::string catalog;       // Stellarium nebulae/default/catalog.dat
  std::string names;         // Stellarium nebulae/default/names.dat
  std::string translations;  // the directory of the sky-culture .qm files
};

// Writes data/deepsky.dat and data/deepsky_ngcicdata.dat into
// `dataDirectory` and prints what they hold; false on failure.
bool buildDeepskyFiles(const DeepskySourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
