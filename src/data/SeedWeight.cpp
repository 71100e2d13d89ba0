#include "data/SeedWeight.h"

#include <cmath>

namespace seed_weight {

double CvLimit(bool chaffy) {
    return chaffy ? kChaffyCvLimit : kOtherCvLimit;
}

double Per100(const Replicate& r) {
    if (r.seeds <= 0) {
        return 0;
    }
    return r.grams * kSeedsPerReplicate / r.seeds;
}

namespace {

struct MeanAndS {
    double mean = 0;
    double s = 0;
};

// Sums around the mean: the same figure as n.Sum x^2 - (Sum x)^2 over
// n(n - 1), without its cancellation for close weights.
MeanAndS MeanAndDeviation(const std::vector<double>& x) {
    MeanAndS out;
    const double n = static_cast<double>(x.size());
    if (x.empty()) {
        return out;
    }
    double sum = 0;
    for (double v : x) {
        sum += v;
    }
    out.mean = sum / n;
    if (x.size() < 2) {
        return out;
    }
    double squares = 0;
    for (double v : x) {
        squares += (v - out.mean) * (v - out.mean);
    }
    out.s = std::sqrt(squares / (n - 1));
    return out;
}

}  // namespace

ReplicateFigures Figures(const std::vector<Replicate>& replicates, bool chaffy) {
    ReplicateFigures f;
    f.limit = CvLimit(chaffy);
    std::vector<double> x;
    for (const Replicate& r : replicates) {
        x.push_back(Per100(r));
        f.shortCounted = f.shortCounted || r.seeds != kSeedsPerReplicate;
    }
    f.n = static_cast<int>(x.size());
    const MeanAndS all = MeanAndDeviation(x);
    f.mean = all.mean;
    f.s = all.s;
    f.cv = all.mean > 0 ? 100.0 * all.s / all.mean : 0;
    f.overLimit = f.n >= 2 && f.cv > f.limit;
    f.needMore = f.overLimit && f.n < 2 * kReplicates;
    f.discarding = f.n >= 2 * kReplicates;
    std::vector<double> kept;
    for (int i = 0; i < f.n; ++i) {
        if (f.n >= 2 && std::fabs(x[i] - f.mean) > 2 * f.s) {
            f.far.push_back(i);
            if (f.discarding) {
                continue;
            }
        }
        kept.push_back(x[i]);
    }
    f.result = 10.0 * MeanAndDeviation(kept).mean;
    f.complete = f.n >= kReplicates && (!f.overLimit || f.discarding);
    return f;
}

double WholeSample(double grams, int seeds) {
    return seeds > 0 ? 1000.0 * grams / seeds : 0;
}

int Decimals(double grams) {
    const double g = std::fabs(grams);
    if (g < 1) {
        return 4;
    }
    if (g < 10) {
        return 3;
    }
    if (g < 100) {
        return 2;
    }
    if (g < 1000) {
        return 1;
    }
    return 0;
}

QString FormatResult(double grams) {
    int decimals = Decimals(grams);
    // Rounding may carry the figure into the next band, which has fewer
    // decimals.
    for (;;) {
        const double scale = std::pow(10.0, decimals);
        const double rounded = std::round(grams * scale) / scale;
        const int again = Decimals(rounded);
        if (again == decimals) {
            return QString::number(rounded, 'f', decimals);
        }
        decimals = again;
    }
}

QString WeightProblem(double grams) {
    if (!std::isfinite(grams)) {
        return QStringLiteral("The weight is not a number.");
    }
    if (grams <= 0) {
        return QStringLiteral("A weight must be more than 0 g (the balance read %1 g).")
            .arg(QString::number(grams, 'g', 6));
    }
    return QString();
}

}  // namespace seed_weight
