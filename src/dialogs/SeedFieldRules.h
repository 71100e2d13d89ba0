#pragma once

#include <QString>

// What a seed parameter set may hold so that SeedPara.txt (fields separated
// by spaces) and the program frame sent to the counter can carry it. Each
// check returns an empty text when the value is fine, otherwise the message
// for the operator.

constexpr int kMaxSeedNameChars = 19;
constexpr int kMaxSeedValueChars = 9;

QString SeedNameProblem(const QString& name);
// `what` names the value in the message, e.g. "The feed speed".
QString SeedValueProblem(const QString& what, const QString& value);
