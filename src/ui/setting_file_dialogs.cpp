#include "ui/setting_file_dialogs.h"

#include <cerrno>

#include "app/setting_file.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/file_choice.h"

namespace celvaro {
namespace {

QString chooseSettingFile(QWidget* owner, UiResources& resources, QFileDialog::AcceptMode mode) {
  return chooseFile(owner, mode, "clv",
                    {languageText(resources, text_id::kSettingFilesFilter, "Celvaro setting files") + " (*.clv)",
                     languageText(resources, text_id::kAllFilesFilter, "All files") + " (*.*)"});
}

}  // namespace

int saveSettingFile(QWidget* owner, UiResources& resources, const ChartSettings& settings) {
  const QString name = chooseSettingFile(owner, resources, QFileDialog::AcceptSave);
  if (name.isEmpty()) return 0;
  if (writeSettingFile(name.toStdString(), settings)) return 0;
  const int error = errno;
  reportUnwrittenFile(owner, resources, text_id::kSettingFileNotSaved,
                      "The chart settings could not be saved to this file:", name, error);
  return 1;
}

int loadSettingFile(QWidget* owner, UiResources& resources, ChartSettings& settings) {
  const QString name = chooseSettingFile(owner, resources, QFileDialog::AcceptOpen);
  if (name.isEmpty()) return 0;
  readSettingFile(name.toStdString(), settings);
  return 1;
}

}  // namespace celvaro
