#include "dialogs/NoticeDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CNoticeDlg::CNoticeDlg(const QString& caption, const QString& text, QWidget* parent)
    : CDialogBase(parent), m_text(new QLabel(text, this)) {
    setWindowTitle(caption);
    m_text->setAccessibleName(text);
    m_text->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton("OK", this);
    SetControlId(ok, IDOK, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(280);
}

void CNoticeDlg::OpenNotice(std::function<void(int result)> closed) {
    connect(
        this, &QDialog::finished, this,
        [this, closed = std::move(closed)](int result) {
            if (closed) {
                closed(result);
            }
            deleteLater();
        },
        Qt::SingleShotConnection);
    RunInitDialog();
    open();
}

void CNoticeDlg::CloseNotice() {
    setEnabled(true);
    OnCancel();
}

QString CNoticeDlg::Text() const {
    return m_text->text();
}
