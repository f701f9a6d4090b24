#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

namespace rf {

// Measures, in the running program, how long each click or key press takes to show its answer: from
// the input to the end of the first frame painted after the input was handled. Each figure is handed
// to report as a line such as "cmdEsporta → fotogramma 12.3 ms". The program turns it on when the
// environment variable ROTAFLUX_TEMPI is set, so that a session at a real desk can be timed.
class FrameTimes : public QObject {
public:
    explicit FrameTimes(std::function<void(const QString&)> report, QObject* parent = nullptr);
    ~FrameTimes() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_report;
    QElapsedTimer m_clock;
    qint64 m_input = -1;  // when the input being timed arrived, ns; -1 when none is
    bool m_armed = false; // the input has been handled: the next paint is its answer
    bool m_painting = false;
    QString m_source;
};

} // namespace rf
