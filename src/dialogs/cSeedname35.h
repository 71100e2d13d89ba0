#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "platform/DialogBase.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class Cvyn8_rk47Doc;

// Edit Seed: shows one seed parameter set at a time, selected by name, and
// lets the operator change its four values, add a set and remove one. Works
// on copies of the document's five seed lists and writes them back on OK.
// The working lists grow as needed, so any number of sets can be edited.
class cSeedname35 : public CDialogBase {
    Q_OBJECT
public:
    enum {
        IDC_SEED_NAME = 1038,
        IDC_SEED_FEEDSPEED = 1039,
        IDC_SEED_GATEHOR = 1040,
        IDC_SEED_GATEVER = 1041,
        IDC_SEED_SENSITIVITY = 1042,
        IDC_SEED_ADD = 1043,
        IDC_SEED_REMOVE = 1044,
    };
    // The document's seed lists are re-made with this many entries after a
    // removal.
    static constexpr int kRemadeListSize = 20;

    explicit cSeedname35(QWidget* parent = nullptr);

    Cvyn8_rk47Doc* m_pDoc = nullptr;
    QString m_strSeedName;
    QString m_strFeedSpeed;
    QString m_strGateVer;
    QString m_strGateHor;
    QString m_strSensitivity;
    int m_nChange = 0;  // 0 nothing added or removed, 1 Add pressed last, 2 Remove
    int m_nCount = 0;
    int m_nIndex = 0;
    QStringList m_arrNames;
    QStringList m_arrFeedSpeed;
    QStringList m_arrGateVer;
    QStringList m_arrGateHor;
    QStringList m_arrSensitivity;
    QComboBox* m_comboSeed = nullptr;

    void OnBnClickedOk();
    void OnBnClickedRemove();
    void OnCbnSelchangeSeedName();
    void OnBnClickedAdd();

protected:
    bool OnInitDialog() override;

private:
    std::array<QStringList*, 5> WorkingLists();
    // Shows the four values of set `index` in the edits.
    void ShowValues(int index);
    // m_nIndex stays the shown set while the combo box shows its name;
    // otherwise it becomes the first set of the name in the box.
    void FindIndexByName();
    // Reads the four edits without their spaces; false (after telling the
    // operator) when one of them cannot be stored.
    bool ReadValues();
    void CopyToDocument(bool remake);

    QLineEdit* m_editFeedSpeed = nullptr;
    QLineEdit* m_editGateHor = nullptr;
    QLineEdit* m_editGateVer = nullptr;
    QLineEdit* m_editSensitivity = nullptr;
};
