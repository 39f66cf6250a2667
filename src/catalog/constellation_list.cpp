#include "catalog/constellation_list.h"

#include <array>

namespace celvaro {
namespace {

struct Constellation {
  std::string_view name;
  std::string_view abbreviation;
};

constexpr std::array<Constellation, kConstellationCount> kConstellations{{
    {"Andromeda", "And"},        {"Antlia", "Ant"},          {"Apus", "Aps"},
    {"Aquarius", "Aqr"},         {"Aquila", "Aql"},          {"Ara", "Ara"},
    {"Aries", "Ari"},            {"Auriga", "Aur"},          {"Bootes", "Boo"},
    {"Caelum", "Cae"},           {"Camelopardalis", "Cam"},  {"Cancer", "Cnc"},
    {"Canes_Venatici", "CVn"},   {"Canis_Major", "CMa"},     {"Canis_Minor", "CMi"},
    {"Capricornus", "Cap"},      {"Carina", "Car"},          {"Cassiopeia", "Cas"},
    {"Centaurus", "Cen"},        {"Cepheus", "Cep"},         {"Cetus", "Cet"},
    {"Chamaeleon", "Cha"},       {"Circinus", "Cir"},        {"Columba", "Col"},
    {"Coma_Berenices", "Com"},   {"Corona_Australis", "CrA"}, {"Corona_Borealis", "CrB"},
    {"Corvus", "Crv"},           {"Crater", "Crt"},          {"Crux", "Cru"},
    {"Cygnus", "Cyg"},           {"Delphinus", "Del"},       {"Dorado", "Dor"},
    {"Draco", "Dra"},            {"Equuleus", "Equ"},        {"Eridanus", "Eri"},
    {"Fornax", "For"},           {"Gemini", "Gem"},          {"Grus", "Gru"},
    {"Hercules", "Her"},         {"Horologium", "Hor"},      {"Hydra", "Hya"},
    {"Hydrus", "Hyi"},           {"Indus", "Ind"},           {"Lacerta", "Lac"},
    {"Leo", "Leo"},              {"Leo_Minor", "LMi"},       {"Lepus", "Lep"},
    {"Libra", "Lib"},            {"Lupus", "Lup"},           {"Lynx", "Lyn"},
    {"Lyra", "Lyr"},             {"Mensa", "Men"},           {"Microscopium", "Mic"},
    {"Monoceros", "Mon"},        {"Musca", "Mus"},           {"Norma", "Nor"},
    {"Octans", "Oct"},           {"Ophiuchus", "Oph"},       {"Orion", "Ori"},
    {"Pavo", "Pav"},             {"Pegasus", "Peg"},         {"Perseus", "Per"},
    {"Phoenix", "Phe"},          {"Pictor", "Pic"},          {"Pisces", "Psc"},
    {"Piscis_Austrinus", "PsA"}, {"Puppis", "Pup"},          {"Pyxis", "Pyx"},
    {"Reticulum", "Ret"},        {"Sagitta", "Sge"},         {"Sagittarius", "Sgr"},
    {"Scorpius", "Sco"},         {"Sculptor", "Scl"},        {"Scutum", "Sct"},
    {"Serpens_Caput", "Ser"},    {"Serpens_Cauda", "Ser"},   {"Sextans", "Sex"},
    {"Taurus", "Tau"},           {"Telescopium", "Tel"},     {"Triangulum", "Tri"},
    {"Triangulum_Australe", "TrA"}, {"Tucana", "Tuc"},       {"Ursa_Major", "UMa"},
    {"Ursa_Minor", "UMi"},       {"Vela", "Vel"},            {"Virgo", "Vir"},
    {"Volans", "Vol"},           {"Vulpecula", "Vul"},
}};

constexpr int kSerpensCauda = 76;

}  // namespace

std::string_view constellationName(int number) {
  return number >= 0 && number < kConstellationCount ? kConstellations[number].name : "";
}

std::string_view constellationAbbreviation(int number) {
  return number >= 0 && number < kConstellationCount ? kConstellations[number].abbreviation : "";
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
