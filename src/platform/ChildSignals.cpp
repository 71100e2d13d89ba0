#include "platform/ChildSignals.h"

#include <QObject>

void DisconnectChildSignals(QObject* owner) {
    for (QObject* child : owner->findChildren<QObject*>()) {
        QObject::disconnect(child, nullptr, owner, nullptr);
    }
}
