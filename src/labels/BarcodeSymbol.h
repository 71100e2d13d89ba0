#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;

enum class SymbolKind { Code128, QrCode, DataMatrix };

// One barcode symbol, made by libzint and kept as its vector output: the
// dark shapes as one path and any text zint places, in module units
// (one module = the narrowest bar or one cell), quiet zones included, so it
// can be drawn sharp at any size.
class BarcodeSymbol {
public:
    BarcodeSymbol(SymbolKind kind, const QString& data);

    bool ok() const { return m_error.isEmpty(); }
    // libzint's reason when the data cannot be encoded.
    const QString& error() const { return m_error; }
    // Width and height in modules, quiet zones included.
    QSizeF modules() const { return m_size; }
    // Draws the symbol stretched to `target` (a 2D symbol wants a target of
    // its own proportions; a linear one may be given any height).
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    struct Text {
        QPointF at;  // baseline point, placed by `align`
        double size = 0;
        int align = 0;  // 0 centre, 1 left, 2 right
        QString text;
    };
    QString m_error;
    QSizeF m_size;
    QPainterPath m_dark;   // bars, cells, hexagons and rings
    QPainterPath m_light;  // shapes drawn in the background colour on top
    std::vector<Text> m_texts;
};
