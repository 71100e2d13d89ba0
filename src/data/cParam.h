#pragma once

#include <QString>
#include <array>

// One sample record: eight texts. Numbers are held as the decimal digits the
// console shows.
class cParam {
public:
    explicit cParam(const QString& id) : m_strIdBarcode(id) {}
    virtual ~cParam() = default;

    QString m_strIdBarcode;
    QString m_strSeed;
    QString m_strInventory;
    QString m_strNumPerPacket;
    QString m_strPackNo;
    QString m_strLocation;
    QString m_strComment;
    QString m_strTotalQuantity;

    // The record order shared by the record file, the workbook, the record
    // dialogs and the printout: ID, Seed, PackNo, Number/P, Inventory,
    // Total Quantity, Location, Comment.
    std::array<QString, 8> RecordOrder() const {
        return {m_strIdBarcode, m_strSeed,          m_strPackNo,   m_strNumPerPacket,
                m_strInventory, m_strTotalQuantity, m_strLocation, m_strComment};
    }
    // The order of VYN8_Default.txt: ID, Seed, PackNo, Number/P, Location,
    // Comment, Inventory, Total Quantity.
    std::array<QString, 8> ShutdownOrder() const {
        return {m_strIdBarcode, m_strSeed,    m_strPackNo,    m_strNumPerPacket,
                m_strLocation,  m_strComment, m_strInventory, m_strTotalQuantity};
    }
    // Fills fields 2 to 8 of the record order (field 1 is the ID).
    void SetFromRecordOrder(const std::array<QString, 8>& f) {
        m_strSeed = f[1];
        m_strPackNo = f[2];
        m_strNumPerPacket = f[3];
        m_strInventory = f[4];
        m_strTotalQuantity = f[5];
        m_strLocation = f[6];
        m_strComment = f[7];
    }
};
