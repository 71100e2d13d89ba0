#include "platform/ControlIds.h"

QString ControlName(int id) {
    return QStringLiteral("IDC_%1").arg(id);
}

void SetControlId(QWidget* w, int id, const QString& accessibleName) {
    w->setObjectName(ControlName(id));
    if (!accessibleName.isEmpty()) {
        w->setAccessibleName(accessibleName);
    }
}

QWidget* FindControl(const QWidget* root, int id) {
    if (!root) {
        return nullptr;
    }
    return root->findChild<QWidget*>(ControlName(id));
}
