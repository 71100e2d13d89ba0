#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "data/SeedWeight.h"

class cParam;

// One thousand-seed weight determination for a sample ID, as the Seed Weight
// dialog fills it: the method, whether the seed is chaffy, the replicates
// (or the one whole sample) with the seeds the counter counted into each and
// the weight read or typed for each. The figures and the result follow from
// it; nothing here touches the records or the inventory.
class SeedWeightDetermination {
public:
    enum class Method { WholeSample, Replicates };

    struct Slot {
        int seeds = 0;  // 0: not counted yet
        std::optional<double> grams;
    };

    SeedWeightDetermination() = default;
    SeedWeightDetermination(const QString& id, const QString& seed, Method method, bool chaffy);

    const QString& Id() const { return m_id; }
    const QString& Seed() const { return m_seed; }
    Method GetMethod() const { return m_method; }
    bool Chaffy() const { return m_chaffy; }
    void SetChaffy(bool chaffy) { m_chaffy = chaffy; }
    const std::vector<Slot>& Slots() const { return m_slots; }

    // The seeds counted for this ID in `records` (those made since the
    // determination was set up): a Batch Count record of p packets of n
    // seeds gives p replicates of n, a packet closed early ("InComplete")
    // one replicate of the seeds the counter reported; a Totalize Count
    // record gives the whole sample. Weights already given are kept.
    void TakeCounts(const std::vector<const cParam*>& records);
    // Sets the seeds of a slot by hand (no counter): the whole sample's
    // number, say.
    void SetSeeds(int index, int seeds);

    // Slots the counter has not counted into yet.
    int Uncounted() const;
    // The first slot that is counted and has no weight yet; -1 when none.
    int NextToWeigh() const;
    // Gives slot `index` its weight (again, when it had one). The reason
    // when it cannot be taken (no such slot, not counted, weight not
    // positive); empty when taken.
    QString SetWeight(int index, double grams);

    // The eight further replicates the rules ask for when the CV is over its
    // limit; false when they are not asked for.
    bool AddEightMore();

    // The replicates weighed so far, in slot order, with their slot index.
    std::vector<seed_weight::Replicate> Weighed(std::vector<int>* slotOf = nullptr) const;
    seed_weight::ReplicateFigures Figures() const;
    // Slots further than 2 s from the mean: discarded (from sixteen on) or
    // flagged (before).
    std::vector<int> FarSlots() const;
    bool Complete() const;
    // The thousand-seed weight in grams (0 until there is one) and as given.
    double Result() const;
    QString ResultText() const;
    // What the operator should know of the result (short counts, far
    // weights, eight more to weigh); empty when nothing.
    QStringList Notes() const;

private:
    QString m_id;
    QString m_seed;
    Method m_method = Method::Replicates;
    bool m_chaffy = false;
    std::vector<Slot> m_slots;
};

// A determination as it is kept: one line of vyn8_seed_weights.txt.
struct SeedWeightRecord {
    QDateTime time;
    QString operatorName;
    QString station;
    QString id;
    QString seed;
    QString method;  // "whole sample" or "replicates"
    bool chaffy = false;
    int replicates = 0;
    QStringList weights;    // grams as read, in order
    QStringList seeds;      // the seeds counted into each
    QStringList discarded;  // 1-based replicate numbers
    QString mean, s, cv;
    QString result;
    QString balanceSerial;
};

SeedWeightRecord MakeRecord(const SeedWeightDetermination& d, const QDateTime& time,
                            const QString& operatorName, const QString& station,
                            const QString& balanceSerial);
