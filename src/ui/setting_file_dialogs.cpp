#include "ui/setting_file_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include <cerrno>
#include <cstring>

#include "app/setting_file.h"
#include "app/text_ids.h"
#include "app/ui_resources.h"

namespace celvaro {
namespace {

constexpr qsizetype kMaxNameChars = 1024;

// The file chosen in the dialog, or nothing when it was cancelled or the
// name is longer than a file name may be here. The program's own dialog is
// used: a desktop's dialog asks about replacing the name as typed, before
// the extension is added to it.
QString chooseFile(QWidget* owner, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("clv");
  dialog.setNameFilters({"Celvaro setting files (*.clv)", "All files (*.*)"});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString name = dialog.selectedFiles().front();
  return name.size() > kMaxNameChars ? QString() : name;
}

}  // namespace

int saveSettingFile(QWidget* owner, UiResources& resources, const ChartSettings& settings) {
  const QString name = chooseFile(owner, QFileDialog::AcceptSave);
  if (name.isEmpty()) return 0;
  if (writeSettingFile(name.toStdString(), settings)) return 0;
  const int error = errno;
  reportUnwrittenFile(owner, resources, text_id::kSettingFileNotSaved,
                      "The chart settings could not be saved to this file:", name, error);
  return 1;
}

int loadSettingFile(QWidget* owner, ChartSettings& settings) {
  const QString name = chooseFile(owner, QFileDialog::AcceptOpen);
  if (name.isEmpty()) return 0;
  readSettingFile(name.toStdString(), settings);
  return 1;
}

void reportUnwrittenFile(QWidget* owner, UiResources& resources, int textId, const char* english, const QString& file,
                         int error) {
  const QString text = QString::fromStdString(resources.textOr(textId, english)) + "\n" + file + "\n" +
                       QString::fromLocal8Bit(std::strerror(error));
  QMessageBox::critical(owner, QString::fromStdString(resources.textOr(text_id::kErrorCaption, "Error")), text);
}

}  // namespace celvaro
