#pragma once

class QObject;

// Cuts every connection from `owner`'s child objects to `owner`. A form or
// dialog calls it from its destructor: QWidget's destructor, which runs
// later, deletes the children, and a child losing the focus then emits
// signals (editingFinished, for one) whose slots would run on an object
// whose own destructor has already finished.
void DisconnectChildSignals(QObject* owner);
