#include "console/SampleListModel.h"

#include <algorithm>

namespace {
const char* const kTitles[SampleListModel::kColumns] = {
    "No", "I.D.(Variety)", "Seed", "PackNo", "Num/P", "Location", "Comment", "Inventory", "Sum"};
}

SampleListModel::SampleListModel(QObject* parent)
    : QAbstractTableModel(parent), m_plainText(Qt::black), m_plainBack(Qt::white) {}

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
    const Row& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return row.cells[static_cast<size_t>(index.column())];
        case Qt::ForegroundRole:
            return StateText(row.state, m_plainText);
        case Qt::BackgroundRole:
            return StateBack(row.state, m_plainBack);
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

void SampleListModel::InsertRow(int row) {
    row = std::clamp(row, 0, Count());
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, Row{});
    endInsertRows();
}

void SampleListModel::DeleteRow(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void SampleListModel::DeleteAll() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QString SampleListModel::Cell(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column >= kColumns) {
        return QString();
    }
    return m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}

void SampleListModel::SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= Count() || column < 0 || column >= kColumns) {
        return;
    }
    m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)] = text;
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

int SampleListModel::State(int row) const {
    if (row < 0 || row >= Count()) {
        return Plain;
    }
    return m_rows[static_cast<size_t>(row)].state;
}

void SampleListModel::SetState(int row, int state) {
    if (row < 0 || row >= Count() || m_rows[static_cast<size_t>(row)].state == state) {
        return;
    }
    m_rows[static_cast<size_t>(row)].state = state;
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
