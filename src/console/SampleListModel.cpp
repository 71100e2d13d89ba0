#include "console/SampleListModel.h"

#include <algorithm>

namespace {
const char* const kTitles[SampleListModel::kColumns] = {
    "No", "I.D.(Variety)", "Seed", "PackNo", "Num/P", "Location", "Comment", "Inventory", "Sum"};
}

SampleListModel::SampleListModel(RowTable* rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows), m_plainText(Qt::black), m_plainBack(Qt::white) {
    m_rows->SetObserver(this);
}

SampleListModel::~SampleListModel() {
    m_rows->SetObserver(nullptr);
}

void SampleListModel::InsertColumns() {
    if (m_bColumns) {
        return;
    }
    beginInsertColumns({}, 0, kColumns - 1);
    m_bColumns = true;
    endInsertColumns();
}

int SampleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int SampleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_bColumns ? 0 : kColumns;
}

QColor SampleListModel::StateText(int state, const QColor& plain) {
    switch (state) {
        case Counted:
        case Selected:
            return QColor(255, 0, 0);
        case Current:
            return QColor(255, 255, 255);
        default:
            return plain;
    }
}

QColor SampleListModel::StateBack(int state, const QColor& plain) {
    switch (state) {
        case Counted:
            return QColor(0, 0, 0);
        case Selected:
            return QColor(128, 128, 255);
        case Current:
            return QColor(255, 0, 0);
        default:
            return plain;
    }
}

QVariant SampleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count() || index.column() >= kColumns) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return m_rows->Cell(index.row(), index.column());
        case Qt::ForegroundRole:
            return StateText(m_rows->State(index.row()), m_plainText);
        case Qt::BackgroundRole:
            return StateBack(m_rows->State(index.row()), m_plainBack);
        default:
            return {};
    }
}

QVariant SampleListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns) {
        return QString::fromLatin1(kTitles[section]);
    }
    return QAbstractTableModel::headerData(section, o, role);
}

void SampleListModel::BeforeInsert(int row) {
    beginInsertRows({}, row, row);
}

void SampleListModel::AfterInsert() {
    endInsertRows();
}

void SampleListModel::BeforeRemove(int row) {
    beginRemoveRows({}, row, row);
}

void SampleListModel::AfterRemove() {
    endRemoveRows();
}

void SampleListModel::BeforeClear() {
    beginResetModel();
}

void SampleListModel::AfterClear() {
    endResetModel();
}

void SampleListModel::CellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void SampleListModel::StateChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kColumns - 1),
                     {Qt::ForegroundRole, Qt::BackgroundRole});
}

void SampleListModel::SetPlainColours(const QColor& text, const QColor& back) {
    m_plainText = text;
    m_plainBack = back;
    if (Count() > 0 && m_bColumns) {
        emit dataChanged(index(0, 0), index(Count() - 1, kColumns - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
    }
}
