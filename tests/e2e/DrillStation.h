#pragma once

// The drill station (tests/drill) as the end-to-end tests start it: the real
// window, session and ledger of a station driven by a script, with the
// counter's part for its samples.

#include <QProcess>
#include <QString>

// The counter's part for samples from..to-1: each programmed, counted
// (100 + i seeds) and reset.
inline QByteArray DrillCounterScript(int from, int to) {
    QByteArray script;
    for (int i = from; i < to; ++i) {
        script += "expect program\nevent Start\ncount " + QByteArray::number(100 + i) +
                  " 1\nexpect command Reset\n";
    }
    return script;
}

// Starts the station on the data folder `folder` (its settings in
// folder/config) for samples from..to-1 against the counter at `link`; with
// from == to it only starts and closes.
inline void StartDrill(QProcess& drill, const QString& folder, const QString& link, int from,
                       int to, const QString& station = "drill") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VYN8_COM1", link);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", folder + "/config");
    drill.setProcessEnvironment(env);
    drill.start(QString(VYN8_BINARY_DIR) + "/tests/vyn8-station-drill",
                {"--data-dir", folder, "--station", station, "--from", QString::number(from),
                 "--to", QString::number(to)});
}
