#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <array>
#include <vector>

// The console's sample list: rows of nine texts, each row with its state.
// Row states: 0 plain, 1 counted, 2 selected by a scanned ID, 3 being counted.
class SampleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 9;
    enum Column { No, Id, Seed, PackNo, NumP, Location, Comment, Inventory, Sum };
    enum RowState { Plain = 0, Counted = 1, Selected = 2, Current = 3 };

    explicit SampleListModel(QObject* parent = nullptr);

    // Column titles are shown only once the console has inserted them.
    void InsertColumns();
    bool HasColumns() const { return m_bColumns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // Inserts an empty row (state 0) at `row` (normally the end).
    void InsertRow(int row);
    void DeleteRow(int row);
    void DeleteAll();
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    int State(int row) const;
    void SetState(int row, int state);
    int Count() const { return static_cast<int>(m_rows.size()); }

    // Plain colours, taken from the list at start-up.
    void SetPlainColours(const QColor& text, const QColor& back);
    QColor PlainText() const { return m_plainText; }
    QColor PlainBack() const { return m_plainBack; }
    static QColor StateText(int state, const QColor& plain);
    static QColor StateBack(int state, const QColor& plain);

private:
    struct Row {
        std::array<QString, kColumns> cells;
        int state = Plain;
    };
    std::vector<Row> m_rows;
    bool m_bColumns = false;
    QColor m_plainText;
    QColor m_plainBack;
};
