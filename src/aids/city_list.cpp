#include "aids/city_list.h"

#include <cstring>

#include "platform/binary_file.h"

namespace celvaro {

int CityList::load(const std::string& path) {
  cursor_ = 0;
  return readAidFile(path, kCityFormat, blocks_);
}

std::optional<City> CityList::cityAt(int index) const {
  if (index < 0 || index >= count()) return std::nullopt;
  const uint8_t* record = blocks_.records.data() + size_t{kCityFormat.recordBytes} * index;
  return City{static_cast<int32_t>(loadU32(record)), static_cast<int32_t>(loadU32(record + 4)),
              static_cast<int32_t>(loadU32(record + 8))};
}

std::optional<std::string> CityList::nameOf(int index) const {
  return textAt(loadU32(blocks_.records.data() + size_t{kCityFormat.recordBytes} * index + 12));
}

std::string CityList::zoneAt(int index) const {
  if (index < 0 || index >= count()) return {};
  const uint32_t offset = loadU32(blocks_.records.data() + size_t{kCityFormat.recordBytes} * index + 16);
  return offset == 0 ? std::string() : textAt(offset).value_or("");
}

// A text whose offset lies outside the block, or whose end does not, is none.
std::optional<std::string> CityList::textAt(uint32_t offset) const {
  const size_t size = blocks_.units.size();
  if (offset >= size) return std::nullopt;
  const char* start = reinterpret_cast<const char*>(blocks_.units.data()) + offset;
  const void* end = std::memchr(start, 0, size - offset);
  if (!end) return std::nullopt;
  return std::string(start, static_cast<const char*>(end));
}

std::optional<std::string> CityList::nameAt(int index) const {
  if (index < 0 || index >= count()) return std::nullopt;
  return nameOf(index);
}

std::optional<std::string> CityList::firstCity() {
  cursor_ = 0;
  return nextCity();
}

std::optional<std::string> CityList::nextCity() {
  if (cursor_ < 0 || cursor_ >= count()) return std::nullopt;
  std::optional<std::string> name = nameOf(cursor_);
  // A bad name ends the walk for good, until firstCity.
  cursor_ = name ? cursor_ + 1 : count();
  return name;
}

}  // namespace celvaro
