#include "heure.h"

#include <QTime>

namespace vl {

Heure::Source &Heure::source()
{
    static Source s;
    return s;
}

void Heure::remplacer(Source s) { source() = std::move(s); }

Heure::Lecture Heure::lire()
{
    if (source())
        return source()();
    const QTime t = QTime::currentTime();
    return { t.hour(), t.minute(), t.second(), t.msec() };
}

unsigned Heure::millisecondesDuJour()
{
    const Lecture l = lire();
    return unsigned(((l.heures * 60 + l.minutes) * 60 + l.secondes) * 1000 + l.millisecondes);
}

} // namespace vl
