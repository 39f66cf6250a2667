#include "catalog_writers.h"

#include <algorithm>
#include <cstring>

#include "catalog/star_info_file.h"
#include "platform/binary_file.h"

namespace celvaro {
void appendDouble(std::string& out, double v) {
  char bytes[8];
  std::memcpy(bytes, &v, 8);
  out.append(bytes, 8);
}

std::string skyRegionBytes(const std::vector<SkyRegion>& regions) {
  std::string out;
  for (const SkyRegion& r : regions) {
    appendU32(out, static_cast<uint32_t>(r.first));
    appendU32(out, static_cast<uint32_t>(r.count));
    for (double bound : {r.ra1, r.ra2, r.dec1, r.dec2}) appendDouble(out, bound);
  }
  return out;
}

namespace {

void sortByMagnitude(std::vector<CatalogStar>& stars) {
  std::stable_sort(stars.begin(), stars.end(),
                   [](const CatalogStar& a, const CatalogStar& b) { return a.magnitude < b.magnitude; });
}

}  // namespace

void appendMagic(std::string& out, const char* magic, uint32_t version) {
  out.append(magic, 8);
  appendU32(out, version);
}

std::string starCatalogBytes(const StarCatalogContents& c) {
  std::string out;
  appendMagic(out, "CLV_STD1", 1);
  appendU32(out, static_cast<uint32_t>(c.zones.size()));
  appendU32(out, static_cast<uint32_t>(c.stars.size()));
  for (const auto& zone : c.zones) {
    appendU32(out, static_cast<uint32_t>(zone.magnitude));
    appendU32(out, static_cast<uint32_t>(zone.first));
    appendU32(out, static_cast<uint32_t>(zone.count));
  }
  for (const auto& s : c.stars) appendU32(out, static_cast<uint32_t>(s.hip));
  for (const auto& s : c.stars) appendU16(out, static_cast<uint16_t>(s.magnitude));
  for (const auto& s : c.stars) appendDouble(out, s.raRad);
  for (const auto& s : c.stars) appendDouble(out, s.decRad);
  for (const auto& s : c.stars) out += static_cast<char>(s.colourClass);
  return out;
}

StarCatalogContents zonedStarCatalog(std::vector<CatalogStar> stars, const std::vector<int32_t>& zoneEdges) {
  sortByMagnitude(stars);
  StarCatalogContents contents;
  size_t next = 0;
  for (size_t z = 0; z < zoneEdges.size(); ++z) {
    const bool last = z + 1 == zoneEdges.size();
    size_t end = next;
    while (end < stars.size() && (last || stars[end].magnitude <= zoneEdges[z])) ++end;
    if (end > next) {
      contents.zones.push_back({zoneEdges[z], static_cast<int32_t>(next), static_cast<int32_t>(end - next)});
    }
    next = end;
  }
  contents.stars = std::move(stars);
  return contents;
}

StarCatalogContents closelyZonedStarCatalog(std::vector<CatalogStar> stars, int32_t maxOffset) {
  sortByMagnitude(stars);
  StarCatalogContents contents;
  for (size_t first = 0, end = 0; first < stars.size(); first = end) {
    const int32_t brightest = stars[first].magnitude;
    while (end < stars.size() && stars[end].magnitude <= brightest + 2 * maxOffset) ++end;
    const int32_t middle = brightest + (stars[end - 1].magnitude - brightest) / 2;
    contents.zones.push_back({middle, static_cast<int32_t>(first), static_cast<int32_t>(end - first)});
  }
  contents.stars = std::move(stars);
  return contents;
}

std::string starLabelsBytes(const std::vector<LabelEntry>& labels) {
  std::string records, text(1, '\0');  // offset 0 means no name
  for (const auto& [l, name] : labels) {
    const uint32_t offset = name.empty() ? 0 : static_cast<uint32_t>(text.size());
    if (!name.empty()) text += name + '\0';
    appendU32(records, offset);
    appendU32(records, 0);
    appendDouble(records, l.raRad);
    appendDouble(records, l.decRad);
    appendU16(records, static_cast<uint16_t>(l.magnitude));
    appendU16(records, static_cast<uint16_t>(l.flamsteed));
    records += static_cast<char>(l.constellation);
    records += static_cast<char>(l.greekLetter);
    records += static_cast<char>(l.superscript);
    records += '\0';
  }
  std::string out;
  appendMagic(out, "CLV_STLS", 1);
  appendU32(out, static_cast<uint32_t>(labels.size()));
  appendU32(out, static_cast<uint32_t>(text.size()));
  return out + records + text;
}

InfoRecordBytes infoRecordBytes(const std::vector<InfoValue>& values) {
  std::string words, text;
  for (const InfoValue& v : values) {
    appendU16(words, static_cast<uint16_t>(v.field | (v.type << 8)));
    const bool oneWord = v.type == kInfoCharacter || v.type == kInfoWord || v.type == kInfoWordTenths;
    const uint32_t value = v.type == kInfoText ? static_cast<uint32_t>(text.size()) : static_cast<uint32_t>(v.number);
    appendU16(words, static_cast<uint16_t>(value & 0xFFFF));
    if (!oneWord) appendU16(words, static_cast<uint16_t>(value >> 16));
    if (v.type == kInfoText) text += v.text + '\0';
  }
  const uint32_t packed = static_cast<uint32_t>(values.size() | ((words.size() / 2) << 8) | (text.size() << 16));
  return {words + text, packed};
}

std::string starMotionBytes(const std::vector<StoredMotion>& byNumber, const std::vector<FastStarEntry>& fast) {
  std::string out;
  appendMagic(out, "CLV_SPMO", 2);
  appendU32(out, static_cast<uint32_t>(byNumber.size()));
  for (const StoredMotion& m : byNumber) {
    for (const int32_t v : {m.raHundredthsMas, m.decHundredthsMas, m.parallaxHundredthsMas}) {
      appendU32(out, static_cast<uint32_t>(v));
    }
  }
  appendU32(out, static_cast<uint32_t>(fast.size()));
  for (const FastStarEntry& f : fast) {
    for (const int32_t v : {f.hip, f.raMas, f.decMas}) appendU32(out, static_cast<uint32_t>(v));
  }
  return out;
}

std::string markLinkBytes(const std::vector<MarkKindEntry>& kinds) {
  std::string out;
  appendMagic(out, "CLV_SMRK", 1);
  for (const MarkKindEntry& kind : kinds) {
    appendU32(out, kind.recordCount);
    appendU32(out, static_cast<uint32_t>(kind.links.size()));
    for (const MarkLinkEntry& link : kind.links) {
      appendU32(out, link.record);
      appendU32(out, static_cast<uint32_t>(link.hipparcos));
      appendU32(out, static_cast<uint32_t>(link.starDecMas));
    }
  }
  return out;
}

std::string starInfoBytes(const std::map<int32_t, std::vector<InfoValue>>& records, int32_t entryCount) {
  std::string index, area;
  for (int32_t number = 0; number < entryCount; ++number) {
    auto found = records.find(number);
    const InfoRecordBytes record = infoRecordBytes(found != records.end() ? found->second : std::vector<InfoValue>{});
    appendU32(index, static_cast<uint32_t>(area.size()));
    appendU32(index, record.packedSize);
    area += record.bytes;
  }
  std::string out;
  appendMagic(out, "CLV_SIDX", 1);
  appendU32(out, static_cast<uint32_t>(entryCount));
  return out + index + area;
}

std::string polylineBytes(const std::vector<PolylinePoint>& points) {
  std::string out;
  for (const PolylinePoint& p : points) {
    out += static_cast<char>(p.pen);
    appendDouble(out, p.raRad);
    appendDouble(out, p.decRad);
  }
  return out;
}

}  // namespace celvaro
