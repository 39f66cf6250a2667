// Finding one object by what a user types, with every search the Search
// menu offers, and centring the chart on it as the menu's searches do.
//
// A text that could name several objects is tried in this order, so that
// the more definite reading wins:
//  1. catalogue designations, which no name looks like: deep-sky numbers
//     ("M 42", "NGC 1976", "IC 434", "UGC 454", "PGC 2557") and the other
//     designations deep-sky objects carry ("C 14", "Mel 25", "Sh2-281"),
//     position designations of deep stars ("J183656.3+384701"), then what
//     the star search takes as a designation: star numbers ("HD 183912",
//     "HR 7417", "SAO 87301", "HIP 95947"), Bayer letters ("alf Cen",
//     "alpha Cen", "α Cen", "alf2 Cen") and Flamsteed numbers ("61 Cyg");
//  2. whole names, case ignored: the Sun, the Moon, the planets, Pluto (in the
//     chosen language or in English), constellations (Latin name, name in
//     any chart language or abbreviation), star names, other names of
//     objects ("Beehive", "LMC", "Hercules Cluster" is M 13), deep-sky
//     names (the chosen language's list, then the English one), comets
//     (the whole entry, its designation or its name: "Hale-Bopp",
//     "Halley"), minor planets ("Eros");
//  3. double-star and variable-star designations ("STF 1110", "R Leo"),
//     minor-planet numbers ("433", "(433)") and provisional designations;
//  4. the beginnings of names, in the order of 2 ("Sir" is Sirius).
// So "Mira" is the star Mira and not Mirach, "Mars" the planet, "M 42" the
// nebula and "Orion" the constellation rather than the Orion Nebula.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/object_search.h"
#include "catalog/star_data.h"
#include "catalog/star_id_database.h"
#include "solarsystem/solar_system.h"

namespace celvaro {

class AppModel;
class SkyCatalogs;

struct FoundObject {
  SearchKind kind = SearchKind::kStar;
  // The index is the catalog's index of the object (a star's in the current
  // star catalog, -1 where it has none), a solar-system object's identifier,
  // or a constellation's number.
  StarPosition position;
  std::string designation;           // as the program shows it
  int pickKind = 0;                  // what a click on it gives (hit_list.h)
  std::optional<StarIdRecord> star;  // a star of the identification database
};

class ObjectFinder {
 public:
  // Minor planets are looked for in the switched-on short lists, as the
  // menu's search does; language 1..4 as the user-interface languages.
  ObjectFinder(SkyCatalogs& catalogs, const ShortListSwitches& minorPlanetLists, int language)
      : catalogs_(catalogs), minorPlanetLists_(minorPlanetLists), language_(language) {}

  std::optional<FoundObject> find(std::string_view text);
  // The deep-sky search: a designation, another name of an object
  // ("Beehive"), then a whole deep-sky name.
  std::optional<FoundObject> deepsky(std::string_view text);
  // The minor-planet search: the switched-on short lists, then a number or
  // a name in the long list; Pluto's number or name finds the body Pluto.
  std::optional<FoundObject> minorPlanet(const MinorPlanetQuery& query);

 private:
  std::optional<FoundObject> byDesignation(std::string_view text);
  std::optional<FoundObject> byName(std::string_view text, bool whole);
  std::optional<FoundObject> byOtherDesignation(std::string_view text);

  std::optional<FoundObject> deepskyDesignation(std::string_view text);
  std::optional<FoundObject> deepStar(std::string_view text);
  std::optional<FoundObject> body(std::string_view text, bool whole);
  std::optional<FoundObject> constellation(std::string_view text, bool whole);
  std::optional<FoundObject> starName(std::string_view text, bool whole);
  std::optional<FoundObject> deepskyName(std::string_view text, bool whole);
  std::optional<FoundObject> comet(std::string_view text, bool whole);
  std::optional<FoundObject> commonName(std::string_view text);
  std::optional<FoundObject> doubleStar(std::string_view text);
  std::optional<FoundObject> variableStar(std::string_view text);

  std::optional<FoundObject> star(const StarIdRecord& record, std::string name = "");
  // A star's main name, the one its information text lists first; empty
  // when it has none.
  std::string mainNameOf(const StarIdRecord& record);
  // A catalog object as a click on it would show it.
  FoundObject picked(SearchKind kind, int pickKind, const StarPosition& at) const;

  SkyCatalogs& catalogs_;
  ShortListSwitches minorPlanetLists_;
  int language_;
};

// Centres the model's chart on a find as the Search menu does: in the
// field its kind is shown in, the find becoming the selection; a comet or
// minor planet gets its track. An outcome of object_search.h.
int centreOnFoundObject(AppModel& model, const FoundObject& found);

}  // namespace celvaro
