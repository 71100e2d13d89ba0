// The record, seed parameter and inventory readers on arbitrary files. The
// first byte picks the reader; the rest is the file as it lies on disk. What
// a reader makes of a file, written back with the matching writer and read
// again, must come back unchanged.

#include <array>
#include <memory>
#include <vector>

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/InventoryMap.h"
#include "data/RecordFile.h"
#include "data/SeedParaFile.h"

namespace {

using Fields = std::array<QString, 8>;

void Records(const QByteArray& disk) {
    std::vector<Fields> read;
    FUZZ_CHECK(ReadRecordFile(WriteFuzzFile("records.txt", disk), &read), "the file reads");
    FUZZ_CHECK(static_cast<qsizetype>(read.size()) <= (disk.count('\t') + disk.count('\n')) / 8,
               "a record takes eight ended fields");
    std::vector<std::unique_ptr<cParam>> records;
    for (const Fields& f : read) {
        records.push_back(std::make_unique<cParam>(f[0]));
        records.back()->SetFromRecordOrder(f);
    }
    const QString again = FuzzFolder() + "/again.txt";
    FUZZ_CHECK(WriteRecordFile(again, records, RecordFieldOrder::Record), "the records write");
    std::vector<Fields> reread;
    FUZZ_CHECK(ReadRecordFile(again, &reread), "the written file reads");
    FUZZ_CHECK(reread == read, "records written and read back are unchanged");
}

void SeedParameters(const QByteArray& disk) {
    Cvyn8_rk47Doc doc;
    const int sets = LoadSeedParaFile(WriteFuzzFile("SeedPara.txt", disk), doc);
    FUZZ_CHECK(sets <= (disk.count(' ') + disk.count('\n')) / 5, "a set takes five ended fields");
    const QString again = FuzzFolder() + "/again.txt";
    FUZZ_CHECK(SaveSeedParaFile(again, doc, sets), "the sets write");
    Cvyn8_rk47Doc reread;
    FUZZ_CHECK(LoadSeedParaFile(again, reread) == sets, "every set written reads back");
    for (int k = 0; k < sets; ++k) {
        FUZZ_CHECK(reread.m_seedNames[k] == doc.m_seedNames[k] &&
                       reread.m_feedSpeeds[k] == doc.m_feedSpeeds[k] &&
                       reread.m_sensitivities[k] == doc.m_sensitivities[k] &&
                       reread.m_gateVers[k] == doc.m_gateVers[k] &&
                       reread.m_gateHors[k] == doc.m_gateHors[k],
                   "a seed parameter set written and read back is unchanged");
    }
}

void Inventory(const QByteArray& disk) {
    InventoryMap map;
    FUZZ_CHECK(LoadInventoryFile(WriteFuzzFile("vyn8_inventory.txt", disk), map), "the file reads");
    for (const auto& [id, value] : map) {
        FUZZ_CHECK(!id.isEmpty() && !value.isEmpty(), "entries have an ID and a value");
    }
    const QString again = FuzzFolder() + "/again.txt";
    FUZZ_CHECK(SaveInventoryFile(again, map), "the inventory writes");
    InventoryMap reread;
    FUZZ_CHECK(LoadInventoryFile(again, reread), "the written file reads");
    FUZZ_CHECK(reread.GetCount() == map.GetCount(), "every entry written reads back");
    auto it = reread.begin();
    for (const auto& entry : map) {
        FUZZ_CHECK(*it++ == entry, "entries come back unchanged and in order");
    }
    FUZZ_CHECK(reread.WrongLines() == map.WrongLines(), "wrong lines are kept as they were");
    const QString third = FuzzFolder() + "/third.txt";
    FUZZ_CHECK(SaveInventoryFile(third, reread), "the inventory writes again");
    FUZZ_CHECK(ReadBytes(third) == ReadBytes(again), "what was read is written back byte for byte");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t which = in.Byte() % 3;
    const QByteArray disk = in.Rest();
    if (which == 0) {
        Records(disk);
    } else if (which == 1) {
        SeedParameters(disk);
    } else {
        Inventory(disk);
    }
    return 0;
}
