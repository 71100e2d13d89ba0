#pragma once

#include <QString>

// What the console's 8-bit files and the frames to the counter can carry:
// Latin-1 letters and signs, without control characters. A TAB, CR or LF
// would end a field or a line in the files; 0x02, 0x03 and 0x1F are frame
// bytes. Text that breaks these rules is refused where it enters.

enum class TextFault {
    None,
    LineBreak,  // a TAB, CR or LF
    NotLatin1,  // a character outside Latin-1, or another control character
};

TextFault FindTextFault(const QString& text);

// The operator's message for `text` entered as `what` (e.g. "The comment"),
// or an empty text when it can be stored.
QString StoredTextProblem(const QString& what, const QString& text);

// `text` with every TAB, CR and LF replaced by a space.
QString WithoutLineBreaks(QString text);
