#include "dialogs/SeedFieldRules.h"

#include "platform/StoredText.h"

QString SeedNameProblem(const QString& name) {
    const QString stored = StoredTextProblem("The seed name", name);
    if (!stored.isEmpty()) {
        return stored;
    }
    if (name.contains(' ') || name.size() > kMaxSeedNameChars) {
        return QStringLiteral(
                   "The seed name \"%1\" cannot be stored: use one word of at most %2 "
                   "characters, without spaces.")
            .arg(name)
            .arg(kMaxSeedNameChars);
    }
    return QString();
}

QString SeedValueProblem(const QString& what, const QString& value) {
    if (value.isEmpty()) {
        return QStringLiteral("%1 is empty: enter a value.").arg(what);
    }
    const QString stored = StoredTextProblem(what, value);
    if (!stored.isEmpty()) {
        return stored;
    }
    if (value.contains(' ') || value.size() > kMaxSeedValueChars) {
        return QStringLiteral(
                   "%1 \"%2\" cannot be stored: use at most %3 characters, without "
                   "spaces.")
            .arg(what, value)
            .arg(kMaxSeedValueChars);
    }
    return QString();
}
