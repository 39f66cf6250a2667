#include "deepsky_writers.h"

#include <algorithm>
#include <numeric>

#include "catalog/deepsky_file.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

using namespace std::string_view_literals;

void appendI32(std::string& out, int32_t v) { appendU32(out, static_cast<uint32_t>(v)); }

// The identifier words and the extra text of the objects, each object's
// run written into its record.
class IdentifierArea {
 public:
  void add(CatalogDeepskyObject& object) {
    object.record.firstIdWord = static_cast<int32_t>(words_.size() / 2);
    object.record.idItemCount = static_cast<int32_t>(object.ids.size());
    for (const DeepskyId& id : object.ids) addItem(id);
  }
  const std::string& words() const { return words_; }
  const std::string& text() const { return text_; }

 private:
  void addItem(const DeepskyId& id) {
    const bool wide = id.code == kIdPgc || id.code == kIdOther;
    const uint32_t value = id.code == kIdOther ? textOffset(id.text) : id.value;
    appendU16(words_, static_cast<uint16_t>(id.code | ((wide ? 2 : 1) << 8)));
    appendU16(words_, static_cast<uint16_t>(value & 0xFFFF));
    if (wide) appendU16(words_, static_cast<uint16_t>(value >> 16));
  }
  uint32_t textOffset(const std::string& designation) {
    auto [at, added] = offsets_.try_emplace(designation, static_cast<uint32_t>(text_.size()));
    if (added) text_ += designation + '\0';
    return at->second;
  }

  std::string words_, text_;
  std::map<std::string, uint32_t> offsets_;
};

std::string objectRecord(const DeepskyObject& o) {
  std::string out;
  appendU16(out, o.type);
  appendU16(out, o.level);
  appendU16(out, static_cast<uint16_t>(o.magnitude));
  appendU16(out, 0);
  appendDouble(out, o.raRad);
  appendDouble(out, o.decRad);
  appendI32(out, o.majorAxis);
  appendI32(out, o.minorAxis);
  appendU16(out, o.positionAngle);
  appendU16(out, 0);
  appendI32(out, o.firstIdWord);
  appendI32(out, o.idItemCount);
  appendI32(out, 0);
  return out;
}

// The named-object record, its names appended to `nameText`.
std::string namedRecord(const CatalogNamedObject& named, std::u16string& nameText) {
  const NamedObject& n = named.record;
  std::string out;
  for (int32_t v : {n.object, n.firstCode, n.firstNumber, n.secondCode, n.secondNumber}) appendI32(out, v);
  for (const std::u16string& name : named.names) {
    appendI32(out, name.empty() ? 0 : static_cast<int32_t>(nameText.size()));
    appendI32(out, static_cast<int32_t>(name.size()));
    if (!name.empty()) nameText += name + u'\0';
  }
  return out;
}

// Latin letters with diacritics as their base letters, lower case: U+00C0
// to U+017F; 0 keeps the character (the multiplication and division signs).
constexpr std::u16string_view kLatin1Folds = u"aaaaaaaceeeeiiiidnooooo\0ouuuuytsaaaaaaaceeeeiiiidnooooo\0ouuuuyty"sv;
constexpr std::u16string_view kExtendedAFolds =
    u"aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkklllllll"
    u"lllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs"sv;
static_assert(kLatin1Folds.size() == 0x40 && kExtendedAFolds.size() == 0x80);

char16_t foldLetter(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c - u'A' + u'a';
  if (c >= 0xC0 && c < 0x100 && kLatin1Folds[c - 0xC0] != 0) return kLatin1Folds[c - 0xC0];
  if (c >= 0x100 && c < 0x180) return kExtendedAFolds[c - 0x100];
  if (c >= 0x218 && c <= 0x21B) return c < 0x21A ? u's' : u't';  // Romanian comma-below S and T
  return c;
}

std::u16string sortKey(std::u16string_view name) {
  std::u16string key(name);
  for (char16_t& c : key) c = foldLetter(c);
  return key;
}

}  // namespace

std::string deepskyCatalogBytes(const DeepskyCatalogContents& contents) {
  IdentifierArea ids;
  std::string objects;
  for (CatalogDeepskyObject object : contents.objects) {
    ids.add(object);
    objects += objectRecord(object.record);
  }
  std::u16string nameText;
  std::string named;
  for (const CatalogNamedObject& n : contents.named) named += namedRecord(n, nameText);
  const bool regional = contents.version == 4;
  std::string out = "CLV_DSCN";
  appendI32(out, contents.version);
  for (const auto& list : contents.nameLists) appendI32(out, static_cast<int32_t>(list.size()));
  for (size_t v : {contents.named.size(), size_t{kNamedObjectBytes}, nameText.size(),
                   regional ? contents.regions.size() : 0, contents.objects.size(), size_t{kDeepskyObjectBytes},
                   ids.words().size() / 2, ids.text().size()}) {
    appendI32(out, static_cast<int32_t>(v));
  }
  for (const auto& list : contents.nameLists) {
    for (int32_t number : list) appendI32(out, number);
  }
  out += named;
  for (char16_t unit : nameText) appendU16(out, unit);
  if (regional) out += skyRegionBytes(contents.regions);
  return out + objects + ids.words() + ids.text();
}

std::vector<int32_t> deepskyNameOrder(const std::vector<CatalogNamedObject>& named, int language) {
  std::vector<std::u16string> shown;
  for (const CatalogNamedObject& n : named) {
    const std::u16string& own = n.names[language - 1];
    shown.push_back(own.empty() ? n.names[1] : own);
  }
  std::vector<std::pair<std::u16string, int32_t>> keyed;
  for (size_t i = 0; i < named.size(); ++i) keyed.emplace_back(sortKey(shown[i]), static_cast<int32_t>(i));
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : shown[a.second] < shown[b.second];
  });
  std::vector<int32_t> order;
  for (const auto& entry : keyed) order.push_back(entry.second);
  return order;
}

std::string deepskyInfoBytes(const std::map<int32_t, std::vector<InfoValue>>& ngc, int32_t ngcEntries,
                             const std::map<int32_t, std::vector<InfoValue>>& ic, int32_t icEntries) {
  // The CLV_SIDX layout after its 16-byte header is the same index and
  // record area, IC numbers following the NGC entries.
  std::map<int32_t, std::vector<InfoValue>> entries = ngc;
  for (const auto& [number, values] : ic) entries[ngcEntries + number] = values;
  std::string out = "CLV_IDX_";
  appendU32(out, 1);
  appendI32(out, ngcEntries);
  appendI32(out, icEntries);
  return out + starInfoBytes(entries, ngcEntries + icEntries).substr(16);
}

}  // namespace celvaro
