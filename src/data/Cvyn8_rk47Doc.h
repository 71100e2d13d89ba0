#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "data/InventoryMap.h"
#include "data/RecordSaveResult.h"
#include "data/cParam.h"

constexpr int RECORDS_OPENED = 350;
constexpr int RECORDS_NOT_OPENED = 351;
constexpr int RECORDS_SAVED = 352;
constexpr int RECORDS_UNSAVED = 353;

// The console's store for everything that outlives one row of the sample
// list: the records, the inventory per ID and the seed parameter sets.
// Used on the user-interface thread only.
class Cvyn8_rk47Doc {
public:
    Cvyn8_rk47Doc();
    ~Cvyn8_rk47Doc();
    Cvyn8_rk47Doc(const Cvyn8_rk47Doc&) = delete;
    Cvyn8_rk47Doc& operator=(const Cvyn8_rk47Doc&) = delete;

    QString m_strExt[3] = {"txt", "xls", "csv"};
    QString m_strExcelDriver;
    int m_nOpenState = RECORDS_NOT_OPENED;
    int m_nSaveState = RECORDS_UNSAVED;
    std::vector<std::unique_ptr<cParam>> m_records;
    InventoryMap m_inventory;
    QStringList m_seedNames;
    QStringList m_feedSpeeds;
    QStringList m_gateVers;
    QStringList m_gateHors;
    QStringList m_sensitivities;
    // Lines of SeedPara.txt that are not seed sets, as read; written back
    // after the sets so that a rewrite loses none of them.
    QList<QByteArray> m_wrongSeedLines;

    // Record operations.
    cParam* AddRecord(const QString& id);
    // Deletes every record. Callers also clear the view's current-record
    // pointer; OnRecordsDiscarded is told so it can.
    void DiscardRecords();
    qsizetype RecordCount() const { return static_cast<qsizetype>(m_records.size()); }
    // Records counted in this run and not yet saved: they exist nowhere else
    // but VYN8_Default.txt. Records read from a file are not unsaved work.
    bool HoldsUnsavedWork() const {
        return RecordCount() > 0 && m_nSaveState == RECORDS_UNSAVED &&
               m_nOpenState == RECORDS_NOT_OPENED;
    }
    // Grows the five seed lists so that index `k` exists.
    void EnsureSeedIndex(qsizetype k);

    // Called after the records were discarded (the view clears its pointer).
    std::function<void()> OnRecordsDiscarded;
    // Called after a record was added or changed the inventory, so unsaved
    // work can be kept safe on disk.
    std::function<void()> OnRecordsChanged;

    // Record files. Saves the records under `path` as its extension says
    // (text, Excel 2003, .xlsx or CSV); the records count as saved only when
    // the whole file was written.
    RecordSaveResult SaveRecordsAs(const QString& path);
    // The records read from a file replace the run's (discarded first); they
    // count as opened, not as unsaved work.
    void TakeOpenedRecords(const std::vector<std::array<QString, 8>>& read);

    // Workbooks: the records into a new workbook, written whole or not at
    // all, and the INSERT statement of one record.
    RecordSaveResult ExportToExcel(const QString& path, const QString& driver);
    void FormatInsert(int index, const QString& table, QString& out) const;
};
