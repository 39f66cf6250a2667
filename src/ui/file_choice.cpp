#include "ui/file_choice.h"

#include <QFileInfo>
#include <QMessageBox>

#include <cstring>

#include "app/ui_resources.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr qsizetype kMaxNameChars = 1024;

}  // namespace

QString languageText(UiResources& resources, int id, const char* english) {
  return QString::fromStdString(resources.textOr(id, english));
}

QString chooseFile(QWidget* owner, QFileDialog::AcceptMode mode, const QString& suffix, const QStringList& filters,
                   const QString& title, const QString& start) {
  QFileDialog dialog(owner, title, start);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString name = dialog.selectedFiles().front();
  return name.size() > kMaxNameChars ? QString() : name;
}

QString withDefaultSuffix(const QString& name, const QString& suffix) {
  return QFileInfo(name).suffix().isEmpty() ? name + "." + suffix : name;
}

bool mayReplace(QWidget* owner, UiResources& resources, const QString& file) {
  if (!QFileInfo::exists(file)) return true;
  const QString question = languageText(resources, text_id::kReplaceFileQuestion, "This file exists already. Replace it?");
  return QMessageBox::question(owner, languageText(resources, text_id::kFileExistsCaption, "File exists"),
                               question + "\n" + file, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void reportUnwrittenFile(QWidget* owner, UiResources& resources, int textId, const char* english, const QString& file,
                         int error) {
  const QString text = languageText(resources, textId, english) + "\n" + file + "\n" +
                       QString::fromLocal8Bit(std::strerror(error));
  QMessageBox::critical(owner, languageText(resources, text_id::kErrorCaption, "Error"), text);
}

}  // namespace celvaro
