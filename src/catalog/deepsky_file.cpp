#include "catalog/deepsky_file.h"

#include <cstring>

#include "platform/binary_file.h"

namespace celvaro {

struct DeepskyFile::Header {
  int32_t version;
  int32_t lists[4];
  int32_t named, namedBytes, nameUnits, regions, objects, objectBytes, idWords, extraBytes;

  int64_t indexEntries() const { return int64_t{lists[0]} + lists[1] + lists[2] + lists[3]; }
  // The bytes after the header that the counts call for.
  int64_t sectionBytes() const {
    return 4 * indexEntries() + int64_t{kNamedObjectBytes} * named + 2 * int64_t{nameUnits} +
           int64_t{kRegionRecordBytes} * regions + int64_t{kDeepskyObjectBytes} * objects + 2 * int64_t{idWords} +
           extraBytes;
  }
  bool inRange() const;
};

namespace {

int32_t loadI32(const uint8_t* p) { return static_cast<int32_t>(loadU32(p)); }

double loadDouble(const uint8_t* p) {
  double value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

bool within(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

NamedObject decodeNamed(const uint8_t* p) {
  NamedObject n;
  n.object = loadI32(p);
  n.firstCode = loadI32(p + 4), n.firstNumber = loadI32(p + 8);
  n.secondCode = loadI32(p + 12), n.secondNumber = loadI32(p + 16);
  for (int l = 0; l < 4; ++l) n.names[l] = {loadI32(p + 20 + 8 * l), loadI32(p + 24 + 8 * l)};
  return n;
}

DeepskyObject decodeObject(const uint8_t* p) {
  DeepskyObject o;
  o.type = loadU16(p);
  o.level = loadU16(p + 2);
  o.magnitude = static_cast<int16_t>(loadU16(p + 4));
  o.raRad = loadDouble(p + 8);
  o.decRad = loadDouble(p + 16);
  o.majorAxis = loadI32(p + 24);
  o.minorAxis = loadI32(p + 28);
  o.positionAngle = loadU16(p + 32);
  o.firstIdWord = loadI32(p + 36);
  o.idItemCount = loadI32(p + 40);
  return o;
}

}  // namespace

bool DeepskyFile::Header::inRange() const {
  const bool v3 = version == 3;
  for (int32_t size : lists) {
    if (size < 0) return false;
  }
  return within(indexEntries(), 1, 2000) && within(named, v3 ? 1 : 0, 2000) && namedBytes == kNamedObjectBytes &&
         nameUnits >= 0 && within(regions, v3 ? 0 : 1, v3 ? 0 : 100) && within(objects, 1, 100000) &&
         objectBytes == kDeepskyObjectBytes && within(idWords, 1, 400000) && within(extraBytes, v3 ? 1 : 0, 100000);
}

void DeepskyFile::clear() {
  std::memset(listSizes_, 0, sizeof listSizes_);
  nameIndex_.clear();
  named_.clear();
  nameText_.clear();
  regions_.clear();
  objects_.clear();
  idWords_.clear();
  extraText_.clear();
}

int DeepskyFile::read(std::span<const uint8_t> file, int version) {
  clear();
  // A file too short for the header is no deep-sky catalog at all.
  if (file.size() < kDeepskyHeaderBytes || std::memcmp(file.data(), "CLV_DSCN", 8) != 0) return kDeepskyWrongMagic;
  const uint8_t* bytes = file.data();
  int32_t w[kDeepskyHeaderBytes / 4] = {};
  for (int i = 2; i < kDeepskyHeaderBytes / 4; ++i) w[i] = loadI32(bytes + 4 * i);
  const Header h{w[2], {w[3], w[4], w[5], w[6]}, w[7], w[8], w[9], w[10], w[11], w[12], w[13], w[14]};
  if (h.version != version || (version == 3 && h.regions != 0)) return kDeepskyWrongMagic;
  if (!h.inRange()) return kDeepskyBadHeader;
  // A file shorter than its counts, or regions whose runs leave the
  // objects, load as an empty catalog.
  if (!readSections(file.subspan(kDeepskyHeaderBytes), h)) {
    clear();
    return kDeepskyBadHeader;
  }
  return kDeepskyOpened;
}

bool DeepskyFile::readSections(std::span<const uint8_t> sections, const Header& h) {
  if (sections.size() < static_cast<uint64_t>(h.sectionBytes())) return false;
  const uint8_t* p = sections.data();
  nameIndex_.resize(static_cast<size_t>(h.indexEntries()));
  for (int32_t& entry : nameIndex_) entry = loadI32(p), p += 4;
  named_.resize(h.named);
  for (NamedObject& n : named_) n = decodeNamed(p), p += kNamedObjectBytes;
  nameText_.resize(h.nameUnits);
  for (char16_t& unit : nameText_) unit = loadU16(p), p += 2;
  if (!decodeRegions(p, h.regions, h.objects, regions_)) return false;
  p += h.regions * kRegionRecordBytes;
  objects_.resize(h.objects);
  for (DeepskyObject& o : objects_) o = decodeObject(p), p += kDeepskyObjectBytes;
  idWords_.resize(h.idWords);
  for (uint16_t& word : idWords_) word = loadU16(p), p += 2;
  extraText_.assign(reinterpret_cast<const char*>(p), h.extraBytes);
  std::memcpy(listSizes_, h.lists, sizeof listSizes_);
  return true;
}

int DeepskyFile::listStart(int list) const {
  int start = 0;
  for (int l = 1; l < list && l <= 4; ++l) start += listSizes_[l - 1];
  return start;
}

int DeepskyFile::listSize(int list) const { return list >= 1 && list <= 4 ? listSizes_[list - 1] : 0; }

const NamedObject* DeepskyFile::namedAt(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= nameIndex_.size()) return nullptr;
  return named(nameIndex_[position]);
}

const NamedObject* DeepskyFile::named(int64_t number) const {
  if (number < 0 || static_cast<size_t>(number) >= named_.size()) return nullptr;
  const NamedObject& n = named_[number];
  if (n.object < 0 || static_cast<size_t>(n.object) >= objects_.size()) return nullptr;
  return &n;
}

std::u16string_view DeepskyFile::name(const NamedObject& object, int language) const {
  if (language < 1 || language > 4) return {};
  const NamedObject::NameText& at = object.names[language - 1];
  if (at.length <= 0 || at.offset < 0 || int64_t{at.offset} + at.length > static_cast<int64_t>(nameText_.size())) {
    return {};
  }
  const std::u16string_view text(nameText_.data() + at.offset, at.length);
  return text.substr(0, text.find(u'\0'));
}

std::string_view DeepskyFile::extraText(uint32_t offset) const {
  if (offset >= extraText_.size()) return {};
  const char* start = extraText_.data() + offset;
  const void* end = std::memchr(start, '\0', extraText_.size() - offset);
  return end ? std::string_view(start, static_cast<const char*>(end) - start) : std::string_view();
}

bool DeepskyFile::decodeId(const uint16_t* payload, int payloadWords, DeepskyIdItem& id) {
  switch (id.code) {
    case kIdMessier: case kIdNgc: case kIdIc: case kIdUgc: case kIdName:
      if (payloadWords < 1) return false;
      id.value = payload[0];
      return true;
    case kIdPgc: case kIdOther:
      if (payloadWords < 2) return false;
      id.value = payload[0] | (static_cast<uint32_t>(payload[1]) << 16);
      return true;
    default:
      return false;
  }
}

}  // namespace celvaro
