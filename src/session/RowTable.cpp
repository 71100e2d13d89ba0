#include "session/RowTable.h"

QString RowTable::Cell(int row, int column) const {
    if (!Valid(row) || column < 0 || column >= kColumns) {
        return QString();
    }
    return m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}

int RowTable::State(int row) const {
    return Valid(row) ? m_rows[static_cast<size_t>(row)].state : Plain;
}

int RowTable::Append() {
    const int row = Count();
    if (m_observer) {
        m_observer->BeforeInsert(row);
    }
    m_rows.push_back(Row{});
    m_rows.back().cells[No] = QString::number(row + 1);
    if (m_observer) {
        m_observer->AfterInsert();
    }
    return row;
}

void RowTable::Remove(int row) {
    if (!Valid(row)) {
        return;
    }
    if (m_observer) {
        m_observer->BeforeRemove(row);
    }
    m_rows.erase(m_rows.begin() + row);
    if (m_observer) {
        m_observer->AfterRemove();
    }
}

void RowTable::Clear() {
    if (m_observer) {
        m_observer->BeforeClear();
    }
    m_rows.clear();
    if (m_observer) {
        m_observer->AfterClear();
    }
}

void RowTable::SetCell(int row, int column, const QString& text) {
    if (!Valid(row) || column < 0 || column >= kColumns) {
        return;
    }
    m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)] = text;
    if (m_observer) {
        m_observer->CellChanged(row, column);
    }
}

void RowTable::SetState(int row, int state) {
    if (!Valid(row) || m_rows[static_cast<size_t>(row)].state == state) {
        return;
    }
    m_rows[static_cast<size_t>(row)].state = state;
    if (m_observer) {
        m_observer->StateChanged(row);
    }
}
