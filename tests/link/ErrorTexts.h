#pragma once

#include <QStringList>

#include "link/LinkError.h"

// The texts of what a channel kept, oldest first.
inline QStringList Texts(const LinkErrors& errors) {
    QStringList texts;
    for (const LinkError& e : errors) {
        texts << e.text;
    }
    return texts;
}
