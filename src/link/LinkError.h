#pragma once

#include <QString>
#include <vector>

// What went wrong on the line, as the console words it to the operator: the
// message and the caption of its box (the stop icon goes with every one).
struct LinkError {
    QString text;
    QString caption = QStringLiteral("Error");

    bool operator==(const LinkError&) const = default;
};

using LinkErrors = std::vector<LinkError>;
