#include "labels/BarcodeSymbol.h"

#include <zint.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QtMath>
#include <memory>

namespace {

// libzint's vector output counts two units per module.
constexpr double kUnitsPerModule = 2.0;
// Quiet zones in modules: 10 either side of a linear code, 4 round a QR
// Code, 2 round a Data Matrix.
constexpr int kQuietCode128 = 10;
constexpr int kQuietQr = 4;
constexpr int kQuietDataMatrix = 2;
// Rectangle colour of the background (white) in the vector output.
constexpr int kZintWhite = 8;

struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

void Configure(zint_symbol& s, SymbolKind kind) {
    s.input_mode = UNICODE_MODE;
    s.show_hrt = 0;  // the label prints the ID text itself
    switch (kind) {
        case SymbolKind::Code128:
            s.symbology = BARCODE_CODE128;
            s.whitespace_width = kQuietCode128;
            break;
        case SymbolKind::QrCode:
            s.symbology = BARCODE_QRCODE;
            s.whitespace_width = s.whitespace_height = kQuietQr;
            break;
        case SymbolKind::DataMatrix:
            s.symbology = BARCODE_DATAMATRIX;
            s.option_3 = DM_SQUARE;
            s.whitespace_width = s.whitespace_height = kQuietDataMatrix;
            break;
    }
}

QPolygonF Hexagon(const zint_vector_hexagon& h) {
    QPolygonF poly;
    const double r = h.diameter / 2.0;
    for (int i = 0; i < 6; ++i) {
        const double a = qDegreesToRadians(60.0 * i + 30.0 + h.rotation);
        poly << QPointF(h.x + r * std::cos(a), h.y + r * std::sin(a));
    }
    return poly;
}

}  // namespace

BarcodeSymbol::BarcodeSymbol(SymbolKind kind, const QString& data) {
    std::unique_ptr<zint_symbol, ZintDeleter> s(ZBarcode_Create());
    if (!s) {
        m_error = QStringLiteral("out of memory");
        return;
    }
    Configure(*s, kind);
    const QByteArray utf8 = data.toUtf8();
    int rc = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                             static_cast<int>(utf8.size()));
    if (rc < ZINT_ERROR) {
        rc = ZBarcode_Buffer_Vector(s.get(), 0);
    }
    if (rc >= ZINT_ERROR || !s->vector) {
        m_error = QString::fromUtf8(s->errtxt);
        if (m_error.isEmpty()) {
            m_error = QStringLiteral("the symbol could not be made");
        }
        return;
    }
    const zint_vector& v = *s->vector;
    m_size = QSizeF(v.width / kUnitsPerModule, v.height / kUnitsPerModule);
    m_dark.setFillRule(Qt::WindingFill);
    for (const zint_vector_rect* r = v.rectangles; r; r = r->next) {
        QPainterPath& path = r->colour == kZintWhite ? m_light : m_dark;
        path.addRect(r->x, r->y, r->width, r->height);
    }
    for (const zint_vector_hexagon* h = v.hexagons; h; h = h->next) {
        m_dark.addPolygon(Hexagon(*h));
        m_dark.closeSubpath();
    }
    for (const zint_vector_circle* c = v.circles; c; c = c->next) {
        QPainterPath ring;
        const double r = c->diameter / 2.0 + c->width / 2.0;
        ring.addEllipse(QPointF(c->x, c->y), r, r);
        if (c->width > 0) {
            const double inner = c->diameter / 2.0 - c->width / 2.0;
            QPainterPath hole;
            hole.addEllipse(QPointF(c->x, c->y), inner, inner);
            ring = ring.subtracted(hole);
        }
        (c->colour ? m_light : m_dark).addPath(ring);
    }
    for (const zint_vector_string* t = v.strings; t; t = t->next) {
        m_texts.push_back({QPointF(t->x, t->y), t->fsize, t->halign,
                           QString::fromUtf8(reinterpret_cast<const char*>(t->text), t->length)});
    }
}

void BarcodeSymbol::Draw(QPainter& painter, const QRectF& target) const {
    if (!ok() || m_size.isEmpty()) {
        return;
    }
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / (m_size.width() * kUnitsPerModule),
                  target.height() / (m_size.height() * kUnitsPerModule));
    painter.setPen(Qt::NoPen);
    painter.fillPath(m_dark, Qt::black);
    if (!m_light.isEmpty()) {
        painter.fillPath(m_light, Qt::white);
    }
    if (!m_texts.empty()) {
        painter.setPen(Qt::black);
        for (const Text& t : m_texts) {
            QFont font = painter.font();
            font.setPixelSize(std::max(1, qRound(t.size)));
            painter.setFont(font);
            const double w = QFontMetricsF(font).horizontalAdvance(t.text);
            const double x = t.align == 1   ? t.at.x()
                             : t.align == 2 ? t.at.x() - w
                                            : t.at.x() - w / 2;
            painter.drawText(QPointF(x, t.at.y()), t.text);
        }
    }
    painter.restore();
}
