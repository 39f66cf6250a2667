// The deep-sky catalog of version-3 CLV_DSCN files (deepsky_file.h): one
// array of objects walked in file order for drawing, looked up by
// designation and listed by common name. DeepskyDataD2 adds the sky regions
// and the information file of version 4.
#pragma once

#include <functional>

#include "catalog/deepsky_data.h"
#include "catalog/deepsky_file.h"
#include "catalog/deepsky_filter.h"
#include "model/chart_settings.h"

namespace celvaro {

class DeepskyDataD1 : public iDeepskyData {
 public:
  DeepskyDataD1() : DeepskyDataD1(3) {}

  void selectNameList(int list) override;
  int nextName() override;
  std::optional<NamedObject> getNamedObject(int position) const override;
  std::optional<std::u16string> getName(int position) const override;

  void setDataDirectory(const std::string& directory) override { directory_ = directory; }
  int open(const std::string& relativePath) override;
  void setInfoFile(const std::string&) override {}

  void prepareDraw(const ChartSettings& settings, const OutputArea& area, iTransformer& transformer) override;
  int nextVisible(DeepskyObject& object, bool& label, bool& secondLabel) override;

  bool getObject(int index, DeepskyObject& object) const override;
  bool getPrimaryIds(int index, int32_t& first, int32_t& second) const override;
  bool findByDesignation(std::string_view text, StarPosition& found) const override;
  bool findById(int code, int32_t number, StarPosition& found) const override;
  void setIdentifierSettings(const DeepskyIdentifierSettings& settings) override { identifiers_ = settings; }
  bool formatDesignation(int index, std::u16string& text, int language, bool allIdentifiers,
                         bool withMagnitude) const override;
  std::u16string nameOf(int index, int language) const override;
  bool readObjectInfo(int, std::vector<StarInfoItem>&) const override { return false; }
  int objectCount() const override { return static_cast<int>(file_.objects().size()); }

 protected:
  explicit DeepskyDataD1(int version) : version_(version) {}

  const DeepskyObject* object(int index) const;

  DeepskyFile file_;
  DeepskyFilter filter_;

 private:
  // The first object with an identifier item that `matches`.
  bool findFirst(StarPosition& found, const std::function<bool(const DeepskyIdItem&)>& matches) const;
  // An other designation ("C 14", "Mel 25", "Sh2-281") by its search key.
  bool findByOtherDesignation(const std::string& key, StarPosition& found) const;
  // The name in a language 1..4, else the English one.
  std::u16string_view nameOrEnglish(const NamedObject& named, int language) const;
  // The number of the object's name among the names, -1 without one.
  int64_t nameNumberOf(const DeepskyObject& object) const;
  // The text of one identifier item as a label shows it, or empty when the
  // settings leave it out; `wroteMain` tracks the only-one switch.
  std::u16string itemText(const DeepskyIdItem& id, bool all, bool& wroteMain) const;

  const int version_;
  std::string directory_;
  DeepskyIdentifierSettings identifiers_;
  int listLanguage_ = 2;
  int nameCursor_ = 0, nameEnd_ = 0;
  int drawCursor_ = 0;
};

}  // namespace celvaro
