#pragma once

#include <QString>
#include <QWidget>

// Every control of the console and its dialogs keeps its numeric ID as its
// object name "IDC_<id>", so handlers and tests find it in the same words.

QString ControlName(int id);
// Names `w` after `id` and gives it an accessible name (its caption, or the
// text of the label that is its buddy).
void SetControlId(QWidget* w, int id, const QString& accessibleName = QString());
// The control with that ID below `root`, or nullptr.
QWidget* FindControl(const QWidget* root, int id);

template <typename T>
T* FindControlAs(const QWidget* root, int id) {
    return qobject_cast<T*>(FindControl(root, id));
}
