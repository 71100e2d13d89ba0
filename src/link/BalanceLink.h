#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "link/BalanceReply.h"
#include "link/LineSettings.h"

class ReceiveLoop;

// How long the balance link waits.
struct BalanceTiming {
    int answerMs = 3000;   // no answer in this time: the balance is silent
    int settleMs = 15000;  // still not stable after this: give up
    int retryMs = 300;     // asks again this often while it settles
};

// The laboratory balance on a line of its own. Its answers are read on a
// thread of their own (a ReceiveLoop cutting lines) and handed to the thread
// that made the link, where the listener hears of them; nothing here ever
// waits for the balance, so the window never blocks. A weighing that gets no
// answer in time, a balance that does not settle, an overload, a unit the
// console does not know: each ends the request with one Failure event.
class BalanceLink {
public:
    struct Event {
        enum Kind { Weight, Serial, Zeroed, Tared, Failure };
        Kind kind = Failure;
        double grams = 0;      // Weight, Tared
        bool unasked = false;  // a Weight sent by the balance's own print key
        QString text;          // the serial number, or what went wrong
        QByteArray request;    // the command it ends ("S", "I4", ...); empty when unasked
    };
    using Listener = std::function<void(const Event&)>;

    using Timing = struct BalanceTiming;

    explicit BalanceLink(Listener listener, Timing timing = Timing());
    ~BalanceLink();
    BalanceLink(const BalanceLink&) = delete;
    BalanceLink& operator=(const BalanceLink&) = delete;

    // `port` is COM1..COM9 (through the port map) or a device path. Empty on
    // success, else the message for the operator.
    QString Open(const QString& port, const line::LineSpec& spec);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Asks for a stable weight (S); the answer comes as a Weight or a
    // Failure event. False when the link is closed or a request is waiting.
    bool Weigh();
    bool AskSerial();  // I4
    bool Zero();       // Z
    bool Tare();       // T
    bool Waiting() const { return !m_pending.isEmpty(); }

private:
    bool Ask(const QByteArray& command);
    bool Send(const QByteArray& command);
    void OnLine(const QByteArray& line);
    void OnWeighingReply(const balance::Reply& r);
    void Finish(Event e);
    void Fail(const QString& text);
    void OnSilence();
    void OnLineLost(const QString& reason);

    Listener m_listener;
    Timing m_timing;
    int m_fd = -1;
    QString m_device;
    QObject m_receiver;
    std::unique_ptr<ReceiveLoop> m_loop;
    std::shared_ptr<balance::LineAssembler> m_lines;  // used on the loop's thread
    QByteArray m_pending;                             // the command waiting for its answer
    QTimer m_answerTimer;
    QTimer m_retryTimer;
    QElapsedTimer m_settling;
    // After a weighing timed out, until this runs out, a stable weight is its
    // late answer, not the print key's: it is dropped, not taken unasked.
    QElapsedTimer m_lateAnswer;
};

// The operator's words for a reply that ends a weighing without a weight.
QString BalanceProblemText(const balance::Reply& r);
