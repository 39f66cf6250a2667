#include "sky_sources.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/binary_file.h"
#include "platform/number_text.h"

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

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, '\t')) fields.push_back(field);
  return fields;
}

template <typename OnLine>
bool forEachDataLine(const std::string& path, OnLine onLine) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') onLine(splitTabs(line));
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

bool readStellariumStars(const std::vector<std::string>& starFiles, const std::string& spectralTypes,
                         std::map<int32_t, StellariumStar>& stars) {
  std::vector<std::string> types;
  {
    std::ifstream in(spectralTypes);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) types.push_back(line);
  }
  constexpr uint32_t kMagic = 0x835f040a;
  constexpr size_t kRecordBytes = 28;
  for (const std::string& path : starFiles) {
    BinaryFile file(path);
    uint8_t header[32];
    if (!file.read(header, sizeof header) || loadU32(header) != kMagic || loadU32(header + 4) != 0) {
      std::fprintf(stderr, "%s is not a Hipparcos star file\n", path.c_str());
      return false;
    }
    const uint32_t level = loadU32(header + 16);
    const size_t zones = 20u << (2 * level);
    std::vector<uint8_t> counts;
    if (level > 6 || !file.readInto(counts, zones * 4)) return false;
    size_t total = 0;
    for (size_t z = 0; z < zones; ++z) total += loadU32(&counts[z * 4]);
    std::vector<uint8_t> records;
    if (!file.readInto(records, total * kRecordBytes)) return false;
    for (size_t i = 0; i < total; ++i) {
      const uint8_t* r = &records[i * kRecordBytes];
      const int32_t hip = static_cast<int32_t>(r[0] | (r[1] << 8) | (r[2] << 16));
      const bool primary = r[3] == 0;  // no component letter
      if (hip == 0 || (stars.count(hip) && !primary)) continue;
      const uint16_t sp = loadU16(r + 14);
      StellariumStar& star = stars[hip];
      star.spectralType = sp < types.size() ? types[sp] : "";
      star.parallaxHundredthsMas = static_cast<int32_t>(loadU32(r + 24));
    }
  }
  return !stars.empty();
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

}  // namespace celvaro
