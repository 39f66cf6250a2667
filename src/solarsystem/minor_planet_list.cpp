#include "solarsystem/minor_planet_list.h"

#include <algorithm>
#include <cctype>

#include "platform/text_line_reader.h"
#include "solarsystem/element_fields.h"
#include "solarsystem/mpc_designation.h"
#include "platform/ascii_text.h"

namespace celvaro {
namespace {

constexpr size_t kNameColumn = 166;

// The name without a leading "(number) ".
std::string_view bareName(std::string_view name) {
  if (name.empty() || name.front() != '(') return name;
  const size_t close = name.find(") ");
  return close == std::string_view::npos ? name : name.substr(close + 2);
}

// Reads the designation columns into the element; false when they hold
// neither a packed number nor a packed provisional designation.
bool readDesignation(std::string_view line, AsteroidElements& e) {
  const std::string_view field = columnText(line, 0, 6);
  if (!columnFilled(line, 5)) {
    e.number = unpackNumber(field.substr(0, std::min<size_t>(field.size(), 5)));
    return e.number > 0;
  }
  e.packedDesignation = std::string(field);
  e.designation = unpackProvisional(field);
  return !e.designation.empty();
}

}  // namespace

MinorPlanetList::MinorPlanetList(int capacity, std::string path) : capacity_(capacity), path_(std::move(path)) {}

bool MinorPlanetList::isDataLine(std::string_view line) {
  if (line.size() < 2) return false;
  const unsigned char first = static_cast<unsigned char>(line[0]);
  return (std::isdigit(first) || std::isupper(first)) && std::isdigit(static_cast<unsigned char>(line[1]));
}

AsteroidElements MinorPlanetList::parseLine(std::string_view line, std::string& names) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  AsteroidElements e;
  const bool designated = readDesignation(line, e);
  const auto h = columnNumber(line, 8, 12), g = columnNumber(line, 14, 18);
  e.hasMagnitudes = columnFilled(line, 9) && columnFilled(line, 15) && h && g;
  if (e.hasMagnitudes) e.h = *h, e.g = *g;
  const auto epoch = julianDateOfPackedEpoch(columnText(line, 20, 24));
  const auto m = columnNumber(line, 26, 35), w = columnNumber(line, 37, 46), node = columnNumber(line, 48, 57);
  const auto i = columnNumber(line, 59, 68), ecc = columnNumber(line, 70, 78), n = columnNumber(line, 80, 90);
  const auto a = columnNumber(line, 92, 102);
  e.valid = designated && epoch && m && w && node && i && ecc && n && a && *n > 0;
  if (e.valid) e.orbit = {*a, *ecc, *i, *w, *node, *n, lastPerihelion(*epoch, *m, *n)};
  const std::string name = columnName(line, kNameColumn);
  if (!name.empty()) {
    e.nameOffset = static_cast<int32_t>(names.size());
    names += name;
    names += '\0';
  }
  return e;
}

int MinorPlanetList::load() {
  if (loaded_) return 0;
  TextLineReader reader(path_);
  if (!reader.isOpen()) return 4;
  std::string line;
  bool data = false;
  while (static_cast<int>(elements_.size()) < capacity_ && reader.next(line)) {
    data = data || isDataLine(line);
    if (!data) continue;
    const size_t namesBefore = names_.size();
    AsteroidElements e = parseLine(line, names_);
    if (e.number == kPlutoNumber) names_.resize(namesBefore);
    else elements_.push_back(std::move(e));
  }
  positions_.reset(elements_.size());
  loaded_ = true;
  return 0;
}

void MinorPlanetList::placeAt(const MinorBodyEphemeris& at) { positions_.setInstant(at); }

int MinorPlanetList::findByNumber(int number) const {
  if (number <= 0) return -1;
  const auto it = std::find_if(elements_.begin(), elements_.end(), [&](const auto& e) { return e.number == number; });
  return it == elements_.end() ? -1 : static_cast<int>(it - elements_.begin());
}

int MinorPlanetList::findByDesignation(std::string_view typed) const {
  const std::string packed = packProvisional(typed);
  if (packed.empty()) return -1;
  const auto it =
      std::find_if(elements_.begin(), elements_.end(), [&](const auto& e) { return e.packedDesignation == packed; });
  return it == elements_.end() ? -1 : static_cast<int>(it - elements_.begin());
}

int MinorPlanetList::findByName(std::string_view wanted) const {
  if (wanted.empty()) return -1;
  for (int k = 0; k < count(); ++k) {
    if (elements_[k].nameOffset < 0) continue;
    const std::string_view stored(names_.c_str() + elements_[k].nameOffset);
    if (sameIgnoringCase(stored, wanted) || sameIgnoringCase(bareName(stored), wanted)) return k;
  }
  return -1;
}

std::string MinorPlanetList::name(int index) const {
  if (index < 0 || index >= count()) return "";
  const AsteroidElements& e = elements_[index];
  if (e.nameOffset >= 0) return names_.c_str() + e.nameOffset;
  return e.number > 0 ? "(" + std::to_string(e.number) + ")" : e.designation;
}

std::optional<double> MinorPlanetList::magnitude(int index) const {
  return positions_.magnitude(index, [this](size_t k, const MinorBodyEphemeris& at) -> std::optional<double> {
    const AsteroidElements& e = elements_[k];
    if (!e.valid || !e.hasMagnitudes) return std::nullopt;
    return at.asteroidMagnitude(e.orbit, e.h, e.g);
  });
}

bool MinorPlanetList::position(int index, StarPosition& out) const {
  return positions_.read(index, out, [this](size_t k, const MinorBodyEphemeris& at) {
    return elements_[k].valid ? at.place(elements_[k].orbit) : std::nullopt;
  });
}

}  // namespace celvaro
