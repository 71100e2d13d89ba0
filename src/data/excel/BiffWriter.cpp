#include "data/excel/BiffWriter.h"

#include <QHash>

#include "data/excel/BiffRecords.h"
#include "data/excel/BiffSst.h"
#include "data/excel/BiffStream.h"

using namespace biff;

namespace {

constexpr unsigned kCellXf = 15;  // the first cell XF, after the 15 style XFs

QByteArray U16(unsigned v) {
    QByteArray b;
    PutU16(b, v);
    return b;
}

void PutBof(QByteArray& s, unsigned kind) {
    QByteArray d;
    PutU16(d, kBiff8);
    PutU16(d, kind);
    PutU16(d, 0x0DBB);  // build
    PutU16(d, 0x07CC);  // year
    PutU32(d, 0);       // file history
    PutU32(d, 0x0006);  // lowest version that can read it
    PutRecord(s, kBof, d);
}

void PutWindow1(QByteArray& s) {
    QByteArray d;
    for (unsigned v : {0x0168u, 0x001Eu, 0x3A5Cu, 0x2328u, 0x0038u, 0u, 0u, 1u, 0x0258u}) {
        PutU16(d, v);  // position, size, flags, active tab, first tab, tabs selected, ratio
    }
    PutRecord(s, kWindow1, d);
}

void PutFont(QByteArray& s, bool bold) {
    QByteArray d;
    PutU16(d, 200);  // 10 points, in twips
    PutU16(d, 0);    // no italic or strike-out
    PutU16(d, 0x7FFF);
    PutU16(d, bold ? 700 : 400);
    PutU16(d, 0);  // no super/subscript
    PutU8(d, 0);   // no underline
    PutU8(d, 0);   // family
    PutU8(d, 0);   // character set
    PutU8(d, 0);
    PutShortString(d, QStringLiteral("Arial"));
    PutRecord(s, kFont, d);
}

void PutXf(QByteArray& s, unsigned font, bool style, unsigned usedAttributes) {
    QByteArray d;
    PutU16(d, font);
    PutU16(d, 0);                        // General number format
    PutU16(d, style ? 0xFFF5 : 0x0001);  // locked; style XFs have no parent
    PutU8(d, 0x20);                      // general, bottom aligned
    PutU8(d, 0);                         // no rotation
    PutU8(d, 0);                         // no indent
    PutU8(d, usedAttributes);
    PutU32(d, 0);       // no borders
    PutU32(d, 0);       // no fill
    PutU16(d, 0x20C0);  // automatic pattern colours
    PutRecord(s, kXf, d);
}

void PutFormatting(QByteArray& s) {
    for (int i = 0; i < 4; ++i) {
        PutFont(s, i == 1);
    }
    PutXf(s, 0, true, 0);
    for (unsigned i = 1; i < kCellXf; ++i) {
        PutXf(s, i <= 2 ? 1 : (i <= 4 ? 2 : 0), true, 0xF4);
    }
    PutXf(s, 0, false, 0);
    QByteArray normal;
    PutU16(normal, 0x8000);  // built-in style on XF 0
    PutU8(normal, 0);        // "Normal"
    PutU8(normal, 0xFF);
    PutRecord(s, kStyle, normal);
}

// The globals up to the sheet list; returns where each sheet's offset goes.
std::vector<qsizetype> PutGlobals(QByteArray& s, const std::vector<SheetData>& sheets) {
    PutBof(s, kBofGlobals);
    PutRecord(s, kCodePage, U16(1200));
    QByteArray tabs;
    for (size_t i = 0; i < sheets.size(); ++i) {
        PutU16(tabs, static_cast<unsigned>(i + 1));
    }
    PutRecord(s, kTabId, tabs);
    for (unsigned type : {kWindowProtect, kProtect, kPassword, kBackup, kHideObj}) {
        PutRecord(s, type, U16(0));
    }
    PutWindow1(s);
    PutRecord(s, kDateMode, U16(0));
    PutRecord(s, kPrecision, U16(1));
    PutRecord(s, kBookBool, U16(0));
    PutFormatting(s);
    std::vector<qsizetype> offsetFields;
    for (const SheetData& sheet : sheets) {
        QByteArray d;
        PutU32(d, 0);  // patched once the sheet's place is known
        PutU16(d, 0);  // visible worksheet
        PutShortString(d, sheet.name);
        offsetFields.push_back(s.size() + 4);
        PutRecord(s, kBoundSheet, d);
    }
    return offsetFields;
}

void PutSheet(QByteArray& s, const SheetData& sheet, const QHash<QString, quint32>& index,
              bool first) {
    PutBof(s, kBofSheet);
    qsizetype columns = 0;
    for (const QStringList& row : sheet.rows) {
        columns = std::max(columns, row.size());
    }
    QByteArray dim;
    PutU32(dim, 0);
    PutU32(dim, static_cast<std::uint32_t>(sheet.rows.size()));
    PutU16(dim, 0);
    PutU16(dim, static_cast<unsigned>(columns));
    PutU16(dim, 0);
    PutRecord(s, kDimensions, dim);
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const QStringList& row = sheet.rows[r];
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (row[c].isEmpty()) {
                continue;
            }
            QByteArray d;
            PutU16(d, static_cast<unsigned>(r));
            PutU16(d, static_cast<unsigned>(c));
            PutU16(d, kCellXf);
            PutU32(d, index.value(row[c]));
            PutRecord(s, kLabelSst, d);
        }
    }
    QByteArray w2;
    PutU16(w2, first ? 0x06B6 : 0x00B6);  // grid, headers, zeros; the first is selected
    PutU16(w2, 0);
    PutU16(w2, 0);
    PutU32(w2, 0x40);  // automatic grid colour
    PutU16(w2, 0);
    PutU16(w2, 0);
    PutU32(w2, 0);
    PutRecord(s, kWindow2, w2);
    PutRecord(s, kEof, {});
}

}  // namespace

QByteArray BuildWorkbookStream(const std::vector<SheetData>& sheets) {
    QStringList strings;
    QHash<QString, quint32> index;
    quint32 total = 0;
    for (const SheetData& sheet : sheets) {
        for (const QStringList& row : sheet.rows) {
            for (const QString& text : row) {
                if (text.isEmpty()) {
                    continue;
                }
                ++total;
                if (!index.contains(text)) {
                    index.insert(text, static_cast<quint32>(strings.size()));
                    strings << text;
                }
            }
        }
    }
    QByteArray s;
    const std::vector<qsizetype> offsetFields = PutGlobals(s, sheets);
    PutSharedStrings(s, strings, total);
    PutRecord(s, kEof, {});
    for (size_t i = 0; i < sheets.size(); ++i) {
        SetU32(s, offsetFields[i], static_cast<std::uint32_t>(s.size()));
        PutSheet(s, sheets[i], index, i == 0);
    }
    return s;
}
