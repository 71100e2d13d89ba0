#include "data/InventoryMap.h"

void InventoryMap::Reserve(qsizetype n) {
    m_entries.reserve(static_cast<size_t>(n));
    m_index.reserve(n);
}

QString& InventoryMap::operator[](const QString& id) {
    auto it = m_index.constFind(id);
    if (it != m_index.constEnd()) {
        return m_entries[static_cast<size_t>(*it)].second;
    }
    m_index.insert(id, GetCount());
    m_entries.emplace_back(id, QString());
    return m_entries.back().second;
}

bool InventoryMap::Lookup(const QString& id, QString* value) const {
    auto it = m_index.constFind(id);
    if (it == m_index.constEnd()) {
        return false;
    }
    if (value) {
        *value = m_entries[static_cast<size_t>(*it)].second;
    }
    return true;
}

void InventoryMap::RemoveAll() {
    m_entries.clear();
    m_index.clear();
    m_wrongLines.clear();
}
