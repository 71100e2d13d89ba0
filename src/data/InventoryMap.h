#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

// Inventory text per sample ID. Keys compare case-sensitively; setting an ID
// that is present replaces its value. Iteration follows the order in which the
// IDs were first inserted, so the inventory file and the Check Inventory list
// keep a stable order from run to run.
class InventoryMap {
public:
    using Entry = std::pair<QString, QString>;

    void Reserve(qsizetype n);
    // The value for `id`, inserting an empty one when absent.
    QString& operator[](const QString& id);
    void Set(const QString& id, const QString& value) { (*this)[id] = value; }
    bool Lookup(const QString& id, QString* value = nullptr) const;
    qsizetype GetCount() const { return static_cast<qsizetype>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    void RemoveAll();

    // Lines of the inventory file that hold no entry, as they were, so that
    // writing the file back keeps them (see InventoryFile.h).
    void KeepWrongLine(const QByteArray& line) { m_wrongLines << line; }
    const QList<QByteArray>& WrongLines() const { return m_wrongLines; }

    std::vector<Entry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_entries.end(); }

private:
    std::vector<Entry> m_entries;
    QHash<QString, qsizetype> m_index;
    QList<QByteArray> m_wrongLines;
};
