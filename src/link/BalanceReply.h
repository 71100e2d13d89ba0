#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The laboratory balance's text protocol (MT-SICS): commands and answers are
// lines ending in CR LF, their parts split on white space.
namespace balance {

// The commands the console sends, with their line end.
QByteArray Command(const char* name);  // "S", "SI", "Z", "T", "I4"

struct Reply {
    enum Kind {
        Stable,             // S S <value> <unit> (asked, or sent by the print key)
        Dynamic,            // S D <value> <unit>: an immediate value, not settled
        Busy,               // S I, Z I, T I: cannot now (not settled yet)
        Overload,           // S +, Z +, T +
        Underload,          // S -, Z -, T -
        Zeroed,             // Z A
        Tared,              // T S <value> <unit>
        Serial,             // I4 A "<serial>"
        SyntaxError,        // ES
        TransmissionError,  // ET
        LogicError,         // EL
        WrongUnit,          // a weight in a unit other than g, mg, kg: `text` holds it
        Malformed,          // anything else: `text` says why
    };
    Kind kind = Malformed;
    double grams = 0;  // Stable, Dynamic, Tared
    QString text;      // the serial number, the unknown unit, or the problem
};

// One answer line, without its line end.
Reply ParseReply(const QByteArray& line);

// A value in `unit` as grams; false for a unit other than g, mg and kg.
bool ToGrams(double value, const QByteArray& unit, double* grams);

// Cuts the byte stream into lines at LF (a CR before it dropped), however
// the reads split it; empty lines are skipped and a line that grows past a
// sane length is dropped whole.
class LineAssembler {
public:
    std::vector<QByteArray> Feed(const char* data, size_t n);
    bool Pending() const { return !m_line.isEmpty(); }

private:
    QByteArray m_line;
    bool m_bOverlong = false;
};

}  // namespace balance
