#include "ui/setting_file_dialogs.h"

#include <QFileDialog>

#include "app/setting_file.h"

namespace celvaro {
namespace {

constexpr qsizetype kMaxNameChars = 1024;

// The file chosen in the dialog, or nothing when it was cancelled or the
// name is longer than a file name may be here.
QString chooseFile(QWidget* owner, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters({"Celvaro setting files (*.clv)", "All files (*.*)"});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString name = dialog.selectedFiles().front();
  return name.size() > kMaxNameChars ? QString() : name;
}

}  // namespace

int saveSettingFile(QWidget* owner, const ChartSettings& settings) {
  const QString name = chooseFile(owner, QFileDialog::AcceptSave);
  if (name.isEmpty()) return 0;
  return writeSettingFile(settingFileName(name.toStdString()), settings) ? 0 : 1;
}

int loadSettingFile(QWidget* owner, ChartSettings& settings) {
  const QString name = chooseFile(owner, QFileDialog::AcceptOpen);
  if (name.isEmpty()) return 0;
  readSettingFile(name.toStdString(), settings);
  return 1;
}

}  // namespace celvaro
