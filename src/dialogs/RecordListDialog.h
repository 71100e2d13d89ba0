#pragma once

#include <QString>
#include <QStringList>

#include "platform/DialogBase.h"

class QPushButton;
class QTableWidget;
class Cvyn8_rk47Doc;

// A read-only table of the document's records with a Print button and a
// closing button. Sample Record and View/Edit differ only in the words below.
class RecordListDialog : public CDialogBase {
    Q_OBJECT
public:
    struct Look {
        QString caption;
        int listId;
        int printId;
        QString closeText;
        QStringList columnTitles;  // nine
        int firstRowNumber;        // the "No" of the first record
        QString printBarcodeTitle;
        QSize size;
    };

    explicit RecordListDialog(const Look& look, QWidget* parent = nullptr);

    Cvyn8_rk47Doc* m_pDoc = nullptr;
    QTableWidget* m_listRecords = nullptr;

    // Rebuilds the list from the document's records.
    void FillRecordList();
    void OnPrint();

protected:
    bool OnInitDialog() override;
    // Enter with the focus on the list closes the dialog with IDOK: there is
    // no default button to take it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Look m_look;
    QPushButton* m_btnClose = nullptr;
};
