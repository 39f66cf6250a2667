// The sky guide (CLV_ TIPS): loaded, its entries read, and suggestions
// chosen for a night with every entry placed where its key points.
#include "aids/observing_suggestions.h"
#include "aids/star_hop_guides.h"
#include "fuzz_files.h"

using namespace celvaro;

namespace {

// Double stars by the sum of their key's characters, deep-sky objects by
// their numbers, so that entries land both within and beyond reach.
std::optional<StarPosition> locate(const SkyGuideEntry& entry) {
  int sum = entry.deepskyNumber;
  for (const char c : entry.doubleStarKey) sum += static_cast<unsigned char>(c);
  return StarPosition{0, (sum % 628) / 100.0, (sum % 314) / 100.0 - 1.57};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StarHopGuides guides;
  guides.loadSkyGuide(fuzz::writeScratchFile("sky_guide.dat", fuzz::inputText(data, size)));
  for (int index = -1; index <= 64 && index <= guides.entryCount(); ++index) guides.entry(index);
  const ObservingPlace place;
  selectSuggestions(guides, locate, place, ChartDate{2026, 12, 6, 21, 0, 0}, 3);
  for (const int index : guides.selection()) suggestionTypeTextId(guides.entry(index).type);
  return 0;
}
