#include "platform/FileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

class QtFileChooser final : public IFileChooser {
public:
    QString Choose(const FileDialogRequest& r) override {
        QFileDialog dlg(QApplication::activeWindow());
        dlg.setNameFilter(r.filter);
        dlg.setNameFilters(r.filter.split(";;"));
        dlg.setDefaultSuffix(r.defaultExt);
        dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (!r.initialName.isEmpty()) {
            dlg.selectFile(r.initialName);
        }
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
            return QString();
        }
        return dlg.selectedFiles().first();
    }
};

QtFileChooser g_qtChooser;
IFileChooser* g_chooser = nullptr;

}  // namespace

void SetFileChooser(IFileChooser* chooser) {
    g_chooser = chooser;
}

QString ChooseFile(const FileDialogRequest& request) {
    return (g_chooser ? *g_chooser : static_cast<IFileChooser&>(g_qtChooser)).Choose(request);
}

QString QtFilterFromBars(const QString& barFilter) {
    QStringList parts = barFilter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        QString name = parts[i];
        if (!name.contains('(')) {
            name += " (" + parts[i + 1] + ")";
        }
        out << name;
    }
    return out.join(";;");
}
