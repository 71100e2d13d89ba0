// How fast the console carries out the counter's frames: the time from the
// counter writing the last byte of a count frame to the Count edit showing
// it (p50, p99), and how many frames a second it carries out with none lost.
// The console runs with its real receive loop on a pseudo-terminal.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "platform/DataFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

// A console connected to the master end of a pty; a helper thread answers
// the handshake until the link is up.
struct Bench {
    Bench() {
        SetDataFolder(dir.path());
        QFile seeds(dir.filePath("SeedPara.txt"));
        seeds.open(QIODevice::WriteOnly);
        seeds.write("Wheat 50 5 10 12\r\n");
        seeds.close();
        int slave = -1;
        char name[256] = {};
        openpty(&master, &slave, name, nullptr, nullptr);
        ::close(slave);
        qputenv("VYN8_COM1", name);
        std::atomic<bool> up{false};
        std::thread shaker([&] {
            while (!up) {
                pollfd p{master, POLLIN, 0};
                char c = 0;
                if (::poll(&p, 1, 5) > 0 && (p.revents & POLLIN) && ::read(master, &c, 1) == 1 &&
                    c == frames::ENQ) {
                    [[maybe_unused]] ssize_t w = ::write(master, &frames::ACK, 1);
                }
            }
        });
        doc = std::make_unique<Cvyn8_rk47Doc>();
        view = std::make_unique<Cvyn8_rk47View>(doc.get());
        view->OnInitialUpdate();
        view->OnConnect();
        up = true;
        shaker.join();
        connected = view->session().LinkLive();
    }
    ~Bench() {
        view.reset();
        ::close(master);
    }
    void Write(const QByteArray& bytes) const {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::write(master, bytes.constData() + done, bytes.size() - done);
            done += n > 0 ? n : 0;
        }
    }

    QTemporaryDir dir;
    int master = -1;
    std::unique_ptr<Cvyn8_rk47Doc> doc;
    std::unique_ptr<Cvyn8_rk47View> view;
    bool connected = false;
};

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

void BM_CountFrameToCountEdit(benchmark::State& state) {
    Bench bench;
    if (!bench.connected) {
        state.SkipWithError("no link over the pty");
        return;
    }
    Clock::time_point shown;
    QObject::connect(static_cast<QLineEdit*>(bench.view->control(IDC_COUNT)),
                     &QLineEdit::textChanged, [&] { shown = Clock::now(); });
    std::vector<double> latencies;
    int n = 0;
    for (auto _ : state) {
        const QString count = QString::number(++n);
        const QByteArray frame = frames::CountFrame(count, "1");
        bench.Write(frame.chopped(1));
        const Clock::time_point sent = Clock::now();
        bench.Write(frame.right(1));  // the last byte
        while (static_cast<QLineEdit*>(bench.view->control(IDC_COUNT))->text() != count) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        const double ms = std::chrono::duration<double, std::milli>(shown - sent).count();
        latencies.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["p50_ms"] = Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
}
BENCHMARK(BM_CountFrameToCountEdit)
    ->UseManualTime()
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

void BM_FramesPerSecondNoneLost(benchmark::State& state) {
    Bench bench;
    if (!bench.connected) {
        state.SkipWithError("no link over the pty");
        return;
    }
    const int frameCount = static_cast<int>(state.range(0));
    int carriedOut = 0;
    QObject::connect(static_cast<QLineEdit*>(bench.view->control(IDC_COUNT)),
                     &QLineEdit::textChanged, [&] { ++carriedOut; });
    int base = 0;
    double best = 0;
    for (auto _ : state) {
        QByteArray burst;
        for (int i = 1; i <= frameCount; ++i) {
            burst += frames::CountFrame(QString::number(base + i), "1");
        }
        const QString last = QString::number(base + frameCount);
        carriedOut = 0;
        const auto start = Clock::now();
        std::thread writer([&] { bench.Write(burst); });
        while (static_cast<QLineEdit*>(bench.view->control(IDC_COUNT))->text() != last) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        const double s = std::chrono::duration<double>(Clock::now() - start).count();
        writer.join();
        if (carriedOut != frameCount) {
            state.SkipWithError("frames were lost");
            return;
        }
        best = std::max(best, frameCount / s);
        state.SetIterationTime(s);
        base += frameCount;
    }
    state.counters["frames_per_s"] = best;
}
BENCHMARK(BM_FramesPerSecondNoneLost)
    ->Arg(20000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
