// Choosing a file to read or write through the program's own file dialog,
// and telling the user about a file that could not be written: one way for
// every file the program saves on the user's command.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

namespace celvaro {

class UiResources;

// A text of the language files as Qt takes it.
QString languageText(UiResources& resources, int id, const char* english);

// The file chosen in the dialog, or nothing when it was cancelled or the
// name is longer than a file name may be here. A name typed without an
// extension takes `suffix` ("clv", "pdf") before the dialog asks about
// replacing an existing file, so its question is about the file written:
// the program's own dialog is used because a desktop's dialog asks about
// the name as typed.
QString chooseFile(QWidget* owner, QFileDialog::AcceptMode mode, const QString& suffix, const QStringList& filters,
                   const QString& title = {}, const QString& start = {});

// `name`, with `suffix` added when it has no extension of its own, as the
// dialog above does.
QString withDefaultSuffix(const QString& name, const QString& suffix);

// Asks whether the existing file `file` may be replaced; true when it is
// not there or the user says yes.
bool mayReplace(QWidget* owner, UiResources& resources, const QString& file);

// The error message box of a file that could not be written: the language
// text `textId` (or `english`), the file and the system's reason for the
// error number `error`.
void reportUnwrittenFile(QWidget* owner, UiResources& resources, int textId, const char* english, const QString& file,
                         int error);

}  // namespace celvaro
