#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"

// The form's controls by ID, as the operator finds them.
inline QLineEdit* IdEdit(const Cvyn8_rk47View& view) {
    return static_cast<QLineEdit*>(view.control(IDC_ID));
}
inline QRadioButton* Radio(const Cvyn8_rk47View& view, int id) {
    return static_cast<QRadioButton*>(view.control(id));
}
inline QCheckBox* SameAsPrevious(const Cvyn8_rk47View& view) {
    return static_cast<QCheckBox*>(view.control(IDC_SAMEASPREV));
}
inline UpDownCtrl* Spin(const Cvyn8_rk47View& view) {
    return static_cast<UpDownCtrl*>(view.control(IDC_SPIN));
}
inline QComboBox* Combo(const Cvyn8_rk47View& view, int id) {
    return static_cast<QComboBox*>(view.control(id));
}

inline void SetAutoDump(Cvyn8_rk47View& view, bool on) {
    CountSession::Options options = view.session().Opts();
    options.autoDump = on;
    view.session().SetOptions(options);
}
