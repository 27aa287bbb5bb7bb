#include "minuterie.h"

#include <QScopedValueRollback>
#include <cassert>

namespace vl {

Minuterie::Minuterie(QObject *parent)
    : QObject(parent)
{
    // Intervals go down to 1 ms: only the precise timer honours them.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Minuterie::tic);
}

void Minuterie::setInterval(int ms)
{
    assert(ms >= 0);
    m_interval = ms;
    rearmer();
}

void Minuterie::setEnabled(bool oui)
{
    m_enabled = oui;
    rearmer();
}

void Minuterie::rearmer()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

void Minuterie::tic()
{
    if (m_enCours || !m_tic)
        return;
    QScopedValueRollback garde(m_enCours, true);
    m_tic();
}

} // namespace vl
