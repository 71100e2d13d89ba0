// Edit Seed Para: the seed editor, then the console's seed controls and
// SeedPara.txt brought up to date.

#include <QComboBox>
#include <QLineEdit>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/SeedParaFile.h"
#include "dialogs/cSeedname35.h"
#include "platform/Prompter.h"

namespace {
constexpr int kSeedEditLimit = 3;
}

void Cvyn8_rk47View::OnEditSeedPara() {
    cSeedname35 dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_nCount = m_nSeedSetCount;
    dlg.m_nIndex = m_session->SeedIndex();
    if (dlg.DoModal() != IDOK) {
        return;
    }
    Cvyn8_rk47Doc& doc = *m_pDoc;
    if (dlg.m_nIndex < 0 || dlg.m_nIndex >= doc.m_seedNames.size() ||
        dlg.m_nCount > doc.m_seedNames.size()) {
        Prompt("Failed to Save Data, try again", kAppTitle, PromptIcon::Error);
        return;
    }
    const int index = dlg.m_nIndex;

    m_comboName->clear();
    for (int k = 0; k < dlg.m_nCount; ++k) {
        m_comboName->addItem(doc.m_seedNames[k]);
    }
    m_nSeedSetCount = dlg.m_nCount;
    m_comboName->setCurrentIndex(index);
    m_comboName->setEditText(doc.m_seedNames[index]);

    // The operator types a feed speed of up to three digits; the gates and
    // the sensitivity are only shown, and every value is shown whole.
    m_editFeedSpeed->setMaxLength(kSeedEditLimit);
    m_session->ShowSeedSet(index);

    const QString path = m_strExeFolder + "SeedPara.txt";
    QString error;
    if (!SaveSeedParaFile(path, doc, m_nSeedSetCount, &error)) {
        Prompt(QStringLiteral("The seed parameter sets could not be written to %1 (%2). The "
                              "changes hold for this run only.")
                   .arg(path, error),
               kAppTitle, PromptIcon::Error);
    }
}
