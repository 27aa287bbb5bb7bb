#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace vl {

// The periodic timer: an interval in milliseconds, an enabled switch and a tick action.
// It ticks only while enabled with an interval above 0. Setting the interval or enabling
// it restarts the countdown. Ticks run one at a time on the owner's thread: a tick that
// comes due while the previous one is still running (inside a modal box) is dropped.
class Minuterie : public QObject
{
    Q_OBJECT
public:
    explicit Minuterie(QObject *parent = nullptr);

    // Sets the interval (>= 0 ms; 0 stops the ticks) and restarts the countdown.
    void setInterval(int ms);
    int Interval() const { return m_interval; }
    void setEnabled(bool oui);
    bool Enabled() const { return m_enabled; }
    // What each tick does.
    void setTic(std::function<void()> action) { m_tic = std::move(action); }

private:
    void rearmer();
    void tic();

    QTimer m_timer;
    std::function<void()> m_tic;
    int m_interval = 0;
    bool m_enabled = true;
    bool m_enCours = false;
};

} // namespace vl
