#include "data/Printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include "data/PrintLayout.h"
#include "platform/StoredText.h"

namespace {

void DrawPage(QPainter& painter, const print_layout::Page& page) {
    painter.drawLine(page.rule);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const auto& t : page.texts) {
        // One line per record: a line break in a stored text prints as a
        // space, and a text too wide for its column ends in an ellipsis.
        const QString line =
            metrics.elidedText(WithoutLineBreaks(t.text), Qt::ElideRight, t.rect.width());
        painter.drawText(t.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
    }
}

}  // namespace

bool PrintRecordTable(QPrinter& printer, const std::vector<std::unique_ptr<cParam>>& records,
                      const QString& barcodeTitle) {
    printer.setDocName(print_layout::kTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double scale = static_cast<double>(printer.width()) / print_layout::kUnitsAcross;
    const int pageBottom = static_cast<int>(printer.height() / scale);
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(print_layout::kFontSize);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 4));

    const auto pages =
        print_layout::LayOutTable(records, barcodeTitle, print_layout::kUnitsAcross, pageBottom);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            printer.abort();
            return false;
        }
        DrawPage(painter, pages[p]);
    }
    return painter.end();
}
