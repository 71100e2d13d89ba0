#pragma once

#include <QString>
#include <array>
#include <vector>

// The rows of the sample list: nine texts each, and the row's state. The
// count session changes it; the list on screen shows it through an observer.
// Row states: 0 plain, 1 counted, 2 selected by a scanned ID, 3 being counted.
class RowTable {
public:
    static constexpr int kColumns = 9;
    enum Column { No, Id, Seed, PackNo, NumP, Location, Comment, Inventory, Sum };
    enum RowState { Plain = 0, Counted = 1, Selected = 2, Current = 3 };

    // Told of every change; the Before calls come before the rows move.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void BeforeInsert(int row) = 0;
        virtual void AfterInsert() = 0;
        virtual void BeforeRemove(int row) = 0;
        virtual void AfterRemove() = 0;
        virtual void BeforeClear() = 0;
        virtual void AfterClear() = 0;
        virtual void CellChanged(int row, int column) = 0;
        virtual void StateChanged(int row) = 0;
    };
    void SetObserver(Observer* observer) { m_observer = observer; }

    int Count() const { return static_cast<int>(m_rows.size()); }
    QString Cell(int row, int column) const;
    int State(int row) const;

    // Appends an empty plain row whose "No" is its place from 1; returns it.
    int Append();
    void Remove(int row);
    void Clear();
    void SetCell(int row, int column, const QString& text);
    void SetState(int row, int state);

private:
    struct Row {
        std::array<QString, kColumns> cells;
        int state = Plain;
    };
    bool Valid(int row) const { return row >= 0 && row < Count(); }

    std::vector<Row> m_rows;
    Observer* m_observer = nullptr;
};
