#include "data/SeedWeightReport.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "data/SeedWeightFile.h"

namespace {

// The field of `fields` under the column `name`.
QString Field(const QStringList& fields, const QString& name) {
    return fields.value(SeedWeightColumns().indexOf(name));
}

}  // namespace

bool PaintSeedWeightReport(QPagedPaintDevice& device, const QStringList& fields) {
    QPainter p;
    if (!p.begin(&device)) {
        return false;
    }
    const QRect page = p.viewport();
    const int margin = page.width() / 12;
    QFont font("Sans Serif");
    font.setPointSize(10);
    p.setFont(font);
    const int line = QFontMetrics(font, &device).height() * 3 / 2;
    int y = margin;
    const auto text = [&](int x, const QString& s) { p.drawText(QPoint(x, y), s); };

    QFont title = font;
    title.setPointSize(16);
    title.setBold(true);
    p.setFont(title);
    text(margin, "Thousand-seed weight");
    y += line * 2;
    p.setFont(font);

    const QStringList head = {
        "I.D.(Variety): " + Field(fields, "Id_barcode"),
        "Seed: " + Field(fields, "Seed"),
        "Method: " + Field(fields, "Method") +
            (Field(fields, "Chaffy") == "yes" ? ", chaffy seed" : ", other seed"),
        "Time: " + Field(fields, "Time"),
        "Operator: " + Field(fields, "Operator") + "    Station: " + Field(fields, "Station"),
        "Balance serial number: " + Field(fields, "Balance_serial")};
    for (const QString& h : head) {
        text(margin, h);
        y += line;
    }
    y += line;

    // The replicate table.
    const QStringList weights = Field(fields, "Weights_g").split(';', Qt::SkipEmptyParts);
    const QStringList seeds = Field(fields, "Seeds").split(';', Qt::SkipEmptyParts);
    const QStringList discarded = Field(fields, "Discarded").split(';', Qt::SkipEmptyParts);
    const int col[] = {margin, margin + page.width() / 6, margin + page.width() / 3,
                       margin + page.width() / 2};
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    text(col[0], "Replicate");
    text(col[1], "Seeds");
    text(col[2], "Weight (g)");
    text(col[3], "");
    p.setFont(font);
    y += line / 4;
    p.drawLine(margin, y, page.width() - margin, y);
    y += line;
    for (int i = 0; i < weights.size(); ++i) {
        text(col[0], QString::number(i + 1));
        text(col[1], seeds.value(i));
        text(col[2], weights[i]);
        if (discarded.contains(QString::number(i + 1))) {
            text(col[3], "discarded (beyond 2 s)");
        } else if (seeds.value(i) != "100" && Field(fields, "Method") == "replicates") {
            text(col[3], "counted short");
        }
        y += line;
    }
    p.drawLine(margin, y - line / 2, page.width() - margin, y - line / 2);
    y += line / 2;

    if (!Field(fields, "Mean_g").isEmpty()) {
        text(margin, QString("Mean of 100 seeds %1 g    s %2 g    CV %3")
                         .arg(Field(fields, "Mean_g"), Field(fields, "S_g"), Field(fields, "CV")));
        y += line * 2;
    }
    p.setFont(title);
    text(margin, "Thousand-seed weight: " + Field(fields, "TSW_g") + " g");
    return p.end();
}
