#include "common_names_builder.h"

#include <cstdio>
#include <set>
#include <vector>

#include "deepsky_sources.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

struct CommonName {
  const char* name;
  const char* target;  // a designation, or "J2000 <hours> <degrees>"
};

// Names in everyday use that the nebulae list gives otherwise or to
// another object, as observing guides use them (the SEDS Messier
// catalogue, Sky & Telescope's Caldwell list); "Hercules Cluster" is M 13
// to an observer, not the galaxy cluster Abell 2151. eta Carinae is in no
// star catalog of the program (Hipparcos left it out): its place is
// SIMBAD's, 10h45m03.59s -59°41'04.3" (J2000). The deep-sky source lists
// the compact elliptical NGC 4486B, 7' from M 87, under no number: its place
// is SIMBAD's, 12h30m31.97s +12°29'24.6".
constexpr CommonName kClassicNames[] = {
    {"Beehive", "M 44"},
    {"Omega Centauri", "NGC 5139"},
    {"Cigar Galaxy", "M 82"},
    {"Bode's Galaxy", "M 81"},
    {"Carina Nebula", "NGC 3372"},
    {"Eta Carinae Nebula", "NGC 3372"},
    {"Veil Nebula", "NGC 6992"},
    {"Hercules Cluster", "M 13"},
    {"Great Hercules Cluster", "M 13"},
    {"LMC", "PGC 17223"},
    {"SMC", "NGC 292"},
    {"η Car", "J2000 10.750997 -59.684528"},
    {"eta Car", "J2000 10.750997 -59.684528"},
    {"Eta Carinae", "J2000 10.750997 -59.684528"},
    {"NGC 4486B", "J2000 12.508881 12.490167"},
};

}  // namespace

bool buildCommonNameFile(const std::string& deepskyNames, const std::string& dataDirectory) {
  std::vector<SourceDsoName> names;
  if (!readStellariumDsoNames(deepskyNames, names)) return false;
  std::string text = "# name<TAB>designation, or name<TAB>J2000 hours degrees; the first line of a name counts\n";
  std::set<std::string> written;
  auto add = [&](const std::string& name, const std::string& target) {
    if (name.empty() || name.find('\t') != std::string::npos || !written.insert(name).second) return;
    text += name + "\t" + target + "\n";
  };
  for (const CommonName& c : kClassicNames) add(c.name, c.target);
  for (const SourceDsoName& n : names) add(n.name, n.key);
  std::printf("  %zu names\n", written.size());
  return writeFile(dataDirectory + "/common_names.txt", text);
}

}  // namespace celvaro
