#include "sky_sources.h"

#include <nlohmann/json.hpp>

#include <zlib.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/binary_file.h"
#include "platform/number_text.h"
#include "zoned_star_files.h"

namespace celvaro {
namespace {

using nlohmann::json;

bool parseJson(const std::string& path, json& document) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  document = json::parse(in, nullptr, false);
  if (document.is_discarded()) {
    std::fprintf(stderr, "%s is not valid JSON\n", path.c_str());
    return false;
  }
  return true;
}

// d3-celestial longitudes run -180..180 for right ascensions 0..360.
double raFromLongitude(double lon) { return lon < 0 ? lon + 360 : lon; }

std::vector<std::string> splitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, separator)) fields.push_back(field);
  return fields;
}

// Each line that is not empty or a comment, split at the separator.
template <typename OnLine>
bool forEachDataLine(const std::string& path, OnLine onLine, char separator = '\t') {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') onLine(splitFields(line, separator));
  }
  return true;
}

}  // namespace

bool readD3Stars(const std::string& path, std::vector<SourceStar>& stars) {
  json doc;
  if (!parseJson(path, doc)) return false;
  for (const json& f : doc.value("features", json::array())) {
    if (!f.contains("id") || !f["id"].is_number_integer()) continue;
    const json& p = f["properties"];
    const json& c = f["geometry"]["coordinates"];
    SourceStar star{f["id"].get<int32_t>(), p.value("mag", 99.0), std::nullopt, raFromLongitude(c[0].get<double>()),
                    c[1].get<double>()};
    const std::string bv = p.value("bv", std::string());
    if (!bv.empty()) star.bv = leadingDouble(bv);
    stars.push_back(star);
  }
  return !stars.empty();
}

bool readD3StarNames(const std::string& path, std::map<int32_t, SourceStarName>& names) {
  json doc;
  if (!parseJson(path, doc)) return false;
  for (const auto& [key, entry] : doc.items()) {
    SourceStarName name;
    name.name = entry.value("name", std::string());
    name.bayer = entry.value("bayer", std::string());
    name.constellation = entry.value("c", std::string());
    const std::string flam = entry.value("flam", std::string());
    if (!flam.empty()) name.flamsteed = leadingInt(flam);
    const std::string hd = entry.value("hd", std::string());  // "HD 48915", a thin space between
    if (const size_t digit = hd.find_first_of("0123456789"); hd.starts_with("HD") && digit != std::string::npos) {
      name.hd = leadingInt(hd.substr(digit));
    }
    names[leadingInt(key)] = name;
  }
  return !names.empty();
}

bool readD3Polylines(const std::string& path, std::vector<SourcePolyline>& polylines) {
  json doc;
  if (!parseJson(path, doc)) return false;
  for (const json& f : doc.value("features", json::array())) {
    const std::string id = f.value("id", std::string());
    for (const json& line : f["geometry"]["coordinates"]) {
      SourcePolyline polyline{id, {}};
      for (const json& point : line) {
        polyline.points.emplace_back(raFromLongitude(point[0].get<double>()), point[1].get<double>());
      }
      polylines.push_back(std::move(polyline));
    }
  }
  return !polylines.empty();
}

namespace {

// Calls `onRecord` with each record of the Stellarium Hipparcos star files
// (type 0, 28 bytes) and its visual magnitude.
bool forEachHipparcosRecord(const std::vector<std::string>& starFiles,
                            const std::function<void(const uint8_t*, double)>& onRecord) {
  for (const std::string& path : starFiles) {
    bool hipparcos = true;
    const bool read = forEachZonedStarRecord(path, [&](const ZonedStarFile& file, uint32_t, const uint8_t* r) {
      hipparcos = file.type == 0;
      if (hipparcos) onRecord(r, zonedMagnitude(file, r[13]));
    });
    if (!read || !hipparcos) {
      std::fprintf(stderr, "%s is not a Hipparcos star file\n", path.c_str());
      return false;
    }
  }
  return true;
}

int32_t hipOfRecord(const uint8_t* r) { return static_cast<int32_t>(r[0] | (r[1] << 8) | (r[2] << 16)); }

}  // namespace

bool readStellariumStars(const std::vector<std::string>& starFiles, const std::string& spectralTypes,
                         std::map<int32_t, StellariumStar>& stars) {
  std::vector<std::string> types;
  {
    std::ifstream in(spectralTypes);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) types.push_back(line);
  }
  const bool read = forEachHipparcosRecord(starFiles, [&](const uint8_t* r, double) {
    const int32_t hip = hipOfRecord(r);
    const bool primary = r[3] == 0;  // no component letter
    if (hip == 0 || (stars.count(hip) && !primary)) return;
    const uint16_t sp = loadU16(r + 14);
    StellariumStar& star = stars[hip];
    star.spectralType = sp < types.size() ? types[sp] : "";
    star.parallaxHundredthsMas = static_cast<int32_t>(loadU32(r + 24));
  });
  return read && !stars.empty();
}

bool readProperMotions(const std::string& path, std::map<int32_t, ProperMotion>& motions) {
  return forEachDataLine(path, [&](const std::vector<std::string>& f) {
    if (f.size() >= 3) motions[leadingInt(f[0])] = {leadingDouble(f[1]), leadingDouble(f[2])};
  });
}

bool readCrossIds(const std::string& path, std::map<int32_t, CrossIds>& ids) {
  return forEachDataLine(path, [&](const std::vector<std::string>& f) {
    if (f.size() < 3) return;
    const int32_t hip = leadingInt(f[0]);
    const bool component = f.size() > 1 && !f[1].empty();
    if (component && ids.count(hip)) return;  // the system's own row wins
    CrossIds& entry = ids[hip];
    entry.sao = leadingInt(f[2]);
    entry.hd = f.size() > 3 ? leadingInt(f[3]) : 0;
    entry.hr = f.size() > 4 ? leadingInt(f[4]) : 0;
  });
}

void addMissingHdNumbers(const std::map<int32_t, SourceStarName>& names, std::map<int32_t, CrossIds>& ids) {
  for (const auto& [hip, name] : names) {
    if (name.hd <= 0) continue;
    CrossIds& entry = ids[hip];
    if (entry.hd <= 0) entry.hd = name.hd;
  }
}

bool readWdsPairs(const std::string& path, std::vector<WdsPair>& pairs) {
  const bool read = forEachDataLine(path, [&](const std::vector<std::string>& f) {
    if (f.size() >= 5) pairs.push_back({leadingInt(f[0]), f[1], leadingInt(f[2]), leadingInt(f[3]), leadingDouble(f[4])});
  });
  return read && !pairs.empty();
}

bool readDesignationNames(const std::string& path, std::map<int32_t, std::vector<std::string>>& names) {
  const bool read = forEachDataLine(path, [&](const std::vector<std::string>& f) {
    if (f.size() == 2 && !f[1].empty()) names[leadingInt(f[0])].push_back(f[1]);
  }, '|');
  return read && !names.empty();
}

bool readProperNames(const std::string& path, std::map<int32_t, std::vector<SourceProperName>>& names) {
  const bool read = forEachDataLine(path, [&](const std::vector<std::string>& f) {
    if (f.size() < 2) return;
    const size_t open = f[1].find("_(\""), close = f[1].rfind("\")");
    if (open == std::string::npos || close == std::string::npos || close <= open + 3) return;
    SourceProperName name{f[1].substr(open + 3, close - open - 3), {}};
    for (const std::string& reference : splitFields(f[1].substr(close + 2), ',')) {
      if (reference.find_first_of("0123456789") != std::string::npos) name.references.push_back(leadingInt(reference));
    }
    names[leadingInt(f[0])].push_back(std::move(name));
  }, '|');
  return read && !names.empty();
}

bool readGcvsStars(const std::string& path, std::vector<GcvsStar>& stars) {
  const bool read = forEachDataLine(path, [&](std::vector<std::string> f) {
    if (f.size() < 2) return;
    f.resize(12);  // the line drops its empty last columns
    stars.push_back({leadingInt(f[0]), f[1], f[2], f[3], leadingInt(f[4]), f[5], f[6], f[7], f[8], f[9], f[10], f[11]});
  });
  return read && !stars.empty();
}

// --- orbital elements -----------------------------------------------------------

namespace {

constexpr double kGaussianDailyMotion = 0.9856076686;  // degrees a day at 1 AU
constexpr double kMjdOffset = 2400000.5;

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<double> numberOf(const json& value) {
  if (value.is_number()) return value.get<double>();
  if (!value.is_string() || trimmed(value.get<std::string>()).empty()) return std::nullopt;
  const std::string text = value.get<std::string>();
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  return end != text.c_str() && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::string textOf(const json& value) { return value.is_string() ? value.get<std::string>() : ""; }

// "     1 Ceres (A801 AA)", "  612345 (2015 AB1)" or "       (2022 OU15)".
bool readFullName(const std::string& fullName, AsteroidLine& line) {
  const std::string name = trimmed(fullName);
  const size_t open = name.rfind('('), close = name.rfind(')');
  const std::string provisional =
      open != std::string::npos && close > open ? name.substr(open + 1, close - open - 1) : "";
  const std::string front = trimmed(name.substr(0, open == std::string::npos ? name.size() : open));
  if (!front.empty() && std::isdigit(static_cast<unsigned char>(front[0]))) {
    line.number = leadingInt(front);
    const size_t blank = front.find(' ');
    const std::string proper = blank == std::string::npos ? "" : trimmed(front.substr(blank));
    line.readable = "(" + std::to_string(line.number) + ") " + (proper.empty() ? provisional : proper);
    return line.number > 0;
  }
  line.provisional = provisional;
  line.readable = provisional;
  return !provisional.empty();
}

}  // namespace

bool readSbdbAsteroids(const std::string& path, std::vector<SourceAsteroid>& asteroids) {
  json document;
  if (!parseJson(path, document) || !document.contains("fields") || !document.contains("data")) return false;
  std::map<std::string, size_t> column;
  for (size_t i = 0; i < document["fields"].size(); ++i) column[textOf(document["fields"][i])] = i;
  for (const char* field : {"full_name", "neo", "H", "G", "orbit_id", "epoch_mjd", "e", "a", "i", "om", "w", "ma", "class"}) {
    if (!column.count(field)) {
      std::fprintf(stderr, "%s has no field %s\n", path.c_str(), field);
      return false;
    }
  }
  for (const json& row : document["data"]) {
    if (!row.is_array() || row.size() < document["fields"].size()) continue;
    auto number = [&](const char* field) { return numberOf(row[column[field]]); };
    SourceAsteroid source;
    AsteroidLine& line = source.elements;
    const auto epoch = number("epoch_mjd"), e = number("e"), a = number("a"), i = number("i"), node = number("om"),
               w = number("w"), m = number("ma");
    if (!readFullName(textOf(row[column["full_name"]]), line) || !epoch || !e || !a || !i || !node || !w || !m ||
        *e >= 1 || *a <= 0) {
      continue;
    }
    line.nDegPerDay = kGaussianDailyMotion / (*a * std::sqrt(*a));
    // The format keeps epochs at 0h: the mean anomaly moves with the epoch.
    const double epochJd = *epoch + kMjdOffset, dayStart = std::floor(epochJd - 0.5) + 0.5;
    line.epochJd = dayStart;
    line.meanAnomalyDeg = std::fmod(*m + line.nDegPerDay * (dayStart - epochJd) + 360, 360);
    line.e = *e, line.a = *a, line.iDeg = *i, line.nodeDeg = *node, line.wDeg = *w;
    line.h = number("H");
    if (line.h) line.g = number("G").value_or(0.15);
    const std::string orbit = textOf(row[column["orbit_id"]]);
    line.reference = orbit.rfind("JPL", 0) == 0 ? orbit : "JPL " + orbit;
    source.orbitSolution = leadingInt(orbit.rfind("JPL", 0) == 0 ? orbit.substr(3) : orbit);
    source.nearEarth = textOf(row[column["neo"]]) == "Y";
    source.orbitClass = textOf(row[column["class"]]);
    if (!mpcorbLine(line).empty()) asteroids.push_back(std::move(source));
  }
  return !asteroids.empty();
}

bool readGzipFile(const std::string& path, std::string& text) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[65536];
  int count;
  while ((count = gzread(file, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(count));
  const bool ok = count == 0;
  gzclose(file);
  return ok;
}

bool readMpcComets(const std::string& gzipPath, std::vector<CometLine>& comets) {
  std::string text;
  if (!readGzipFile(gzipPath, text)) {
    std::fprintf(stderr, "cannot read %s\n", gzipPath.c_str());
    return false;
  }
  const json document = json::parse(text, nullptr, false);
  if (document.is_discarded() || !document.is_array()) {
    std::fprintf(stderr, "%s is not a JSON array\n", gzipPath.c_str());
    return false;
  }
  for (const json& c : document) {
    const auto value = [&](const char* key) { return c.contains(key) ? numberOf(c[key]) : std::nullopt; };
    const auto year = value("Year_of_perihelion"), month = value("Month_of_perihelion"), day = value("Day_of_perihelion"),
               q = value("Perihelion_dist"), e = value("e"), w = value("Peri"), node = value("Node"), i = value("i");
    if (!year || !month || !day || !q || !e || !w || !node || !i) continue;
    CometLine line;
    line.periodicNumber = static_cast<int>(value("Comet_num").value_or(-1));
    const std::string type = c.contains("Orbit_type") ? textOf(c["Orbit_type"]) : "";
    line.orbitType = type.empty() ? 'C' : type[0];
    line.packedDesignation = c.contains("Provisional_packed_desig") ? textOf(c["Provisional_packed_desig"]) : "";
    line.year = static_cast<int>(*year), line.month = static_cast<int>(*month), line.day = *day;
    line.q = *q, line.e = *e, line.wDeg = *w, line.nodeDeg = *node, line.iDeg = *i;
    line.epochYear = static_cast<int>(value("Epoch_year").value_or(0));
    line.epochMonth = static_cast<int>(value("Epoch_month").value_or(0));
    line.epochDay = static_cast<int>(value("Epoch_day").value_or(0));
    line.h = value("H"), line.g = value("G");
    line.name = c.contains("Designation_and_name") ? textOf(c["Designation_and_name"]) : "";
    line.reference = c.contains("Ref") ? textOf(c["Ref"]) : "";
    comets.push_back(std::move(line));
  }
  return !comets.empty();
}

}  // namespace celvaro
