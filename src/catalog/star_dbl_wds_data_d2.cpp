#include "catalog/star_dbl_wds_data_d2.h"

#include <algorithm>
#include <cstring>

#include "model/chart_settings.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"

namespace celvaro {
namespace {

constexpr size_t kDesignationChars = 7, kCodeChars = 3;

DoubleStarRecord decodeRecord(const uint8_t* p) {
  DoubleStarRecord r;
  std::memcpy(&r.raRad, p, 8);
  std::memcpy(&r.decRad, p + 8, 8);
  const char* text = reinterpret_cast<const char*>(p + 16);
  r.designation.assign(text, strnlen(text, kDesignationChars));
  r.primary = static_cast<int32_t>(loadU32(p + 24));
  r.companion = static_cast<int32_t>(loadU32(p + 28));
  r.separation = static_cast<int32_t>(loadU32(p + 32));
  r.infoOffset = loadU32(p + 36);
  r.infoSize = loadU32(p + 40);
  return r;
}

// "13239+5456" of "13239+5456", "WDS 13239+5456" or "WDS J13239+5456";
// "" for any other text.
std::string wdsCoordinateKey(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  text = start == std::string_view::npos ? std::string_view{} : text.substr(start);
  for (std::string_view prefix : {"WDS", " ", "J"}) {
    if (text.starts_with(prefix)) text.remove_prefix(prefix.size());
  }
  text = text.substr(0, text.find_last_not_of(' ') + 1);
  const bool form = text.size() == 10 && (text[5] == '+' || text[5] == '-') &&
                    std::all_of(text.begin(), text.end(), [](char c) { return c == '+' || c == '-' || (c >= '0' && c <= '9'); });
  return form ? std::string(text) : std::string();
}

// The further designations of an information text ("SHY 247, SMR 4").
void addOtherDesignations(const std::string& text, int index, std::map<std::string, int>& keys) {
  for (size_t start = 0; start < text.size();) {
    const size_t comma = text.find(", ", start);
    const std::string key = doubleStarKey(std::string_view(text).substr(start, comma - start));
    if (!key.empty()) keys.emplace(key, index);
    start = comma == std::string::npos ? text.size() : comma + 2;
  }
}

bool separationPasses(int32_t separation, const ChartSettings& s) {
  if (!s.doubleSeparationFilter || (separation == 0 && s.doubleKeepUnknownSeparations)) return true;
  return separation >= s.doubleSeparationMin && separation <= s.doubleSeparationMax;
}

}  // namespace

std::string doubleStarLabel(std::string_view designation) {
  const size_t codeChars = designation.size() > kCodeChars && designation[kCodeChars] >= 'A' ? kCodeChars + 1 : kCodeChars;
  std::string_view code = designation.substr(0, std::min(codeChars, designation.size()));
  code = code.substr(0, code.find_last_not_of(' ') + 1);
  std::string label(code);
  label += ' ';
  for (char c : designation.substr(std::min(codeChars, designation.size()))) {
    if (c != ' ') label += c;
  }
  return label;
}

std::string StarDblWDSDataD2::labelOf(const DoubleStarRecord& r) const { return doubleStarLabel(r.designation); }

int StarDblWDSDataD2::open(const std::string& relativePath) {
  RecordBytes bytes;
  const int result = file_.openRegional(resolveDataPath(directory_, relativePath), kFormat, bytes);
  records_ = decodeRecords(bytes.bytes, kFormat.recordBytes, decodeRecord);
  j2000_.clear();
  informationDesignations_.reset();
  return result;
}

void StarDblWDSDataD2::draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
                            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const {
  const std::vector<SkyRegion>& regions = file_.regions();
  const std::vector<bool> visible = visibleRegions(regions, area, transformer);
  for (size_t g = 0; g < regions.size(); ++g) {
    if (!visible[g]) continue;
    for (int i = regions[g].first; i < regions[g].first + regions[g].count; ++i) {
      const DoubleStarRecord& r = records_[i];
      if (r.primary > settings.doubleLimitHundredths) break;
      if (r.companion > settings.doubleLabelLimitHundredths || !separationPasses(r.separation, settings)) continue;
      drawSystem(output, transformer, settings, i, labelDx, labelDy);
    }
  }
}

int StarDblWDSDataD2::findByDesignation(std::string_view text, StarPosition& found) const {
  const std::string key = wdsCoordinateKey(text);
  const int stored = key.empty() ? StarDblWDSData::findByDesignation(text, found) : kDoubleNotFound;
  if (stored != kDoubleNotFound) return stored;
  const auto at = informationDesignations().find(key.empty() ? doubleStarKey(text) : key);
  if (at == informationDesignations().end()) return kDoubleNotFound;
  found = {at->second, records_[at->second].raRad, records_[at->second].decRad};
  return kDoubleFound;
}

const std::map<std::string, int>& StarDblWDSDataD2::informationDesignations() const {
  if (informationDesignations_) return *informationDesignations_;
  std::map<std::string, int>& keys = informationDesignations_.emplace();
  std::vector<StarInfoItem> items;
  for (int i = 0; i < count(); ++i) {
    if (!readObjectInfo(i, items)) continue;
    for (const StarInfoItem& item : items) {
      if (item.field == kDoubleInfoWds) keys.emplace(item.text, i);
      if (item.field == kDoubleInfoOtherNames) addOtherDesignations(item.text, i, keys);
    }
  }
  return keys;
}

bool StarDblWDSDataD2::readObjectInfo(int index, std::vector<StarInfoItem>& items) const {
  if (index < 0 || index >= count()) return false;
  return file_.readInfo(records_[index].infoOffset, records_[index].infoSize, items);
}

}  // namespace celvaro
