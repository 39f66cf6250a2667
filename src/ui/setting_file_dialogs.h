// Saving and loading setting files through the program's save and open
// dialogs (commands 107 and 108).
#pragma once

class QString;
class QWidget;

namespace celvaro {

class UiResources;
struct ChartSettings;

// Asks for a file name and writes the settings under it. The dialog adds
// ".clv" to a name without an extension, so its question before replacing
// a file is about the file written. A file that cannot be written is
// reported in a message box with the reason. 1 when the file could not be
// written, else 0 (also when the dialog was cancelled).
int saveSettingFile(QWidget* owner, UiResources& resources, const ChartSettings& settings);

// Asks for an existing setting file and reads it into the settings; 1 when
// a file was chosen, else 0. The caller redraws the chart.
int loadSettingFile(QWidget* owner, UiResources& resources, ChartSettings& settings);

}  // namespace celvaro
