#include "astro/constellation_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numbers>

namespace celvaro {
namespace {

struct Constellation {
  std::string_view name;
  std::string_view abbreviation;
  int32_t raThousandthHours;
  int32_t decHundredthDegrees;
};

// Name positions: right ascension in thousandths of an hour, declination in
// hundredths of a degree, each inside its constellation's boundary.
constexpr std::array<Constellation, kConstellationCount> kConstellations{{
    {"Andromeda", "And", 564, 3925},
    {"Antlia", "Ant", 10400, -3600},
    {"Apus", "Aps", 16000, -7400},
    {"Aquarius", "Aqr", 22500, -500},
    {"Aquila", "Aql", 19400, 800},
    {"Ara", "Ara", 17200, -5600},
    {"Aries", "Ari", 2800, 2200},
    {"Auriga", "Aur", 5500, 3700},
    {"Bootes", "Boo", 14900, 3500},
    {"Caelum", "Cae", 4900, -4200},
    {"Camelopardalis", "Cam", 5600, 7200},
    {"Cancer", "Cnc", 8550, 2700},
    {"Canes_Venatici", "CVn", 12800, 4300},
    {"Canis_Major", "CMa", 6830, -2269},
    {"Canis_Minor", "CMi", 7300, 500},
    {"Capricornus", "Cap", 21000, -2200},
    {"Carina", "Car", 9600, -6600},
    {"Cassiopeia", "Cas", 23600, 5550},
    {"Centaurus", "Cen", 13300, -4000},
    {"Cepheus", "Cep", 22500, 7100},
    {"Cetus", "Cet", 1900, -500},
    {"Chamaeleon", "Cha", 12600, -8100},
    {"Circinus", "Cir", 14500, -6700},
    {"Columba", "Col", 5700, -3900},
    {"Coma_Berenices", "Com", 12900, 2400},
    {"Corona_Australis", "CrA", 18800, -4000},
    {"Corona_Borealis", "CrB", 15900, 3200},
    {"Corvus", "Crv", 12400, -1950},
    {"Crater", "Crt", 11650, -1500},
    {"Crux", "Cru", 12900, -6200},
    {"Cygnus", "Cyg", 20500, 5000},
    {"Delphinus", "Del", 20600, 600},
    {"Dorado", "Dor", 5100, -6400},
    {"Draco", "Dra", 17945, 6606},
    {"Equuleus", "Equ", 21350, 1150},
    {"Eridanus", "Eri", 3500, -1800},
    {"Fornax", "For", 2700, -2800},
    {"Gemini", "Gem", 7150, 2350},
    {"Grus", "Gru", 22800, -4150},
    {"Hercules", "Her", 16900, 3500},
    {"Horologium", "Hor", 3400, -5200},
    {"Hydra", "Hya", 10000, -2200},
    {"Hydrus", "Hyi", 2300, -7200},
    {"Indus", "Ind", 21200, -5550},
    {"Lacerta", "Lac", 22800, 4700},
    {"Leo", "Leo", 10600, 1500},
    {"Leo_Minor", "LMi", 10500, 3000},
    {"Lepus", "Lep", 5900, -2500},
    {"Libra", "Lib", 15400, -2600},
    {"Lupus", "Lup", 15250, -3500},
    {"Lynx", "Lyn", 8100, 4900},
    {"Lyra", "Lyr", 18600, 3000},
    {"Mensa", "Men", 5500, -8000},
    {"Microscopium", "Mic", 21100, -3700},
    {"Monoceros", "Mon", 7650, -600},
    {"Musca", "Mus", 13000, -7300},
    {"Norma", "Nor", 16200, -5200},
    {"Octans", "Oct", 20000, -8000},
    {"Ophiuchus", "Oph", 17200, 300},
    {"Orion", "Ori", 5660, 500},
    {"Pavo", "Pav", 19800, -6200},
    {"Pegasus", "Peg", 22617, 1965},
    {"Perseus", "Per", 4400, 4500},
    {"Phoenix", "Phe", 1100, -4300},
    {"Pictor", "Pic", 5500, -5000},
    {"Pisces", "Psc", 1300, 1500},
    {"Piscis_Austrinus", "PsA", 22200, -2900},
    {"Puppis", "Pup", 7400, -4600},
    {"Pyxis", "Pyx", 8800, -2400},
    {"Reticulum", "Ret", 3700, -6100},
    {"Sagitta", "Sge", 19400, 1800},
    {"Sagittarius", "Sgr", 19500, -3400},
    {"Scorpius", "Sco", 16600, -3800},
    {"Sculptor", "Scl", 100, -3300},
    {"Scutum", "Sct", 18800, -1250},
    {"Serpens_Caput", "Ser", 15731, 1085},
    {"Serpens_Cauda", "Ser", 17958, -1352},
    {"Sextans", "Sex", 10500, -700},
    {"Taurus", "Tau", 3600, 1500},
    {"Telescopium", "Tel", 18500, -5400},
    {"Triangulum", "Tri", 1800, 3400},
    {"Triangulum_Australe", "TrA", 16000, -6750},
    {"Tucana", "Tuc", 23200, -6400},
    {"Ursa_Major", "UMa", 11000, 4800},
    {"Ursa_Minor", "UMi", 15100, 6800},
    {"Vela", "Vel", 9550, -4600},
    {"Virgo", "Vir", 13300, -400},
    {"Volans", "Vol", 7400, -7300},
    {"Vulpecula", "Vul", 19700, 2100},
}};

constexpr int kSerpensCauda = 76;

}  // namespace

std::string_view constellationName(int number) {
  return number >= 0 && number < kConstellationCount ? kConstellations[number].name : "";
}

std::string shownConstellationName(int number) {
  std::string name(constellationName(number));
  std::replace(name.begin(), name.end(), '_', ' ');
  return name;
}

std::string_view constellationAbbreviation(int number) {
  return number >= 0 && number < kConstellationCount ? kConstellations[number].abbreviation : "";
}

bool constellationPosition(int number, double& raRad, double& decRad) {
  if (number < 0 || number >= kConstellationCount) return false;
  raRad = kConstellations[number].raThousandthHours * std::numbers::pi / 12000;
  decRad = kConstellations[number].decHundredthDegrees * std::numbers::pi / 18000;
  return true;
}

void appendPackedAbbreviation(std::string& out, int number, size_t capacity) {
  if (number < 1 || number > 88) return;
  // Packed number n is list entry n - 1 up to Serpens, entry n after it.
  std::string_view letters = constellationAbbreviation(number <= kSerpensCauda ? number - 1 : number);
  for (char c : letters) {
    if (out.size() >= capacity) return;
    out += c;
  }
}

}  // namespace celvaro
