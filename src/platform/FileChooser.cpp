#include "platform/FileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

class FileDialog final : public QFileDialog {
public:
    FileDialog(const FileDialogRequest& r, QWidget* parent)
        : QFileDialog(parent), m_accept(r.accept) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (m_accept && acceptMode() == AcceptSave && !files.isEmpty() &&
            !QFileInfo(files.first()).isDir() && !m_accept(files.first())) {
            return;
        }
        QFileDialog::accept();
    }

private:
    std::function<bool(const QString&)> m_accept;
};

class QtFileChooser final : public IFileChooser {
public:
    QString Choose(const FileDialogRequest& r) override {
        const auto dlg = MakeFileDialog(r, QApplication::activeWindow());
        if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty()) {
            return QString();
        }
        return dlg->selectedFiles().first();
    }
};

QtFileChooser g_qtChooser;
IFileChooser* g_chooser = nullptr;

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& r, QWidget* parent) {
    auto dlg = std::make_unique<FileDialog>(r, parent);
    dlg->setNameFilters(r.filter.split(";;"));
    dlg->setDefaultSuffix(r.defaultExt);
    dlg->setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg->setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (r.save) {
        // The check of a chosen name needs the dialog's own widgets.
        dlg->setOption(QFileDialog::DontUseNativeDialog, true);
        QFileDialog* d = dlg.get();
        QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& filter) {
            const QString ext = ExtensionOfFilter(filter);
            if (!ext.isEmpty()) {
                d->setDefaultSuffix(ext);
            }
        });
    }
    if (!r.initialName.isEmpty()) {
        dlg->selectFile(r.initialName);
    }
    return dlg;
}

QString ExtensionOfFilter(const QString& nameFilter) {
    static const QRegularExpression one(R"(\(\*\.([A-Za-z0-9]+)\)\s*$)");
    const QRegularExpressionMatch m = one.match(nameFilter);
    return m.hasMatch() ? m.captured(1) : QString();
}

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
