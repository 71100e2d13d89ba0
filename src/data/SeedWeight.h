#pragma once

#include <QString>
#include <vector>

// The thousand-seed weight by the seed-testing rules, as plain figures.
//
// Method (a), the whole working sample: 1000 x W / N.
// Method (b), replicates of (normally) 100 seeds: the mean x, the variance
// s^2 = (n.Sum x^2 - (Sum x)^2) / (n(n - 1)), s and CV = 100 s / x. The CV may
// not exceed 6.0 for chaffy seed or 4.0 for other seed; over it, eight more
// replicates are weighed and, from sixteen on, a replicate further than 2 s
// from the mean is discarded. The result is 10 x (the mean weight of 100
// seeds times ten) over the replicates kept.
namespace seed_weight {

inline constexpr int kReplicates = 8;  // the first round
inline constexpr int kSeedsPerReplicate = 100;
inline constexpr double kChaffyCvLimit = 6.0;
inline constexpr double kOtherCvLimit = 4.0;

// One weighed replicate: its weight in grams and the seeds the counter
// counted into it (100 unless it was counted short).
struct Replicate {
    double grams = 0;
    int seeds = kSeedsPerReplicate;
};

struct ReplicateFigures {
    int n = 0;         // replicates weighed
    double mean = 0;   // of the weight of 100 seeds, over all n
    double s = 0;      // standard deviation over all n
    double cv = 0;     // 100 s / mean
    double limit = 0;  // the CV allowed
    bool overLimit = false;
    bool needMore = false;  // over the limit with the first eight: weigh eight more
    // Indices further than 2 s from the mean: discarded from sixteen
    // replicates on, only flagged before.
    std::vector<int> far;
    bool discarding = false;
    bool shortCounted = false;  // some replicate holds fewer seeds than 100
    double result = 0;          // 10 x the mean of the replicates kept
    bool complete = false;      // enough replicates for a result
};

double CvLimit(bool chaffy);

// The weight of 100 seeds of a replicate: its grams scaled to 100 seeds when
// it was counted short (or over).
double Per100(const Replicate& r);

// The figures of the replicates weighed so far (at least two for s).
ReplicateFigures Figures(const std::vector<Replicate>& replicates, bool chaffy);

// Method (a): 1000 x W / N; 0 when N is not positive.
double WholeSample(double grams, int seeds);

// The number of decimals a thousand-seed weight is given with: under 1 g
// four, then three, two, one, and none from 1000 g on.
int Decimals(double grams);
// The weight with its decimals, decided on the rounded figure (9.99996 is
// "10.00", not "10.000").
QString FormatResult(double grams);

// Why a weight cannot be used (empty when it can): zero, negative or not a
// number.
QString WeightProblem(double grams);

}  // namespace seed_weight
