// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the game asks of the system: the random draws and the local time of day.

#include "systeme.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSet>
#include <QTime>
#include <QtTest>
#include <vector>

using namespace vl;

Q_DECLARE_METATYPE(vl::Systeme::Lecture)

class TestSysteme : public QObject
{
    Q_OBJECT
private slots:
    void tirages_data();
    void tirages();
    void heureDuSysteme();
};

void TestSysteme::tirages_data()
{
    QTest::addColumn<Systeme::Lecture>("autre"); // the time of day of a second start-up
    QTest::addColumn<bool>("memePartie");
    QTest::newRow("même heure au millième: mêmes tirages")
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
        colonnes << int(r * 8);
        couleurs << int(r * 7);
    }
    QCOMPARE(colonnes.size(), 8);
    QCOMPARE(couleurs.size(), 7);
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
    QVERIFY(comparees > 0);
}

QTEST_GUILESS_MAIN(TestSysteme)
#include "tst_systeme.moc"
