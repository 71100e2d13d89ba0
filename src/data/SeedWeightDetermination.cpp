#include "data/SeedWeightDetermination.h"

#include <algorithm>

#include "data/cParam.h"
#include "platform/NumText.h"

using seed_weight::kReplicates;

SeedWeightDetermination::SeedWeightDetermination(const QString& id, const QString& seed,
                                                 Method method, bool chaffy)
    : m_id(id), m_seed(seed), m_method(method), m_chaffy(chaffy) {
    m_slots.resize(method == Method::WholeSample ? 1 : kReplicates);
}

void SeedWeightDetermination::TakeCounts(const std::vector<const cParam*>& records) {
    std::vector<int> seeds;
    for (const cParam* r : records) {
        if (r->m_strIdBarcode != m_id) {
            continue;
        }
        const int perPacket = WToI(r->m_strNumPerPacket);
        if (m_method == Method::WholeSample) {
            seeds.assign(1, perPacket);  // the last count of the ID is the sample
            continue;
        }
        const bool early = r->m_strComment.compare("InComplete", Qt::CaseInsensitive) == 0;
        const int packets = early ? 1 : WToI(r->m_strPackNo);
        for (int p = 0; p < packets; ++p) {
            seeds.push_back(perPacket);
        }
    }
    if (seeds.size() > m_slots.size()) {
        m_slots.resize(seeds.size());
    }
    for (size_t i = 0; i < seeds.size(); ++i) {
        m_slots[i].seeds = seeds[i];
    }
}

void SeedWeightDetermination::SetSeeds(int index, int seeds) {
    if (index >= 0 && index < static_cast<int>(m_slots.size())) {
        m_slots[index].seeds = std::max(0, seeds);
    }
}

int SeedWeightDetermination::Uncounted() const {
    return static_cast<int>(
        std::count_if(m_slots.begin(), m_slots.end(), [](const Slot& s) { return s.seeds <= 0; }));
}

int SeedWeightDetermination::NextToWeigh() const {
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].seeds > 0 && !m_slots[i].grams) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString SeedWeightDetermination::SetWeight(int index, double grams) {
    if (index < 0 || index >= static_cast<int>(m_slots.size())) {
        return QStringLiteral("There is no replicate %1.").arg(index + 1);
    }
    if (m_slots[index].seeds <= 0) {
        return QStringLiteral("Replicate %1 has not been counted yet: count it first.")
            .arg(index + 1);
    }
    if (const QString why = seed_weight::WeightProblem(grams); !why.isEmpty()) {
        return why;
    }
    m_slots[index].grams = grams;
    return QString();
}

bool SeedWeightDetermination::AddEightMore() {
    if (m_method != Method::Replicates || !Figures().needMore ||
        static_cast<int>(m_slots.size()) >= 2 * kReplicates) {
        return false;
    }
    m_slots.resize(2 * kReplicates);
    return true;
}

std::vector<seed_weight::Replicate> SeedWeightDetermination::Weighed(
    std::vector<int>* slotOf) const {
    std::vector<seed_weight::Replicate> out;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].grams && m_slots[i].seeds > 0) {
            out.push_back({*m_slots[i].grams, m_slots[i].seeds});
            if (slotOf) {
                slotOf->push_back(static_cast<int>(i));
            }
        }
    }
    return out;
}

seed_weight::ReplicateFigures SeedWeightDetermination::Figures() const {
    return seed_weight::Figures(Weighed(), m_chaffy);
}

std::vector<int> SeedWeightDetermination::FarSlots() const {
    std::vector<int> slotOf;
    const auto replicates = Weighed(&slotOf);
    std::vector<int> out;
    for (int i : seed_weight::Figures(replicates, m_chaffy).far) {
        out.push_back(slotOf[i]);
    }
    return out;
}

bool SeedWeightDetermination::Complete() const {
    if (m_method == Method::WholeSample) {
        return !m_slots.empty() && m_slots[0].seeds > 0 && m_slots[0].grams.has_value();
    }
    // Every slot set up weighed, and the figures allow a result.
    return NextToWeigh() < 0 && Figures().complete &&
           static_cast<int>(Weighed().size()) == static_cast<int>(m_slots.size());
}

double SeedWeightDetermination::Result() const {
    if (!Complete()) {
        return 0;
    }
    if (m_method == Method::WholeSample) {
        return seed_weight::WholeSample(*m_slots[0].grams, m_slots[0].seeds);
    }
    return Figures().result;
}

QString SeedWeightDetermination::ResultText() const {
    return Complete() ? seed_weight::FormatResult(Result()) + " g" : QString();
}

QStringList SeedWeightDetermination::Notes() const {
    QStringList notes;
    if (m_method == Method::Replicates) {
        const auto f = Figures();
        if (f.needMore) {
            notes << QStringLiteral(
                         "CV %1 is over the limit %2: count and weigh eight more "
                         "replicates.")
                         .arg(f.cv, 0, 'f', 2)
                         .arg(f.limit, 0, 'f', 1);
        }
        const std::vector<int> far = FarSlots();
        if (!far.empty()) {
            QStringList numbers;
            for (int i : far) {
                numbers << QString::number(i + 1);
            }
            notes << (f.discarding
                          ? QStringLiteral("Discarded (further than 2 s from the mean): %1.")
                          : QStringLiteral("Far from the others (more than 2 s from "
                                           "the mean): %1."))
                         .arg(numbers.join(", "));
        }
    }
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const int seeds = m_slots[i].seeds;
        const int expected = m_method == Method::Replicates ? seed_weight::kSeedsPerReplicate : 0;
        if (expected && seeds > 0 && seeds != expected) {
            notes << QStringLiteral(
                         "Replicate %1 holds %2 seeds, as counted; its weight is "
                         "taken for %2.")
                         .arg(i + 1)
                         .arg(seeds);
        }
    }
    return notes;
}

SeedWeightRecord MakeRecord(const SeedWeightDetermination& d, const QDateTime& time,
                            const QString& operatorName, const QString& station,
                            const QString& balanceSerial) {
    SeedWeightRecord r;
    r.time = time;
    r.operatorName = operatorName;
    r.station = station;
    r.id = d.Id();
    r.seed = d.Seed();
    r.balanceSerial = balanceSerial;
    const bool whole = d.GetMethod() == SeedWeightDetermination::Method::WholeSample;
    r.method = whole ? "whole sample" : "replicates";
    r.chaffy = d.Chaffy();
    std::vector<int> slotOf;
    const auto weighed = d.Weighed(&slotOf);
    r.replicates = static_cast<int>(weighed.size());
    for (const auto& w : weighed) {
        r.weights << QString::number(w.grams, 'f', 4);
        r.seeds << QString::number(w.seeds);
    }
    r.result = seed_weight::FormatResult(d.Result());
    if (whole) {
        return r;
    }
    const auto f = d.Figures();
    if (f.discarding) {
        for (int i : f.far) {
            r.discarded << QString::number(slotOf[i] + 1);
        }
    }
    r.mean = QString::number(f.mean, 'f', 4);
    r.s = QString::number(f.s, 'f', 4);
    r.cv = QString::number(f.cv, 'f', 2);
    return r;
}
