#include "ui/dialogs/dlg_printable_map.h"

#include <QMessageBox>

#include <algorithm>
#include <cerrno>
#include <array>
#include <cmath>
#include <utility>

#include "app/app_model.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/file_choice.h"

namespace celvaro {
namespace {

// Upright papers, hundredths of a millimetre.
constexpr std::array<std::pair<int32_t, int32_t>, 3> kPapers = {{{21000, 29700}, {29700, 42000}, {21590, 27940}}};
constexpr const char* kPaperNames[] = {"A4", "A3", "Letter"};
constexpr const char* kFormatNames[] = {"PDF", "SVG", "EPS"};
constexpr const char* kExtensions[] = {".pdf", ".svg", ".eps"};
constexpr int kFileNameMaxChars = 4096;  // a path, not a dialog field
// Millimetres: from a card to a wall chart, and margins up to half a metre.
constexpr ValueRange kPageSideRange{10, 2000}, kMarginRange{0, 500};
// An atlas page's field in degrees, and the stars' limiting magnitude.
constexpr ValueRange kAtlasFieldRange{1, 180}, kAtlasLimitRange{-2, 11.5};

QString millimetres(int32_t hundredths) { return QString::number(hundredths / 100.0, 'f', hundredths % 100 ? 2 : 0); }

// The paper of a page size either way round, or a size of one's own.
int paperOf(int32_t width, int32_t height) {
  for (int i = 0; i < static_cast<int>(kPapers.size()); ++i) {
    const auto [w, h] = kPapers[i];
    if ((width == w && height == h) || (width == h && height == w)) return i;
  }
  return DlgPrintableMap::kCustom;
}

}  // namespace

void DlgPrintableMap::onInitDialog() {
  window()->setWindowTitle(text(text_id::kPrintableMapTitle, "Printable map"));
  const int first = text_id::kPrintableMapLabelFirst;
  QGridLayout* g = grid();
  g->addWidget(label(500, text(first, "Format")), 0, 0);
  QComboBox* format = comboBox(kFormat);
  for (const char* name : kFormatNames) format->addItem(name);
  g->addWidget(format, 0, 1, 1, 2);
  g->addWidget(label(501, text(first + 1, "Page size")), 1, 0);
  QComboBox* paper = comboBox(kPaper);
  for (const char* name : kPaperNames) paper->addItem(name);
  paper->addItem(text(first + 9, "Custom"));
  g->addWidget(paper, 1, 1, 1, 2);
  const bool upright = choice_.pageWidth <= choice_.pageHeight;
  g->addWidget(radioButton(kPortrait, text(first + 2, "Portrait"), upright), 2, 1);
  g->addWidget(radioButton(kLandscape, text(first + 3, "Landscape"), !upright), 2, 2);
  labelledEdit(kWidth, text(first + 4, "Width (mm)"), millimetres(choice_.pageWidth), 3);
  labelledEdit(kHeight, text(first + 5, "Height (mm)"), millimetres(choice_.pageHeight), 4);
  labelledEdit(kMargin, text(first + 6, "Margin (mm)"), millimetres(choice_.margin), 5);
  labelledEdit(kFileName, text(first + 7, "File"), QString(), 6);
  auto* fileName = control<QLineEdit>(kFileName);
  fileName->setMaxLength(kFileNameMaxChars);
  fileName->setText(QString::fromStdString(choice_.fileName));
  fileName->setMinimumWidth(320);
  g->addWidget(button(kBrowse, text(first + 8, "Browse...")), 6, 2);
  addWorkRows(7);
  addOkCancel();
  format->setCurrentIndex(std::clamp(choice_.format, 1, 3) - 1);
  paper->setCurrentIndex(paperOf(choice_.pageWidth, choice_.pageHeight));
  showPaper();
  showKind();
}

void DlgPrintableMap::addWorkRows(int row) {
  const int first = text_id::kPrintedWorkCaption;
  grid()->addWidget(label(502, text(first, "Map")), row, 0);
  QComboBox* kind = comboBox(kKind);
  kind->addItem(text(first + 1, "The chart on screen"));
  kind->addItem(text(first + 2, "Finder chart"));
  kind->addItem(text(first + 3, "Atlas"));
  kind->setCurrentIndex(std::clamp(work_.kind, 0, 2));
  grid()->addWidget(kind, row, 1, 1, 2);
  labelledEdit(kSubject, text(first + 4, "Object, constellation or list file"), QString::fromStdString(work_.subject),
               row + 1);
  labelledEdit(kAtlasField, text(first + 5, "Atlas field (\u00b0)"), QString::number(work_.atlas.fieldArcmin / 60.0),
               row + 2);
  labelledEdit(kAtlasLimit, text(text_id::kMapTitleLimits, "Limiting magnitude"),
               QString::number(work_.atlas.starLimitHundredths / 100.0, 'f', 1), row + 3);
}

void DlgPrintableMap::onCommand(int id, int code, QWidget* control) {
  switch (id) {
    case kPaper:
    case kPortrait:
    case kLandscape: showPaper(); return;
    case kFormat: matchExtension(); return;
    case kKind: showKind(); return;
    case kBrowse: browse(); return;
    case kIdOk: writeMap(); return;
    default: FwDialogBase::onCommand(id, code, control);
  }
}

// A listed paper shows its size the way round chosen; a size of one's own
// is typed in.
void DlgPrintableMap::showPaper() {
  const int paper = control<QComboBox>(kPaper)->currentIndex();
  const bool custom = paper == kCustom;
  control(kWidth)->setEnabled(custom);
  control(kHeight)->setEnabled(custom);
  if (custom) return;
  auto [width, height] = kPapers[paper];
  if (isChecked(kLandscape)) std::swap(width, height);
  setItemText(kWidth, millimetres(width).toStdString());
  setItemText(kHeight, millimetres(height).toStdString());
}

// The object or subject goes with a finder chart or an atlas, the field and
// the limit with an atlas, which is written as a PDF alone.
void DlgPrintableMap::showKind() {
  const int kind = control<QComboBox>(kKind)->currentIndex();
  control(kSubject)->setEnabled(kind != PrintedWork::kChart);
  control(kAtlasField)->setEnabled(kind == PrintedWork::kAtlas);
  control(kAtlasLimit)->setEnabled(kind == PrintedWork::kAtlas);
  auto* format = control<QComboBox>(kFormat);
  format->setEnabled(kind != PrintedWork::kAtlas);
  if (kind == PrintedWork::kAtlas) format->setCurrentIndex(kExportPdf - 1);
}

// A file name ending in one of the formats' extensions takes the chosen one.
void DlgPrintableMap::matchExtension() {
  QString name = QString::fromStdString(fileName());
  for (const char* extension : kExtensions) {
    if (!name.endsWith(extension, Qt::CaseInsensitive)) continue;
    name.chop(4);
    name += kExtensions[control<QComboBox>(kFormat)->currentIndex()];
    control<QLineEdit>(kFileName)->setText(name);
    return;
  }
}

// The file dialog asks itself before a file is replaced: the name chosen
// there is not asked about again.
void DlgPrintableMap::browse() {
  const int format = control<QComboBox>(kFormat)->currentIndex();
  const QString filter = QStringLiteral("%1 (*%2)").arg(kFormatNames[format], kExtensions[format]);
  const QString chosen = chooseFile(window(), QFileDialog::AcceptSave, formatSuffix(), {filter},
                                    text(text_id::kPrintableMapTitle, "Printable map"),
                                    QString::fromStdString(fileName()));
  if (chosen.isEmpty()) return;
  control<QLineEdit>(kFileName)->setText(chosen);
  confirmedName_ = chosen.toStdString();
}

// The chosen format's extension without its dot.
QString DlgPrintableMap::formatSuffix() const {
  return QString(kExtensions[control<QComboBox>(kFormat)->currentIndex()]).mid(1);
}

std::string DlgPrintableMap::fileName() const { return control<QLineEdit>(kFileName)->text().trimmed().toStdString(); }

// The sizes in hundredths of a millimetre; none when a size is refused.
std::optional<PrintableMap> DlgPrintableMap::shownChoice() {
  const int first = text_id::kPrintableMapLabelFirst;
  double width = 0, height = 0, margin = 0;
  const DecimalRow sizes[] = {{kWidth, first + 4, "Width (mm)", &width, kPageSideRange},
                              {kHeight, first + 5, "Height (mm)", &height, kPageSideRange},
                              {kMargin, first + 6, "Margin (mm)", &margin, kMarginRange}};
  if (!readDecimals(sizes)) return std::nullopt;
  const auto hundredths = [](double millimetres) { return static_cast<int32_t>(std::lround(millimetres * 100)); };
  PrintableMap map;
  map.format = control<QComboBox>(kFormat)->currentIndex() + 1;
  map.pageWidth = hundredths(width);
  map.pageHeight = hundredths(height);
  map.margin = hundredths(margin);
  map.fileName = fileName().empty() ? "" : withDefaultSuffix(QString::fromStdString(fileName()), formatSuffix()).toStdString();
  return map;
}

void DlgPrintableMap::warn(const QString& message) {
  QMessageBox::warning(window(), text(text_id::kErrorCaption, "Error"), message);
}

std::optional<PrintedWork> DlgPrintableMap::shownWork() {
  PrintedWork work = work_;
  work.kind = control<QComboBox>(kKind)->currentIndex();
  work.subject = control<QLineEdit>(kSubject)->text().trimmed().toStdString();
  if (work.kind != PrintedWork::kAtlas) return work;
  double field = 0, limit = 0;
  const DecimalRow rows[] = {
      {kAtlasField, text_id::kPrintedWorkCaption + 5, "Atlas field (\u00b0)", &field, kAtlasFieldRange},
      {kAtlasLimit, text_id::kMapTitleLimits, "Limiting magnitude", &limit, kAtlasLimitRange}};
  if (!readDecimals(rows)) return std::nullopt;
  work.atlas.fieldArcmin = static_cast<int>(std::lround(field * 60));
  work.atlas.starLimitHundredths = static_cast<int>(std::lround(limit * 100));
  return work;
}

std::string DlgPrintableMap::write(const PrintedWork& work, const PrintableMap& map) {
  if (work.kind == PrintedWork::kChart) return "";
  const AtlasResult result = work.kind == PrintedWork::kFinder ? exportFinderCharts(model_, {{"", work.subject}}, map)
                                                               : exportAtlas(model_, work.subject, work.atlas, map);
  return result.error;
}

void DlgPrintableMap::writeMap() {
  const std::optional<PrintableMap> shown = shownChoice();
  const std::optional<PrintedWork> work = shown ? shownWork() : std::nullopt;
  if (!work) return;
  const PrintableMap& map = *shown;
  const QString file = QString::fromStdString(map.fileName);
  if (map.fileName.empty()) {
    warn(text(text_id::kPrintableMapNoFile, "Choose a file for the map."));
  } else if (!fitsOnPage(map)) {
    warn(text(text_id::kPrintableMapNoRoom, "The margins leave no room for the map on this page."));
  } else if (work->kind != PrintedWork::kChart && work->subject.empty()) {
    warn(text(text_id::kPrintedWorkCaption + 4, "Object, constellation or list file"));
  } else if (map.fileName != confirmedName_ && !mayReplace(window(), resources(), file)) {
    return;
  } else if (work->kind == PrintedWork::kChart && !exportPrintableMap(model_, map)) {
    const int error = errno;
    reportUnwrittenFile(window(), resources(), text_id::kPrintableMapNotWritten,
                        "The map could not be written to this file:", file, error);
  } else if (const std::string error = write(*work, map); !error.empty()) {
    warn(text(text_id::kPrintableMapNotWritten, "The map could not be written to this file:") + "\n" + file + "\n" +
         QString::fromStdString(error));
  } else {
    choice_ = map;
    work_ = *work;
    endDialog(1);
  }
}

}  // namespace celvaro
