#include "catalog/deepsky_data_d1.h"

#include <cctype>

#include "platform/data_paths.h"
#include "platform/mapped_file.h"

namespace celvaro {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number within `text`, after leading blanks, control
// characters and zeros and an optional plus sign, with nothing but blanks
// and control characters after it; false unless it is 1 or more.
bool parsePositive(std::string_view text, int32_t& number) {
  auto blank = [](char c) { return c == ' ' || std::iscntrl(static_cast<unsigned char>(c)); };
  size_t at = 0;
  while (at < text.size() && (blank(text[at]) || text[at] == '0')) ++at;
  if (at < text.size() && text[at] == '+') ++at;
  int64_t value = 0;
  for (; at < text.size() && isDigit(text[at]) && value <= INT32_MAX; ++at) value = value * 10 + (text[at] - '0');
  while (at < text.size() && blank(text[at])) ++at;
  if (at < text.size() || value <= 0 || value > INT32_MAX) return false;
  number = static_cast<int32_t>(value);
  return true;
}

// "M 31", "m31", "NGC 224", "IC 1", "UGC 454", "PGC 2557", and the label
// forms "M31", "IC1", "U454", "PGC2557", as an identifier code and number.
// A number followed by anything, as NGC 4486A, is none of these.
bool parseDesignation(std::string_view text, int& code, int32_t& number) {
  std::string head(text.substr(0, 3));
  for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string_view h = head;
  auto numberFollows = [&](size_t at) { return h.size() > at && (h[at] == ' ' || isDigit(h[at])); };
  size_t from = 0;
  if (h.starts_with("M") && numberFollows(1)) code = kIdMessier, from = 1;
  else if (h.starts_with("NGC")) code = kIdNgc, from = 3;
  else if (h.starts_with("IC")) code = kIdIc, from = 2;
  else if (h.starts_with("UGC")) code = kIdUgc, from = 3;
  else if (h.starts_with("U") && numberFollows(1)) code = kIdUgc, from = 1;
  else if (h.starts_with("PGC")) code = kIdPgc, from = 3;
  else return false;
  return parsePositive(text.substr(from), number);
}

// An other designation as the search compares it: capitals, without blanks
// and hyphens, so that "Sh2-281", "sh2 281" and "SH2281" are alike.
std::string searchKey(std::string_view text) {
  std::string key;
  for (char c : text) {
    if (c != ' ' && c != '-') key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return key;
}

// 8-bit text widened code unit by code unit (Latin-1).
std::u16string widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

bool isMainCode(int code) { return code >= kIdMessier && code <= kIdIc; }

}  // namespace

int DeepskyDataD1::open(const std::string& relativePath) {
  file_.clear();
  nameCursor_ = nameEnd_ = drawCursor_ = 0;
  const MappedFile file(resolveDataPath(directory_, relativePath));
  if (!file.isOpen()) return kDeepskyCannotOpen;
  return file_.read(file.bytes(), version_);
}

void DeepskyDataD1::selectNameList(int list) {
  const bool valid = list >= 1 && list <= 4;
  listLanguage_ = valid ? list : 2;
  nameCursor_ = valid ? file_.listStart(list) : 0;
  nameEnd_ = nameCursor_ + file_.listSize(list);
}

int DeepskyDataD1::nextName() { return nameCursor_ < nameEnd_ ? nameCursor_++ : -1; }

std::optional<NamedObject> DeepskyDataD1::getNamedObject(int position) const {
  const NamedObject* named = file_.namedAt(position);
  return named ? std::optional<NamedObject>(*named) : std::nullopt;
}

std::optional<std::u16string> DeepskyDataD1::getName(int position) const {
  const NamedObject* named = file_.namedAt(position);
  if (!named) return std::nullopt;
  const std::u16string_view name = nameOrEnglish(*named, listLanguage_);
  return name.empty() ? std::nullopt : std::optional<std::u16string>(name);
}

std::u16string_view DeepskyDataD1::nameOrEnglish(const NamedObject& named, int language) const {
  const std::u16string_view name = file_.name(named, language);
  return name.empty() ? file_.name(named, 2) : name;
}

void DeepskyDataD1::prepareDraw(const ChartSettings& settings, const OutputArea&, iTransformer&) {
  filter_.set(settings);
  drawCursor_ = 0;
}

int DeepskyDataD1::nextVisible(DeepskyObject& object, bool& label, bool& secondLabel) {
  const std::vector<DeepskyObject>& objects = file_.objects();
  while (drawCursor_ < static_cast<int>(objects.size())) {
    const int index = drawCursor_++;
    if (filter_.shows(objects[index], label, secondLabel)) {
      object = objects[index];
      return index;
    }
  }
  return -1;
}

const DeepskyObject* DeepskyDataD1::object(int index) const {
  return index >= 0 && index < objectCount() ? &file_.objects()[index] : nullptr;
}

bool DeepskyDataD1::getObject(int index, DeepskyObject& out) const {
  const DeepskyObject* o = object(index);
  if (o) out = *o;
  return o != nullptr;
}

bool DeepskyDataD1::getPrimaryIds(int index, int32_t& first, int32_t& second) const {
  int32_t ids[2] = {0, 0};
  int found = 0;
  if (const DeepskyObject* o = object(index)) {
    file_.forEachId(*o, [&](const DeepskyIdItem& id) {
      if (isMainCode(id.code)) ids[found++] = static_cast<int32_t>((id.code << 24) + id.value);
      return found == 2;
    });
  }
  first = ids[0], second = ids[1];
  return found > 0;
}

bool DeepskyDataD1::findByDesignation(std::string_view text, StarPosition& found) const {
  int code = 0;
  int32_t number = 0;
  if (parseDesignation(text, code, number)) return findById(code, number, found);
  return findByOtherDesignation(searchKey(text), found);
}

bool DeepskyDataD1::findByOtherDesignation(const std::string& key, StarPosition& found) const {
  if (key.empty()) return false;
  return findFirst(found, [&](const DeepskyIdItem& id) {
    return id.code == kIdOther && searchKey(file_.extraText(id.value)) == key;
  });
}

bool DeepskyDataD1::findById(int code, int32_t number, StarPosition& found) const {
  if (code < kIdMessier || code > kIdPgc || number <= 0) return false;
  return findFirst(found, [&](const DeepskyIdItem& id) {
    return id.code == code && id.value == static_cast<uint32_t>(number);
  });
}

bool DeepskyDataD1::findFirst(StarPosition& found, const std::function<bool(const DeepskyIdItem&)>& matches) const {
  for (int index = 0; index < objectCount(); ++index) {
    const DeepskyObject& o = file_.objects()[index];
    bool match = false;
    file_.forEachId(o, [&](const DeepskyIdItem& id) { return match = matches(id); });
    if (match) {
      found = {index, o.raRad, o.decRad};
      return true;
    }
  }
  return false;
}

std::u16string DeepskyDataD1::itemText(const DeepskyIdItem& id, bool all, bool& wroteMain) const {
  using Bits = DeepskyIdentifierSettings;
  // The chart's short label form, and the catalogue's own written out.
  struct Form {
    int code, bit;
    const char *label, *full;
  };
  static constexpr Form kForms[] = {{kIdMessier, Bits::kMessier, "M", "M "}, {kIdNgc, Bits::kNgc, "", "NGC "},
                                    {kIdIc, Bits::kIc, "IC", "IC "},         {kIdUgc, Bits::kUgc, "U", "UGC "},
                                    {kIdPgc, Bits::kPgc, "PGC", "PGC "},     {kIdOther, Bits::kOther, nullptr, nullptr}};
  for (const Form& form : kForms) {
    if (form.code != id.code) continue;
    const bool main = isMainCode(id.code);
    if (!all && (!(identifiers_.mask & form.bit) || (main && identifiers_.onlyOne && wroteMain))) return {};
    wroteMain = wroteMain || main;
    if (!form.label) return widen(file_.extraText(id.value));
    return widen((all ? form.full : form.label) + std::to_string(id.value));
  }
  return {};
}

bool DeepskyDataD1::formatDesignation(int index, std::u16string& text, int language, bool allIdentifiers,
                                      bool withMagnitude) const {
  const DeepskyObject* o = object(index);
  if (!o) return false;
  bool wrote = false, wroteMain = false;
  auto append = [&](std::u16string_view part) {
    if (part.empty()) return;
    if (wrote) text += u", ";
    text += part;
    wrote = true;
  };
  file_.forEachId(*o, [&](const DeepskyIdItem& id) {
    if (id.code != kIdName) append(itemText(id, allIdentifiers, wroteMain));
    return false;
  });
  if (allIdentifiers || identifiers_.showNames) append(nameOf(index, language));
  if (withMagnitude && o->magnitude != kUnknownDeepskyMagnitude) {
    text += (wrote ? u" [" : u"[") + widen(std::to_string(o->magnitude / 10)) + u"]";
  }
  return true;
}

int64_t DeepskyDataD1::nameNumberOf(const DeepskyObject& object) const {
  int64_t number = -1;
  file_.forEachId(object, [&](const DeepskyIdItem& id) {
    if (id.code == kIdName) number = id.value;
    return id.code == kIdName;
  });
  return number;
}

std::u16string DeepskyDataD1::nameOf(int index, int language) const {
  const DeepskyObject* o = object(index);
  const NamedObject* named = o ? file_.named(nameNumberOf(*o)) : nullptr;
  return named ? std::u16string(nameOrEnglish(*named, language)) : std::u16string();
}

}  // namespace celvaro
