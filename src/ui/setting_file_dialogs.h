// Saving and loading setting files through the system's save and open
// dialogs (commands 107 and 108).
#pragma once

class QWidget;

namespace celvaro {

struct ChartSettings;

// Asks for a file name and writes the settings under it, with ".clv"
// appended unless the name ends with it. 1 when the file could not be
// written, else 0 (also when the dialog was cancelled).
int saveSettingFile(QWidget* owner, const ChartSettings& settings);

// Asks for an existing setting file and reads it into the settings; 1 when
// a file was chosen, else 0. The caller redraws the chart.
int loadSettingFile(QWidget* owner, ChartSettings& settings);

}  // namespace celvaro
