#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

#include "ledger/Ledger.h"
#include "ledger/SqliteLedgerStore.h"

// A ledger in a folder of its own, and a second connection to its file that
// works beside the console as another program would.
class LedgerFixture : public ::testing::Test {
protected:
    QString Folder() const { return m_dir.path(); }
    QString File() const { return QDir(m_dir.path()).filePath(kLedgerFileName); }

    static LedgerIdentity Identity(const QString& station = "lab-a") {
        return {station, "ana", "20261208T060000Z"};
    }

    static InventoryMap Inventory(std::initializer_list<std::pair<const char*, const char*>> rows) {
        InventoryMap map;
        for (const auto& [id, value] : rows) {
            map.Set(id, value);
        }
        return map;
    }

    // A ledger whose store waits `busyMs` for a writer before giving up.
    std::unique_ptr<Ledger> MakeLedger(int busyMs = 5000, const QString& station = "lab-a") {
        const QString path = File();
        return std::make_unique<Ledger>(
            [path, busyMs](LedgerProblem* p) -> std::unique_ptr<LedgerStore> {
                return SqliteLedgerStore::Open(path, p, busyMs);
            },
            Identity(station));
    }

    // Runs `sql` on the file through a connection of its own.
    QSqlQuery Other(const QString& sql) {
        if (!QSqlDatabase::contains("other")) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
            db.setDatabaseName(File());
            EXPECT_TRUE(db.open());
        }
        QSqlQuery q(QSqlDatabase::database("other"));
        q.exec(sql);
        return q;
    }

    void TearDown() override {
        if (QSqlDatabase::contains("other")) {
            QSqlDatabase::database("other").close();
            QSqlDatabase::removeDatabase("other");
        }
    }

    QTemporaryDir m_dir;
};
