// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the game asks of the system: the random draws and the local time of day. CTest runs it
// once in each of several time zones (TZ), whatever the machine's own.

#include "plateautest.h"
#include "systeme.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSet>
#include <QTime>
#include <QTimeZone>
#include <QtTest>
#include <algorithm>
#include <vector>

using namespace vl;

Q_DECLARE_METATYPE(vl::Systeme::Lecture)

namespace {

struct HeureLocale
{
    const char *zone, *instant;
    long nanosecondes;
    QTime attendue;
    const char *quoi;
};
// The local time of day at instants of the system clock (UTC), zone by zone.
const HeureLocale HeuresLocales[] = {
        {"UTC", "2026-07-01T12:00:00Z", 123'456'789, {12, 0, 0, 123}, "ete"},
        {"Europe/Paris", "2026-07-01T12:00:00Z", 123'456'789, {14, 0, 0, 123}, "ete, +2"},
        {"America/New_York", "2026-07-01T12:00:00Z", 123'456'789, {8, 0, 0, 123}, "ete, -4"},
        {"Asia/Kolkata", "2026-07-01T12:00:00Z", 123'456'789, {17, 30, 0, 123}, "+5:30"},
        {"UTC", "2026-01-15T23:45:30Z", 0, {23, 45, 30}, "hiver"},
        {"Europe/Paris", "2026-01-15T23:45:30Z", 0, {0, 45, 30}, "hiver, +1, le lendemain"},
        {"America/New_York", "2026-01-15T23:45:30Z", 0, {18, 45, 30}, "hiver, -5"},
        {"Asia/Kolkata", "2026-01-15T23:45:30Z", 0, {5, 15, 30}, "+5:30, le lendemain"},
        {"UTC", "2026-03-29T01:00:00Z", 0, {1, 0, 0}, "ni ete ni hiver"},
        // The changes of daylight saving time: the last instant before, the first after.
        {"Europe/Paris", "2026-03-29T00:59:59Z", 999'999'999, {1, 59, 59, 999}, "avant l'ete"},
        {"Europe/Paris", "2026-03-29T01:00:00Z", 0, {3, 0, 0}, "ete: 2 h sautee"},
        {"Europe/Paris", "2026-10-25T00:59:59Z", 999'999'999, {2, 59, 59, 999}, "avant l'hiver"},
        {"Europe/Paris", "2026-10-25T01:00:00Z", 0, {2, 0, 0}, "hiver: 2 h de nouveau"},
        {"America/New_York", "2026-03-08T06:59:59Z", 0, {1, 59, 59}, "avant l'ete"},
        {"America/New_York", "2026-03-08T07:00:00Z", 0, {3, 0, 0}, "ete: 2 h sautee"},
        {"America/New_York", "2026-11-01T05:59:59Z", 0, {1, 59, 59}, "avant l'hiver"},
        {"America/New_York", "2026-11-01T06:00:00Z", 0, {1, 0, 0}, "hiver: 1 h de nouveau"},
};

// The zone TZ names, empty when the machine's own is in force.
const QString Zone = qEnvironmentVariable("TZ");

} // namespace

class TestSysteme : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void tirages_data();
    void tirages();
    void heureDuSysteme();
    void heureLocale_data();
    void heureLocale();
};

// A zone named must be one the system knows and one these tests have times for.
void TestSysteme::initTestCase()
{
    if (Zone.isEmpty())
        return;
    QVERIFY2(QTimeZone(Zone.toUtf8()).isValid(),
             qPrintable(QStringLiteral("no data for the zone %1 (package tzdata)").arg(Zone)));
    QVERIFY2(std::any_of(std::begin(HeuresLocales), std::end(HeuresLocales),
                         [](const HeureLocale &h) { return Zone == QLatin1String(h.zone); }),
             qPrintable(QStringLiteral("no local times to expect in the zone %1").arg(Zone)));
}

void TestSysteme::tirages_data()
{
    QTest::addColumn<Systeme::Lecture>("autre"); // the time of day of a second start-up
    QTest::addColumn<bool>("memePartie");
    QTest::newRow("meme heure au millieme: memes tirages")
            << Systeme::Lecture {20, 15, 42, 317} << true;
    QTest::newRow("une milliseconde plus tard: d'autres tirages")
            << Systeme::Lecture {20, 15, 42, 318} << false;
    QTest::newRow("une heure plus tard: d'autres tirages")
            << Systeme::Lecture {21, 15, 42, 317} << false;
}

// The game's draws come from a generator seeded from the time of day: every draw lies in
// [0, 1) and reaches every column and every colour, and a start-up at another moment gives
// another game.
void TestSysteme::tirages()
{
    QFETCH(Systeme::Lecture, autre);
    QFETCH(bool, memePartie);

    Systeme::doublures().Rnd = {};
    const auto restaurer = qScopeGuard([] { Systeme::doublures().heure = {}; });
    const auto partie = [](Systeme::Lecture heure) {
        Systeme::doublures().heure = [heure] {
            return heure;
        };
        Systeme::Randomize();
        std::vector<float> tirages(2000);
        for (float &r : tirages)
            r = Systeme::Rnd();
        return tirages;
    };
    const std::vector<float> premiere = partie({20, 15, 42, 317});
    QSet<int> colonnes, couleurs;
    for (const float r : premiere) {
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(double(r))));
        colonnes << int(r * test::ColonnesDeJeu);
        couleurs << int(r * float(Jeu::Palette.size()));
    }
    QCOMPARE(colonnes.size(), test::ColonnesDeJeu);
    QCOMPARE(couleurs.size(), int(Jeu::Palette.size()));
    QCOMPARE(partie(autre) == premiere, memePartie);
}

// Without a replacement, the clock reads the system's local time afresh each time: over a
// second and a half, each reading lies between the system's local time just before it and
// just after it, to the millisecond.
void TestSysteme::heureDuSysteme()
{
    QElapsedTimer duree;
    duree.start();
    int comparees = 0;
    while (duree.elapsed() < 1500) {
        const int avant = QTime::currentTime().msecsSinceStartOfDay();
        const int lue = int(Systeme::millisecondesDuJour());
        const int apres = QTime::currentTime().msecsSinceStartOfDay();
        QTest::qWait(20);
        // The system clock set, or midnight passed, between the readings: nothing to compare.
        if (apres < avant || apres - avant > 1000)
            continue;
        // Qt 6.8's local time was seen to put an instant a millisecond later than the system
        // call's truncated reading does: a millisecond either way is the same instant.
        QVERIFY2(lue >= avant - 1 && lue <= apres + 1,
                 qPrintable(QStringLiteral("read %1 between %2 and %3")
                                    .arg(lue)
                                    .arg(avant)
                                    .arg(apres)));
        ++comparees;
    }
    QVERIFY2(comparees > 0, "no reading of the system's time to compare in 1.5 s");
}

void TestSysteme::heureLocale_data()
{
    QTest::addColumn<QString>("instant"); // the system clock's reading, UTC
    QTest::addColumn<long>("nanosecondes");
    QTest::addColumn<QTime>("attendue"); // the local time of day it must read as

    if (Zone.isEmpty())
        QSKIP("the machine's zone: run with TZ set to one of the zones below, as ctest does");
    for (const HeureLocale &l : HeuresLocales)
        if (Zone == QLatin1String(l.zone))
            QTest::addRow("%s %s: %s, %s", l.zone, l.instant,
                          qPrintable(l.attendue.toString(QStringLiteral("HH:mm:ss.zzz"))), l.quoi)
                    << QString::fromLatin1(l.instant) << l.nanosecondes << l.attendue;
}

// The local time of day at a given instant of the system clock, in the zone TZ names: its
// offset, and its changes of daylight saving time, to the second; the milliseconds as the
// clock gives them, cut, not rounded.
void TestSysteme::heureLocale()
{
    QFETCH(QString, instant);
    QFETCH(long, nanosecondes);
    QFETCH(QTime, attendue);

    const auto restaurer = qScopeGuard([] { Systeme::doublures().instant = {}; });
    const QDateTime utc = QDateTime::fromString(instant, Qt::ISODate);
    Systeme::doublures().instant = [&] {
        return timespec {std::time_t(utc.toSecsSinceEpoch()), nanosecondes};
    };
    const Systeme::Lecture l = Systeme::heure();
    QCOMPARE(QTime(l.heures, l.minutes, l.secondes, l.millisecondes), attendue);
}

QTEST_GUILESS_MAIN(TestSysteme)
#include "tst_systeme.moc"
