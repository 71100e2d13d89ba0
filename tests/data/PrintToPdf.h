#pragma once

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include "dialogs/PrintDialog.h"

// A print dialog that sends the job to a PDF file (or is cancelled).
class PrintToPdf : public IPrintDialog {
public:
    explicit PrintToPdf(QString path) : m_path(std::move(path)) { SetPrintDialog(this); }
    ~PrintToPdf() override { SetPrintDialog(nullptr); }
    bool Choose(QPrinter& printer) override {
        ++opened;
        if (cancel) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        return true;
    }
    bool cancel = false;
    int opened = 0;

private:
    QString m_path;
};

// Output of a poppler tool, or a null string when the tool is not installed.
inline QString RunPdfTool(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return QString();
    }
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The page count pdfinfo reports; -1 when pdfinfo is missing.
inline int PdfPages(const QString& pdf) {
    const QString info = RunPdfTool("pdfinfo", {pdf});
    if (info.isNull()) {
        return -1;
    }
    for (const QString& line : info.split('\n')) {
        if (line.startsWith("Pages:")) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return 0;
}

// The text of page `page` (from 1) as pdftotext reads it.
inline QString PdfPageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return RunPdfTool("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"});
}
