#include "solarsystem/comet_list.h"

#include <cctype>
#include <cmath>

#include "platform/mapped_file.h"
#include "solarsystem/element_fields.h"

namespace celvaro {
namespace {

constexpr size_t kNameColumn = 102;

}  // namespace

CometRecord CometList::parseLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  CometRecord r;
  if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) {
    r.periodicNumber = columnInteger(line, 0, 3).value_or(-1);
  }
  if (line.size() > 4) r.orbitType = line[4];
  if (line.size() > 5 && static_cast<unsigned char>(line[5]) > ' ') r.packedDesignation = columnText(line, 5, 11);
  const auto year = columnInteger(line, 14, 17), month = columnInteger(line, 19, 20);
  const auto day = columnNumber(line, 22, 29), q = columnNumber(line, 30, 38), e = columnNumber(line, 41, 48);
  const auto w = columnNumber(line, 51, 58), node = columnNumber(line, 61, 68), i = columnNumber(line, 71, 78);
  r.valid = year && month && *month >= 1 && *month <= 12 && day && *day >= 1 && *day < 32 && q && e && w && node && i;
  if (r.valid) {
    r.perihelion = perihelionDate(*year, *month, static_cast<int>(std::lround(*day * 10000)));
    r.orbit = {*q, *e, *i, *w, *node, julianDayOf(r.perihelion)};
  }
  r.h = columnNumber(line, 91, 94);
  r.k = columnNumber(line, 96, 99);
  r.name = columnName(line, kNameColumn);
  return r;
}

int CometList::load(const std::string& path) {
  records_.clear();
  positions_.reset(0);
  const MappedFile file(path);
  if (!file.isOpen()) return 4;
  if (file.empty()) return 3;
  const std::string_view text(reinterpret_cast<const char*>(file.bytes().data()), file.size());
  size_t start = 0;
  for (int line = 0; start < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', start), text.size());
    records_.push_back(parseLine(text.substr(start, end - start)));
    records_.back().line = line;
    start = end + 1;
  }
  positions_.reset(records_.size());
  return 0;
}

std::optional<EquatorialPosition> CometList::computePosition(const CometRecord& record, const MinorBodyEphemeris& at) {
  return record.valid ? at.place(record.orbit) : std::nullopt;
}

void CometList::placeAt(const MinorBodyEphemeris& at) { positions_.setInstant(at); }

std::optional<double> CometList::magnitude(int index) const {
  return positions_.magnitude(index, [this](size_t k, const MinorBodyEphemeris& at) -> std::optional<double> {
    const CometRecord& c = records_[k];
    if (!c.valid || !c.h || !c.k) return std::nullopt;
    return at.cometMagnitude(c.orbit, *c.h, *c.k);
  });
}

bool CometList::position(int index, StarPosition& out) const {
  return positions_.read(index, out, [this](size_t k, const MinorBodyEphemeris& at) { return computePosition(records_[k], at); });
}

}  // namespace celvaro
