#include "data/Cvyn8_rk47Doc.h"

#include "data/excel/ExcelDriver.h"

namespace {
constexpr int kInitialSeedSets = 50;
}

Cvyn8_rk47Doc::Cvyn8_rk47Doc() {
    for (QStringList* list :
         {&m_seedNames, &m_feedSpeeds, &m_gateVers, &m_gateHors, &m_sensitivities}) {
        list->reserve(kInitialSeedSets);
        for (int i = 0; i < kInitialSeedSets; ++i) {
            list->append(QString());
        }
    }
    m_strExcelDriver = FindExcelDriver(InstalledDrivers());
}

Cvyn8_rk47Doc::~Cvyn8_rk47Doc() = default;

cParam* Cvyn8_rk47Doc::AddRecord(const QString& id) {
    m_records.push_back(std::make_unique<cParam>(id));
    return m_records.back().get();
}

void Cvyn8_rk47Doc::DiscardRecords() {
    m_records.clear();
    ++m_nGeneration;
}

void Cvyn8_rk47Doc::EnsureSeedIndex(qsizetype k) {
    for (QStringList* list :
         {&m_seedNames, &m_feedSpeeds, &m_gateVers, &m_gateHors, &m_sensitivities}) {
        while (list->size() <= k) {
            list->append(QString());
        }
    }
}
