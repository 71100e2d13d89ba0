#pragma once

#include <QString>
#include <QStringList>

#include "platform/DialogBase.h"

class QGridLayout;
class QLineEdit;

// Add Seed Form: collects a new seed parameter set for the seed editor.
// Numeric fields warn about non-digits and values above 65535 as they change;
// OK refuses a name or value that SeedPara.txt could not hold, and a name
// that is already in the list.
class SeedAdd35 : public CDialogBase {
    Q_OBJECT
public:
    enum {
        IDC_ADD_FEEDSPEED = 1030,
        IDC_ADD_GATEHOR = 1031,
        IDC_ADD_GATEVER = 1032,
        IDC_ADD_SENSITIVITY = 1033,
        IDC_ADD_SEEDNAME = 1034,
    };

    explicit SeedAdd35(QWidget* parent = nullptr);

    QString m_strSeedName;
    QString m_strFeedSpeed;
    QString m_strGateHor;
    QString m_strGateVer;
    QString m_strSensitivity;
    // Names already in the editor's list: OK refuses them.
    QStringList m_existingNames;

    void OnBnClickedOk();

private:
    QLineEdit* AddField(QGridLayout* grid, int id, const QString& label, const QString& hint,
                        int row);
    // The first field OK must refuse, with its message; null when none.
    QLineEdit* RefusedField(QString* message) const;

    QLineEdit* m_editName = nullptr;
    QLineEdit* m_editFeedSpeed = nullptr;
    QLineEdit* m_editGateHor = nullptr;
    QLineEdit* m_editGateVer = nullptr;
    QLineEdit* m_editSensitivity = nullptr;
};
