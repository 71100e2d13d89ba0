#pragma once

#include "session/CountSession.h"

// One step of the session started by the form or the counter: when the
// outermost step ends, the form is told to show the state again.
class SessionStep {
public:
    explicit SessionStep(CountSession* session) : m_session(session) { ++m_session->m_depth; }
    ~SessionStep() {
        if (--m_session->m_depth == 0) {
            emit m_session->changed();
        }
    }
    SessionStep(const SessionStep&) = delete;
    SessionStep& operator=(const SessionStep&) = delete;

private:
    CountSession* m_session;
};
