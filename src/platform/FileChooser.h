#pragma once

#include <QString>

// File dialogs, behind a seam so tests can answer them. An empty result means
// the operator cancelled.
struct FileDialogRequest {
    bool save = false;
    QString filter;       // Qt filter text, entries separated by ";;"
    QString defaultExt;   // without the dot
    QString initialName;  // file name only
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    virtual QString Choose(const FileDialogRequest& request) = 0;
};

// nullptr restores the chooser that shows QFileDialog.
void SetFileChooser(IFileChooser* chooser);
QString ChooseFile(const FileDialogRequest& request);
// "Text file (*.txt)|*.txt|Excel 2003(*.xls)|*.xls||" -> Qt's ";;" form.
QString QtFilterFromBars(const QString& barFilter);
