#include "catalog/mark_links.h"

#include <cstring>
#include <utility>
#include <numbers>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr double kRadPerMas = std::numbers::pi / 648000.0 / 1000.0;

}  // namespace

bool MarkLinks::load(const std::string& path) {
  kinds_ = {};
  std::string text;
  if (!readWholeFile(path, text)) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (text.size() < kHeaderBytes || std::memcmp(bytes, "CLV_SMRK", 8) != 0 || loadU32(bytes + 8) != 1) return false;
  std::array<Marks, kKindCount> kinds;
  size_t at = kHeaderBytes;
  for (Marks& marks : kinds) {
    if (text.size() - at < kKindBytes) return false;
    marks.recordCount = loadU32(bytes + at);
    const uint32_t count = loadU32(bytes + at + 4);
    at += kKindBytes;
    if ((text.size() - at) / kLinkBytes < count) return false;
    marks.links.reserve(count);
    for (uint32_t i = 0; i < count; ++i, at += kLinkBytes) {
      const auto word = [&](int k) { return static_cast<int32_t>(loadU32(bytes + at + 4 * k)); };
      marks.links.push_back({loadU32(bytes + at), word(1), word(2) * kRadPerMas});
    }
  }
  if (at != text.size()) return false;
  kinds_ = std::move(kinds);
  return true;
}

}  // namespace celvaro
