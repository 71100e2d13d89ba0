#pragma once

// Reads printed labels back the way a scanner would: a page of the PDF is
// rendered with poppler's pdftoppm and its symbols decoded by independent
// readers, zbarimg (Code 128, QR Code) and dmtxread (Data Matrix).

#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

inline constexpr int kReadDpi = 300;

inline bool HaveTools(const QStringList& tools) {
    for (const QString& t : tools) {
        if (QStandardPaths::findExecutable(t).isEmpty()) {
            return false;
        }
    }
    return true;
}

// Standard output of `tool`, lines split; empty when it finds nothing.
inline QStringList RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    while (out.endsWith('\n') || out.endsWith('\r')) {
        out.chop(1);
    }
    return out.isEmpty() ? QStringList() : out.split('\n');
}

// Renders `mm` (millimetres from the paper's corner; the whole page when
// empty) of page `page` (from 1) of `pdf` into `png`.
inline void RenderPage(const QString& pdf, int page, const QRectF& mm, const QString& png) {
    QStringList args{"-r",   QString::number(kReadDpi), "-f",   QString::number(page),
                     "-l",   QString::number(page),     "-png", "-singlefile",
                     "-gray"};
    if (!mm.isEmpty()) {
        const double px = kReadDpi / 25.4;
        args << "-x" << QString::number(qRound(mm.x() * px)) << "-y"
             << QString::number(qRound(mm.y() * px)) << "-W"
             << QString::number(qRound(mm.width() * px)) << "-H"
             << QString::number(qRound(mm.height() * px));
    }
    QString prefix = png;
    prefix.chop(4);  // pdftoppm adds ".png"
    RunTool("pdftoppm", args << pdf << prefix);
}

// What zbarimg reads in `png`, as "TYPE:data" lines (e.g. "CODE-128:B-7").
inline QStringList ZbarRead(const QString& png) {
    return RunTool("zbarimg", {"-q", png});
}

// The first square Data Matrix dmtxread finds in `png` (its scan is slow, so
// it stops at the first one and after 20 s at most).
inline QStringList DmtxRead(const QString& png) {
    return RunTool("dmtxread", {"-N", "1", "-s", "s", "-m", "20000", png});
}

// The text of page `page` within `mm`, as pdftotext reads it.
inline QString PdfText(const QString& pdf, int page, const QRectF& mm) {
    const double pt = 72 / 25.4;
    return RunTool("pdftotext", {"-r", "72", "-f", QString::number(page), "-l",
                                 QString::number(page), "-x", QString::number(qRound(mm.x() * pt)),
                                 "-y", QString::number(qRound(mm.y() * pt)), "-W",
                                 QString::number(qRound(mm.width() * pt)), "-H",
                                 QString::number(qRound(mm.height() * pt)), pdf, "-"})
        .join('\n');
}
