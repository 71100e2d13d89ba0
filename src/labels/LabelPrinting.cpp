#include "labels/LabelPrinting.h"

#include <QDate>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <optional>

#include "labels/BarcodeSymbol.h"
#include "labels/LabelPainter.h"

namespace {

const QString kDocName = QStringLiteral("VYN8 Labels");

// The symbols of one label. The Code 128 of an ID is made once and shared by
// all its labels; the 2D code holds the packet number, so each label has its own.
class LabelSymbols {
public:
    explicit LabelSymbols(const LabelLayout& layout) : m_layout(layout) {}

    const BarcodeSymbol& Bars(const QString& id) {
        auto it = m_bars.find(id);
        if (it == m_bars.end()) {
            it = m_bars.insert(id, std::make_shared<BarcodeSymbol>(SymbolKind::Code128, id));
        }
        return **it;
    }
    const BarcodeSymbol* Code2D(const PacketLabel& label, const QString& date) {
        if (m_layout.code2d == LabelCode2D::None) {
            return nullptr;
        }
        const SymbolKind kind =
            m_layout.code2d == LabelCode2D::QrCode ? SymbolKind::QrCode : SymbolKind::DataMatrix;
        m_code2d.emplace(kind, LabelDataText(label, date));
        return &*m_code2d;
    }

private:
    const LabelLayout& m_layout;
    QHash<QString, std::shared_ptr<BarcodeSymbol>> m_bars;
    std::optional<BarcodeSymbol> m_code2d;
};

void AddOnce(QStringList& list, const QString& id) {
    if (!list.contains(id)) {
        list << id;
    }
}

bool HasBeyondAscii(const QString& id) {
    for (QChar c : id) {
        if (c.unicode() > 0x7F) {
            return true;
        }
    }
    return false;
}

QString IdList(const QStringList& ids) {
    QStringList shown;
    for (const QString& id : ids) {
        shown << (id.isEmpty() ? QStringLiteral("(no ID)") : id);
    }
    return shown.join(QStringLiteral(", "));
}

}  // namespace

QString LabelCheck::Notes() const {
    QStringList out;
    if (!paper.isEmpty()) {
        out << paper;
    }
    if (!barsLeftOut.isEmpty()) {
        out << QStringLiteral(
                   "The barcode of %1 does not fit the label (%2): those labels print "
                   "%3.")
                   .arg(IdList(barsLeftOut), barsReason,
                        has2d ? QStringLiteral("with their 2D code and the ID as text")
                              : QStringLiteral("with the ID as text only"));
    }
    if (!textOnly.isEmpty()) {
        out << TextOnlyMessage(textOnly);
    }
    if (!no2d.isEmpty()) {
        out << QStringLiteral(
                   "No 2D code that fits the label can hold the fields of %1; those labels print "
                   "without one.")
                   .arg(IdList(no2d));
    }
    if (!beyondAscii.isEmpty() && !has2d) {
        out << QStringLiteral(
                   "Some scanners read the letters beyond ASCII of %1 wrongly from Code 128; a QR "
                   "Code or Data Matrix carries them exactly.")
                   .arg(IdList(beyondAscii));
    }
    return out.join('\n');
}

QString TextOnlyMessage(const QStringList& ids) {
    return QStringLiteral(
               "Code 128 cannot carry these IDs, so their labels show the ID as text "
               "only: %1")
        .arg(IdList(ids));
}

LabelCheck CheckLabels(const std::vector<PacketLabel>& labels, const LabelLayout& layout,
                       const QString& date) {
    LabelCheck check;
    check.paper = layout.PaperProblem();
    if (!check.paper.isEmpty()) {
        return check;
    }
    check.has2d = layout.code2d != LabelCode2D::None;
    LabelSymbols symbols(layout);
    for (const PacketLabel& label : labels) {
        const BarcodeSymbol& bars = symbols.Bars(label.id);
        const BarcodeSymbol* code2d = symbols.Code2D(label, date);
        if (!bars.ok()) {
            AddOnce(check.textOnly, label.id);
        } else if (HasBeyondAscii(label.id)) {
            AddOnce(check.beyondAscii, label.id);
        }
        const LabelPlan plan = PlanLabel(layout, label, date, &bars, code2d);
        if (code2d && (!code2d->ok() || !plan.code2dLeftOut.isEmpty())) {
            AddOnce(check.no2d, label.id);
        }
        if (!plan.barsLeftOut.isEmpty()) {
            if (check.barsLeftOut.isEmpty()) {
                check.barsReason = plan.barsLeftOut;
            }
            AddOnce(check.barsLeftOut, label.id);
        }
    }
    return check;
}

void SetUpLabelPrinter(QPrinter& printer, const LabelLayout& layout) {
    const QPageSize size =
        layout.paper == LabelPaper::Sheet
            ? QPageSize(QPageSize::A4)
            : QPageSize(layout.PageSize(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    printer.setDocName(kDocName);
}

bool PrintLabelPages(QPrinter& printer, const std::vector<PacketLabel>& labels,
                     const LabelLayout& layout, const QString& date, int maxPages) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double pxPerMm = printer.resolution() / 25.4;
    painter.scale(pxPerMm, pxPerMm);
    LabelSymbols symbols(layout);
    const int perPage = layout.LabelsPerPage();
    for (size_t i = 0; i < labels.size(); ++i) {
        const int page = static_cast<int>(i) / perPage;
        if (maxPages >= 0 && page >= maxPages) {
            break;
        }
        if (i > 0 && static_cast<int>(i) % perPage == 0 && !printer.newPage()) {
            painter.end();
            printer.abort();
            return false;
        }
        const PacketLabel& label = labels[i];
        const BarcodeSymbol& bars = symbols.Bars(label.id);
        const BarcodeSymbol* code2d = symbols.Code2D(label, date);
        const LabelPlan plan = PlanLabel(layout, label, date, &bars, code2d);
        DrawLabel(painter, layout.LabelRect(static_cast<int>(i) % perPage).topLeft(), plan, &bars,
                  code2d);
    }
    return painter.end();
}

QString LabelDate() {
    return QDate::currentDate().toString(Qt::ISODate);
}
