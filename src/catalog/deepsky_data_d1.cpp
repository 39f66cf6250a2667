#include "catalog/deepsky_data_d1.h"

#include <cctype>

#include "catalog/catalog_file_type.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr size_t kDesignationDigits = 10;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number within `window`, after leading blanks, control
// characters and zeros, with an optional sign; false unless it is 1 or more.
bool parsePositive(std::string_view window, int32_t& number) {
  auto skipped = [](char c) { return c == ' ' || c == '0' || std::iscntrl(static_cast<unsigned char>(c)); };
  size_t at = 0;
  while (at < window.size() && skipped(window[at])) ++at;
  const bool negative = at < window.size() && window[at] == '-';
  if (at < window.size() && (window[at] == '-' || window[at] == '+')) ++at;
  int64_t value = 0;
  for (; at < window.size() && isDigit(window[at]); ++at) value = value * 10 + (window[at] - '0');
  if (negative || value <= 0 || value > INT32_MAX) return false;
  number = static_cast<int32_t>(value);
  return true;
}

// "M 31", "m31", "NGC 224", "IC 1", "UGC 454", "PGC 2557" as an identifier
// code and number.
bool parseDesignation(std::string_view text, int& code, int32_t& number) {
  std::string head(text.substr(0, 3));
  for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string_view h = head;
  size_t from = 0;
  if (h.size() >= 2 && h[0] == 'M' && (h[1] == ' ' || isDigit(h[1]))) code = kIdMessier, from = 1;
  else if (h.starts_with("NGC")) code = kIdNgc, from = 3;
  else if (h.starts_with("IC")) code = kIdIc, from = 2;
  else if (h.starts_with("UGC")) code = kIdUgc, from = 3;
  else if (h.starts_with("PGC")) code = kIdPgc, from = 3;
  else return false;
  return parsePositive(text.substr(from, kDesignationDigits), number);
}

// 8-bit text widened code unit by code unit (Latin-1).
std::u16string widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

bool isMainCode(int code) { return code >= kIdMessier && code <= kIdIc; }

}  // namespace

int DeepskyDataD1::open(const std::string& relativePath) {
  file_.clear();
  nameCursor_ = nameEnd_ = drawCursor_ = 0;
  BinaryFile file(resolveDataPath(directory_, relativePath));
  if (!file.isOpen()) return kDeepskyCannotOpen;
  return file_.read(file, version_);
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
  return parseDesignation(text, code, number) && findById(code, number, found);
}

bool DeepskyDataD1::findById(int code, int32_t number, StarPosition& found) const {
  if (code < kIdMessier || code > kIdPgc || number <= 0) return false;
  for (int index = 0; index < objectCount(); ++index) {
    const DeepskyObject& o = file_.objects()[index];
    bool match = false;
    file_.forEachId(o, [&](const DeepskyIdItem& id) {
      match = id.code == code && id.value == static_cast<uint32_t>(number);
      return match;
    });
    if (match) {
      found = {index, o.raRad, o.decRad};
      return true;
    }
  }
  return false;
}

std::u16string DeepskyDataD1::itemText(const DeepskyIdItem& id, bool all, bool& wroteMain) const {
  using Bits = DeepskyIdentifierSettings;
  struct Form {
    int code, bit;
    const char* prefix;
  };
  static constexpr Form kForms[] = {{kIdMessier, Bits::kMessier, "M"}, {kIdNgc, Bits::kNgc, ""},
                                    {kIdIc, Bits::kIc, "IC"},          {kIdUgc, Bits::kUgc, "U"},
                                    {kIdPgc, Bits::kPgc, "PGC"},       {kIdOther, Bits::kOther, nullptr}};
  for (const Form& form : kForms) {
    if (form.code != id.code) continue;
    const bool main = isMainCode(id.code);
    if (!all && (!(identifiers_.mask & form.bit) || (main && identifiers_.onlyOne && wroteMain))) return {};
    wroteMain = wroteMain || main;
    return form.prefix ? widen(form.prefix + std::to_string(id.value)) : widen(file_.extraText(id.value));
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
  int64_t nameNumber = -1;
  file_.forEachId(*o, [&](const DeepskyIdItem& id) {
    if (id.code != kIdName) append(itemText(id, allIdentifiers, wroteMain));
    else if (allIdentifiers || identifiers_.showNames) nameNumber = id.value;
    return false;
  });
  if (const NamedObject* named = file_.named(nameNumber)) append(nameOrEnglish(*named, language));
  if (withMagnitude) text += (wrote ? u" [" : u"[") + widen(std::to_string(o->magnitude / 10)) + u"]";
  return true;
}

}  // namespace celvaro
