#include "ui/dialogs/dlg_search_star.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "model/text_ids.h"
#include "ui/dialogs/dlg_search_lists.h"
#include "ui/message_sink.h"

namespace celvaro {
namespace {

constexpr int kMaxNameChars = 99;
constexpr int kGreekLetters = 24;
constexpr int kDurchmusterungs = 4;

// The catalogue-number rows: their labels and catalogue codes.
struct NumberRow {
  const char* label;
  int code;
};
constexpr NumberRow kNumberRows[DlgSearchStarByName::kCatalogues] = {
    {"HD", kCatalogHd}, {"HR", kCatalogHr}, {"SAO", kCatalogSao}, {"PPM", kCatalogPpm}, {"Hipparcos", kCatalogHipparcos}};

// The whole numbers the lookups take: catalogue numbers count from 1 (none
// of the five reaches a million), a Bayer letter's superscript is a digit,
// a Durchmusterung zone is a declination in degrees. Catalogue names are
// the same in every language: they have no text id (0).
using D = DlgSearchStarByName;
constexpr ValueRange kCatalogueNumbers{1, 999999};
struct NumberField {
  int id;
  RangedField field;
};
constexpr NumberField kNumberFields[] = {
    {D::kSuperscript, {{0, 9}, 14805, "Superscript", NumberForm::kWhole}},
    {D::kFlamsteed, {{1, 999}, 14806, "Flamsteed number", NumberForm::kWhole}},
    {D::kTycho, {kCatalogueNumbers, 0, "Tycho", NumberForm::kWhole}},
    {D::kTycho + 1, {kCatalogueNumbers, 0, "Tycho", NumberForm::kWhole}},
    {D::kTycho + 2, {{1, 9}, 0, "Tycho", NumberForm::kWhole}},
    {D::kDmZone, {{-90, 90}, 14807, "Zone", NumberForm::kWhole}},
    {D::kDmNumber, {kCatalogueNumbers, 14808, "Number", NumberForm::kWhole}},
};

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QLineEdit* nameField(QLineEdit* field) {
  field->setMaxLength(kMaxNameChars);
  return field;
}

}  // namespace

// --- both star dialogs --------------------------------------------------------------

void StarSearchDialog::noSuchStar() {
  messages_.show(window(), QMessageBox::Warning, text(text_id::kErrorCaption, "Error"),
                 text(10100, "There is no such star in the database."));
}

bool StarSearchDialog::findTyped(int field, StarIdRecord& record) {
  return stars_.findByText(control<QLineEdit>(field)->text().toStdString(), record);
}

void StarSearchDialog::acceptFound() {
  if (found_) endDialog(1);
  else noSuchStar();
}

// --- the quick search ---------------------------------------------------------------

void DlgSimpleSearchStar::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSearchStarTitle, "Find a star"));
  grid()->addWidget(label(90, text(14800, "Name of the star")), 0, 0);
  grid()->addWidget(nameField(edit(kName, "")), 1, 0);
  grid()->addWidget(button(kOtherDesignations, text(14801, "Other designations...")), 2, 0);
  addOkCancel();
}

void DlgSimpleSearchStar::onCommand(int id, int code, QWidget* control) {
  if (id == kOtherDesignations) {
    searchByDesignation();
  } else if (id == kIdOk) {
    StarIdRecord record;
    found_.reset();
    if (findTyped(kName, record)) found_ = record;
    acceptFound();
  } else {
    FwDialogBase::onCommand(id, code, control);
  }
}

void DlgSimpleSearchStar::searchByDesignation() {
  DlgSearchStarByName full(resources(), stars(), messages());
  if (full.runModal(window()) != 1) return;
  found_ = full.found();
  endDialog(1);
}

// --- the full search ----------------------------------------------------------------

void DlgSearchStarByName::onInitDialog() {
  window()->setWindowTitle(text(text_id::kStarSearchTitle, "Star search"));
  addNameRow(0);
  addBayerAndFlamsteedRows(1);
  const int row = addNumberRows(4);
  addTychoAndDurchmusterungRows(row);
  QLabel* information = label(kInformation, "");
  information->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid()->addWidget(information, row + 2, 0, 1, 5);
  addOkCancel();
}

QPushButton* DlgSearchStarByName::findButton(int id) { return button(id, text(14802, "Find")); }

void DlgSearchStarByName::addNameRow(int row) {
  grid()->addWidget(label(kName + 400, text(14800, "Name of the star")), row, 0);
  grid()->addWidget(nameField(edit(kName, "")), row, 1, 1, 2);
  grid()->addWidget(findButton(kFindName), row, 3);
  grid()->addWidget(button(kNameList, text(14803, "Name list...")), row, 4);
}

void DlgSearchStarByName::addBayerAndFlamsteedRows(int row) {
  grid()->addWidget(label(kConstellation + 400, text(4008, "Constellation")), row, 0);
  QComboBox* constellations = comboBox(kConstellation);
  constellations->addItems(constellationNames());
  grid()->addWidget(constellations, row, 1, 1, 2);
  grid()->addWidget(label(kGreekLetter + 400, text(14804, "Greek letter")), row + 1, 0);
  QComboBox* letters = comboBox(kGreekLetter);
  for (int letter = 0; letter < kGreekLetters; ++letter) letters->addItem(fromUtf8(greekLetterName(letter)));
  grid()->addWidget(letters, row + 1, 1);
  edit(kSuperscript, "0")->setPlaceholderText(text(14805, "Superscript"));
  grid()->addWidget(control(kSuperscript), row + 1, 2);
  grid()->addWidget(findButton(kFindBayer), row + 1, 3);
  labelledEdit(kFlamsteed, text(14806, "Flamsteed number"), "", row + 2);
  grid()->addWidget(findButton(kFindFlamsteed), row + 2, 3);
}

int DlgSearchStarByName::addNumberRows(int row) {
  for (int i = 0; i < kCatalogues; ++i) {
    labelledEdit(kFirstNumber + i, kNumberRows[i].label, "", row);
    grid()->addWidget(findButton(kFirstFindNumber + i), row++, 3);
  }
  return row;
}

void DlgSearchStarByName::addTychoAndDurchmusterungRows(int row) {
  grid()->addWidget(label(kTycho + 400, "Tycho"), row, 0);
  for (int i = 0; i < 3; ++i) grid()->addWidget(edit(kTycho + i, ""), row, 1 + i);
  grid()->addWidget(findButton(kFindTycho), row, 4);
  QComboBox* catalogues = comboBox(kDmCatalogue);
  for (int c = 1; c <= kDurchmusterungs; ++c) catalogues->addItem(fromUtf8(durchmusterungName(c)));
  grid()->addWidget(catalogues, row + 1, 0);
  edit(kDmZone, "")->setPlaceholderText(text(14807, "Zone"));
  edit(kDmNumber, "")->setPlaceholderText(text(14808, "Number"));
  grid()->addWidget(control(kDmZone), row + 1, 1);
  grid()->addWidget(control(kDmNumber), row + 1, 2);
  grid()->addWidget(findButton(kFindDm), row + 1, 4);
}

bool DlgSearchStarByName::isLookUp(int id) {
  return id == kFindName || id == kNameList || id == kFindBayer || id == kFindFlamsteed || id == kFindTycho ||
         id == kFindDm || (id >= kFirstFindNumber && id < kFirstFindNumber + kCatalogues);
}

void DlgSearchStarByName::onCommand(int id, int code, QWidget* control) {
  if (isLookUp(id)) lookUp(id);
  else if (id == kIdOk) acceptFound();
  else FwDialogBase::onCommand(id, code, control);
}

// Each lookup forgets the star found before; the name list chosen from
// without a choice says nothing, and neither does a lookup whose number
// field was refused by name.
void DlgSearchStarByName::lookUp(int findButton) {
  found_.reset();
  setItemText(kInformation, "");
  StarIdRecord record;
  std::vector<int> numbers;
  if (findButton == kNameList) {
    if (!chooseFromNameList(record)) return;
  } else if (!typedNumbers(findButton, numbers)) {
    return;
  } else if (!lookUp(findButton, numbers, record)) {
    noSuchStar();
    return;
  }
  found_ = record;
  control<QLabel>(kInformation)->setText(QString::fromStdU16String(stars().describe(record)).replace("\r\n", "\n"));
}

// The number fields a Find button reads, in the order of its lookup.
std::vector<int> DlgSearchStarByName::numberFieldsOf(int findButton) {
  switch (findButton) {
    case kFindName: return {};
    case kFindBayer: return {kSuperscript};
    case kFindFlamsteed: return {kFlamsteed};
    case kFindTycho: return {kTycho, kTycho + 1, kTycho + 2};
    case kFindDm: return {kDmZone, kDmNumber};
    default: return {kFirstNumber + findButton - kFirstFindNumber};
  }
}

bool DlgSearchStarByName::typedNumbers(int findButton, std::vector<int>& numbers) {
  for (int id : numberFieldsOf(findButton)) {
    const std::optional<double> value = typedNumber(id, numberField(id));
    if (!value) return false;
    numbers.push_back(static_cast<int>(*value));
  }
  return true;
}

bool DlgSearchStarByName::lookUp(int findButton, const std::vector<int>& n, StarIdRecord& record) {
  StarIdDatabase& db = stars();
  switch (findButton) {
    case kFindName: return findTyped(kName, record);
    case kFindBayer: return db.findByBayer(listIndex(kConstellation), listIndex(kGreekLetter), n[0], record);
    case kFindFlamsteed: return db.findByFlamsteed(listIndex(kConstellation), n[0], record);
    case kFindTycho: return db.findByTycho(n[0], n[1], n[2], record);
    case kFindDm: return db.findByDurchmusterung(listIndex(kDmCatalogue) + 1, n[0], n[1], record);
    default: return db.findByCatalogNumber(kNumberRows[findButton - kFirstFindNumber].code, n[0], record);
  }
}

bool DlgSearchStarByName::chooseFromNameList(StarIdRecord& record) {
  DlgStarNameList names(resources(), stars());
  return names.runModal(window()) == 1 && stars().readRecord(names.chosenRecord(), record);
}

RangedField DlgSearchStarByName::numberField(int id) {
  for (const NumberField& f : kNumberFields) {
    if (f.id == id) return f.field;
  }
  return {kCatalogueNumbers, 0, kNumberRows[id - kFirstNumber].label, NumberForm::kWhole};
}

int DlgSearchStarByName::listIndex(int id) const { return control<QComboBox>(id)->currentIndex(); }

// --- the name list ------------------------------------------------------------------

DlgStarNameList::DlgStarNameList(UiResources& resources, StarIdDatabase& stars)
    : PickListDialog(resources, text_id::kStarNamesTitle, "Star names") {
  QStringList names;
  std::string name;
  int record = -1;
  stars.restartNames();
  while (stars.nextName(name, record)) {
    names << fromUtf8(name);
    records_.push_back(record);
  }
  setNames(names);
}

int DlgStarNameList::chosenRecord() const { return chosen() < 0 ? -1 : records_[chosen()]; }

}  // namespace celvaro
