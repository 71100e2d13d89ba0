#pragma once

#include <QString>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

// File dialogs, behind a seam so tests can answer them. An empty result means
// the operator cancelled.
struct FileDialogRequest {
    bool save = false;
    QString filter;       // Qt filter text, entries separated by ";;"
    QString defaultExt;   // without the dot
    QString initialName;  // file name only
    // Asked about each name the operator chooses (with the extension of the
    // chosen filter added when none was typed): false keeps the dialog open
    // for another name. It tells the operator why itself.
    std::function<bool(const QString& path)> accept;
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    virtual QString Choose(const FileDialogRequest& request) = 0;
};

// nullptr restores the chooser that shows QFileDialog.
void SetFileChooser(IFileChooser* chooser);
QString ChooseFile(const FileDialogRequest& request);
// The dialog that the default chooser shows for `request`. Saving, the
// default extension is the one of the chosen filter.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& request, QWidget* parent);
// "Excel 2003(*.xls)" -> "xls"; empty for a filter without one extension.
QString ExtensionOfFilter(const QString& nameFilter);
// "Text file (*.txt)|*.txt|Excel 2003(*.xls)|*.xls||" -> Qt's ";;" form.
QString QtFilterFromBars(const QString& barFilter);
