#include "labels/LabelPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "labels/BarcodeSymbol.h"

namespace {

// Text is drawn at 100 units a millimetre, so font sizes (whole pixels)
// keep a hundredth of a millimetre.
constexpr double kTextUnits = 100.0;
constexpr double kGapMm = 1.0;
constexpr double kMaxCode2DShare = 0.4;  // of the label's width
constexpr double kLineShare = 0.11;      // a text line's height, as a share of the label's
constexpr double kMinLineMm = 1.8;
constexpr double kMaxLineMm = 3.5;

bool Usable(const BarcodeSymbol* s) {
    return s && s->ok() && !s->modules().isEmpty();
}

void DrawTextLine(QPainter& painter, const QRectF& rectMm, const QString& text, bool bold) {
    painter.save();
    painter.scale(1.0 / kTextUnits, 1.0 / kTextUnits);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, qRound(rectMm.height() * 0.8 * kTextUnits)));
    font.setBold(bold);
    painter.setFont(font);
    const QRectF r(rectMm.topLeft() * kTextUnits, rectMm.size() * kTextUnits);
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, r.width());
    painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

}  // namespace

QStringList LabelTexts(const PacketLabel& label, const LabelFields& fields, const QString& date) {
    QStringList out{label.id};
    if (fields.seed && !label.seed.isEmpty()) {
        out << label.seed;
    }
    QStringList packet;
    if (fields.packet) {
        packet << PacketText(label);
    }
    if (fields.seeds && !label.seeds.isEmpty()) {
        packet << SeedsText(label);
    }
    if (!packet.isEmpty()) {
        out << packet.join(QStringLiteral("   "));
    }
    if (fields.date) {
        out << date;
    }
    if (fields.location && !label.location.isEmpty()) {
        out << label.location;
    }
    if (fields.comment && !label.comment.isEmpty()) {
        out << label.comment;
    }
    return out;
}

LabelPlan PlanLabel(const LabelLayout& layout, const PacketLabel& label, const QString& date,
                    const BarcodeSymbol* bars, const BarcodeSymbol* code2d) {
    LabelPlan plan;
    plan.texts = LabelTexts(label, layout.fields, date);
    const QRectF content(kLabelPaddingMm, kLabelPaddingMm, layout.width - 2 * kLabelPaddingMm,
                         layout.height - 2 * kLabelPaddingMm);

    double left = content.width();
    if (Usable(code2d)) {
        // The Code 128 gets the width it needs first; the 2D code takes what
        // is left, up to a share of the label, and never less than its own
        // smallest size.
        const double needed = code2d->modules().width() * kMinModuleMm;
        double barsNeed = Usable(bars) ? bars->modules().width() * kMinModuleMm : 0;
        if (barsNeed > content.width() - needed - kGapMm) {
            barsNeed = 0;  // the bars cannot fit beside it: they are left out
        }
        const double most = std::min(content.height(), content.width() * kMaxCode2DShare);
        const double side = std::max(needed, std::min(most, content.width() - barsNeed - kGapMm));
        if (side > content.height() + 1e-9 || side > content.width()) {
            plan.code2dLeftOut =
                QStringLiteral("its 2D code needs %1 x %1 mm").arg(needed, 0, 'f', 1);
        } else {
            plan.code2d = QRectF(content.right() - side, content.top(), side, side);
            left -= side + kGapMm;
        }
    }

    plan.lineHeight = std::clamp(content.height() * kLineShare, kMinLineMm, kMaxLineMm);
    const double textHeight = plan.lineHeight * static_cast<double>(plan.texts.size());
    const double barHeight = content.height() - textHeight;
    if (Usable(bars)) {
        const double modules = bars->modules().width();
        const double x = std::min(left / modules, kMaxModuleMm);
        QStringList why;
        if (x < kMinModuleMm) {
            why << QStringLiteral("its barcode needs %1 mm across")
                       .arg(modules * kMinModuleMm, 0, 'f', 1);
        }
        if (barHeight < kMinBarHeightMm) {
            why << QStringLiteral("its barcode needs %1 mm of height above %2 lines of text")
                       .arg(kMinBarHeightMm)
                       .arg(plan.texts.size());
        }
        plan.barsLeftOut = why.join(QStringLiteral(", "));
        if (plan.barsLeftOut.isEmpty()) {
            plan.barcode = QRectF(content.left(), content.top(), modules * x, barHeight);
        }
    }
    // Without bars the text starts at the top.
    const double linesTop = plan.barcode.isEmpty() ? content.top() : plan.barcode.bottom();
    plan.lines = QRectF(content.left(), linesTop, left, std::min(textHeight, content.height()));
    return plan;
}

void DrawLabel(QPainter& painter, const QPointF& origin, const LabelPlan& plan,
               const BarcodeSymbol* bars, const BarcodeSymbol* code2d) {
    painter.save();
    painter.translate(origin);
    if (!plan.barcode.isEmpty()) {
        bars->Draw(painter, plan.barcode);
    }
    if (!plan.code2d.isEmpty()) {
        code2d->Draw(painter, plan.code2d);
    }
    painter.setPen(Qt::black);
    for (int i = 0; i < plan.texts.size(); ++i) {
        const QRectF line(plan.lines.left(), plan.lines.top() + i * plan.lineHeight,
                          plan.lines.width(), plan.lineHeight);
        DrawTextLine(painter, line, plan.texts[i], i == 0);
    }
    painter.restore();
}
