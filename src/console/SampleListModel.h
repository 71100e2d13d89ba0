#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include "session/RowTable.h"

// The sample list on screen: a read-only view of the count session's rows,
// coloured by their states.
class SampleListModel : public QAbstractTableModel, private RowTable::Observer {
    Q_OBJECT
public:
    static constexpr int kColumns = RowTable::kColumns;
    using Column = RowTable::Column;
    static constexpr Column No = RowTable::No, Id = RowTable::Id, Seed = RowTable::Seed,
                            PackNo = RowTable::PackNo, NumP = RowTable::NumP,
                            Location = RowTable::Location, Comment = RowTable::Comment,
                            Inventory = RowTable::Inventory, Sum = RowTable::Sum;
    using RowState = RowTable::RowState;
    static constexpr RowState Plain = RowTable::Plain, Counted = RowTable::Counted,
                              Selected = RowTable::Selected, Current = RowTable::Current;

    SampleListModel(RowTable* rows, QObject* parent = nullptr);
    ~SampleListModel() override;

    // Column titles are shown only once the console has inserted them.
    void InsertColumns();
    bool HasColumns() const { return m_bColumns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    QString Cell(int row, int column) const { return m_rows->Cell(row, column); }
    int State(int row) const { return m_rows->State(row); }
    int Count() const { return m_rows->Count(); }

    // Plain colours, taken from the list at start-up.
    void SetPlainColours(const QColor& text, const QColor& back);
    QColor PlainText() const { return m_plainText; }
    QColor PlainBack() const { return m_plainBack; }
    static QColor StateText(int state, const QColor& plain);
    static QColor StateBack(int state, const QColor& plain);

private:
    void BeforeInsert(int row) override;
    void AfterInsert() override;
    void BeforeRemove(int row) override;
    void AfterRemove() override;
    void BeforeClear() override;
    void AfterClear() override;
    void CellChanged(int row, int column) override;
    void StateChanged(int row) override;

    RowTable* m_rows;
    bool m_bColumns = false;
    QColor m_plainText;
    QColor m_plainBack;
};
