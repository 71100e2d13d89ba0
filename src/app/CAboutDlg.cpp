#include "app/CAboutDlg.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DataFolder.h"

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/vyn8/icons/com.quilvane.vyn8_rk47.png"));
}

CAboutDlg::CAboutDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("About vyn8_rk47");
    auto* icon = new QLabel(this);
    icon->setObjectName("AppIcon");
    icon->setPixmap(AppIcon().pixmap(48, 48));
    auto* text = new QLabel("vyn8_rk47, Version 2.1", this);
    const QString folder =
        QDir::toNativeSeparators(DataFolder().isEmpty() ? QDir::currentPath() + '/' : DataFolder());
    auto* where = new QLabel("Data folder: " + folder, this);
    where->setObjectName("DataFolder");
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton("OK", this);
    SetControlId(ok, IDOK, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });

    auto* lines = new QVBoxLayout;
    lines->addWidget(text);
    lines->addWidget(where);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addLayout(lines, 1);
    row->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    setFixedSize(sizeHint().expandedTo(QSize(340, 100)));
}
