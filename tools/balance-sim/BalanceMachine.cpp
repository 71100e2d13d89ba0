#include "BalanceMachine.h"

#include <QStringList>

BalanceMachine::BalanceMachine(Options options, std::vector<Step> plan)
    : m_options(std::move(options)), m_plan(std::move(plan)), m_random(m_options.seed) {
    if (m_plan.empty()) {
        m_plan.push_back(Step{});  // an empty pan
    }
}

const BalanceMachine::Step& BalanceMachine::Current() const {
    return m_plan[std::min(m_next, m_plan.size() - 1)];
}

void BalanceMachine::Advance() {
    ++m_next;
    m_unstableLeft = -1;
}

QByteArray BalanceMachine::WeightLine(const char* head, const Step& step) {
    double grams = step.grams;
    if (m_options.noise > 0) {
        std::uniform_real_distribution<double> d(-m_options.noise, m_options.noise);
        grams += d(m_random);
    }
    const QString unit = step.unit.isEmpty() ? m_options.unit : step.unit;
    double value = grams;
    if (unit == "mg") {
        value = grams * 1000;
    } else if (unit == "kg") {
        value = grams / 1000;
    }
    return QString::asprintf("%s %10.*f %s", head, m_options.decimals, value, qPrintable(unit))
        .toLatin1();
}

std::vector<QByteArray> BalanceMachine::Answer(const QByteArray& command) {
    const QByteArray c = command.trimmed();
    if (c == "I4") {
        return {"I4 A \"" + m_options.serial.toLatin1() + "\""};
    }
    if (c == "Z") {
        return {"Z A"};
    }
    if (c == "T") {
        return {WeightLine("T S", Step{})};
    }
    if (c != "S" && c != "SI") {
        return {"ES"};
    }
    const Step& step = Current();
    if (m_unstableLeft < 0) {
        m_unstableLeft = step.unstable + m_options.unstable;
    }
    switch (step.kind) {
        case Step::Silence:
            Advance();
            return {};
        case Step::Overload:
            Advance();
            return {c + " +"};
        case Step::Underload:
            Advance();
            return {c + " -"};
        case Step::Weight:
            break;
    }
    if (m_unstableLeft > 0) {
        --m_unstableLeft;
        return {c == "SI" ? WeightLine("S D", step) : QByteArray("S I")};
    }
    const QByteArray line = WeightLine("S S", step);
    Advance();
    return {line};
}

QByteArray BalanceMachine::PrintKey() {
    const Step& step = Current();
    if (step.kind != Step::Weight) {
        return {};
    }
    const QByteArray line = WeightLine("S S", step);
    Advance();
    return line;
}

bool ParsePlanLine(const QString& text, BalanceMachine::Step* step, bool* empty, QString* error) {
    const QString line = text.section('#', 0, 0).simplified();
    *empty = line.isEmpty();
    *step = BalanceMachine::Step{};
    if (*empty) {
        return true;
    }
    const QStringList w = line.split(' ');
    if (w.size() == 1 && (w[0] == "overload" || w[0] == "underload" || w[0] == "silence")) {
        step->kind = w[0] == "overload"    ? BalanceMachine::Step::Overload
                     : w[0] == "underload" ? BalanceMachine::Step::Underload
                                           : BalanceMachine::Step::Silence;
        return true;
    }
    bool ok = false;
    step->grams = w[0].toDouble(&ok);
    for (int i = 1; ok && i + 1 < w.size(); i += 2) {
        if (w[i] == "unstable") {
            step->unstable = w[i + 1].toInt(&ok);
        } else if (w[i] == "unit") {
            step->unit = w[i + 1];
        } else {
            ok = false;
        }
    }
    if (!ok || w.size() % 2 == 0) {
        *error = QString("cannot read \"%1\"").arg(line);
        return false;
    }
    return true;
}
