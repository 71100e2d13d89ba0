#pragma once

#include <QByteArray>
#include <QString>
#include <random>
#include <vector>

// The simulated balance: what it answers to each command line, without the
// line itself. Each weighing takes the next step of its plan; after the last
// step the last one stays on the pan.
class BalanceMachine {
public:
    struct Step {
        enum Kind { Weight, Overload, Underload, Silence };
        Kind kind = Weight;
        double grams = 0;
        int unstable = 0;  // "S I" answers before the stable weight
        QString unit;      // empty: the balance's unit
    };
    struct Options {
        QString unit = "g";
        int decimals = 4;
        double noise = 0;  // added to each weight, uniformly within +-noise
        int unstable = 0;  // "S I" answers before every stable weight
        QString serial = "B021587463";
        unsigned seed = 1;
    };

    BalanceMachine(Options options, std::vector<Step> plan);

    // The answer lines (without CR LF) to one command line; none when the
    // balance stays silent.
    std::vector<QByteArray> Answer(const QByteArray& command);
    // The line the print key sends: the weight on the pan now, or nothing.
    QByteArray PrintKey();
    bool PlanDone() const { return m_next >= m_plan.size(); }

private:
    const Step& Current() const;
    QByteArray WeightLine(const char* head, const Step& step);
    void Advance();

    Options m_options;
    std::vector<Step> m_plan;
    size_t m_next = 0;
    int m_unstableLeft = -1;  // of the current step; -1 before its first S
    std::mt19937 m_random;
};

// A plan from the command line's weights ("12.5,13.1") or a script's lines:
// "12.5", "12.5 unstable 3", "12.5 unit lb", "overload", "underload",
// "silence"; '#' starts a comment. False with a message on a bad line.
bool ParsePlanLine(const QString& line, BalanceMachine::Step* step, bool* empty, QString* error);
