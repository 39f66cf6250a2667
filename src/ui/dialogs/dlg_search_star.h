// The star search (command 503): a name typed into DlgSimpleSearchStar, or
// any designation of the star identification database in
// DlgSearchStarByName, which shows the information text of what it found.
#pragma once

#include <optional>
#include <vector>

#include "catalog/star_id_database.h"
#include "ui/dialog_framework.h"
#include "ui/dialogs/pick_list_dialog.h"

namespace celvaro {

class MessageSink;

// What both star dialogs share: the database, the star found, and the
// message that there is no such star.
class StarSearchDialog : public FwDialogBase {
 public:
  StarSearchDialog(UiResources& resources, StarIdDatabase& stars, MessageSink& messages)
      : FwDialogBase(resources), stars_(stars), messages_(messages) {}
  // The star the dialog was left with by OK; none before.
  const std::optional<StarIdRecord>& found() const { return found_; }

 protected:
  StarIdDatabase& stars() { return stars_; }
  MessageSink& messages() { return messages_; }
  // The star a field's text names: a whole name, a designation ("alf Cen",
  // "61 Cyg", "HD 183912") or the start of a name.
  bool findTyped(int field, StarIdRecord& record);
  void noSuchStar();
  // OK ends the dialog with the star found, or says there is none.
  void acceptFound();

  std::optional<StarIdRecord> found_;

 private:
  StarIdDatabase& stars_;
  MessageSink& messages_;
};

// The quick search: a name or designation typed, or the full search
// behind "Other designations...".
class DlgSimpleSearchStar final : public StarSearchDialog {
 public:
  static constexpr int kName = 100, kOtherDesignations = 101;
  using StarSearchDialog::StarSearchDialog;
  int resourceId() const override { return 55; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void searchByDesignation();
};

class DlgSearchStarByName final : public StarSearchDialog {
 public:
  static constexpr int kName = 100, kFindName = 101, kNameList = 102;
  static constexpr int kConstellation = 110, kGreekLetter = 111, kSuperscript = 112, kFindBayer = 113;
  static constexpr int kFlamsteed = 114, kFindFlamsteed = 115;
  static constexpr int kFirstNumber = 120;  // 120..124: HD, HR, SAO, PPM, Hipparcos
  static constexpr int kFirstFindNumber = 130;
  static constexpr int kTycho = 140;        // 140..142: the three Tycho numbers
  static constexpr int kFindTycho = 143;
  static constexpr int kDmCatalogue = 150, kDmZone = 151, kDmNumber = 152, kFindDm = 153;
  static constexpr int kInformation = 160;
  static constexpr int kCatalogues = 5;

  using StarSearchDialog::StarSearchDialog;
  int resourceId() const override { return 401; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void addNameRow(int row);
  void addBayerAndFlamsteedRows(int row);
  int addNumberRows(int row);
  void addTychoAndDurchmusterungRows(int row);
  QPushButton* findButton(int id);
  static bool isLookUp(int id);
  // Runs the lookup of a Find button; the information text shows what it found.
  void lookUp(int findButton);
  static std::vector<int> numberFieldsOf(int findButton);
  // The numbers the button's lookup takes, each a whole number within its
  // range; false after the message naming the first field that is not.
  bool typedNumbers(int findButton, std::vector<int>& numbers);
  bool lookUp(int findButton, const std::vector<int>& numbers, StarIdRecord& record);
  bool chooseFromNameList(StarIdRecord& record);
  static RangedField numberField(int id);
  int listIndex(int id) const;
};

// All names of the database in alphabetical order.
class DlgStarNameList final : public PickListDialog {
 public:
  DlgStarNameList(UiResources& resources, StarIdDatabase& stars);
  int resourceId() const override { return 407; }
  // The record of the name chosen; -1 before.
  int chosenRecord() const;

 private:
  std::vector<int> records_;
};

}  // namespace celvaro
