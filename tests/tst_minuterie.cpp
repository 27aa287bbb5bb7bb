// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "minuterie.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <ranges>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using vl::Minuterie;

// The timer's behaviour that does not depend on how fast the machine is: when it ticks at
// all, that ticks never nest, that what a tick sets keeps it going, and that a long stall is
// not followed by a burst. How exactly it keeps the pace is measured by the benchmarks.
class TestMinuterie : public QObject
{
    Q_OBJECT

private slots:
    void sansTicEnTrop_data();
    void sansTicEnTrop();
    void reglageDansLeTic_data();
    void reglageDansLeTic();
    void jamaisDansUnAutreTic();
    void reprendQuandOnLaRallume();
    void pasDeRafaleApresUnBlocage();
    void rattrapeApresUnCourtBlocage_data();
    void rattrapeApresUnCourtBlocage();
};

using Reglage = std::function<void(Minuterie &)>;
using Tic = std::function<void(Minuterie &, int numero)>;
Q_DECLARE_METATYPE(Reglage)
Q_DECLARE_METATYPE(Tic)

void TestMinuterie::sansTicEnTrop_data()
{
    QTest::addColumn<Reglage>("reglage");
    QTest::addColumn<Tic>("tic");
    QTest::addColumn<int>("attendus");

    const Tic rien = [](Minuterie &, int) {
    };
    QTest::newRow("desactivee, intervalle 1") << Reglage([](Minuterie &m) {
        m.setInterval(1);
        m.setEnabled(false);
    }) << rien << 0;
    QTest::newRow("activee, intervalle 0") << Reglage([](Minuterie &m) {
        m.setEnabled(true);
        m.setInterval(0);
    }) << rien << 0;
    QTest::newRow("intervalle 1 puis 0") << Reglage([](Minuterie &m) {
        m.setInterval(1);
        m.setInterval(0);
    }) << rien << 0;
    QTest::newRow("rallumee puis eteinte avant son premier tic") << Reglage([](Minuterie &m) {
        m.setEnabled(false);
        m.setInterval(1);
        m.setEnabled(true);
        m.setEnabled(false);
    }) << rien << 0;
    const Reglage unMs = [](Minuterie &m) {
        m.setInterval(1);
    };
    QTest::newRow("eteinte par son premier tic")
            << unMs << Tic([](Minuterie &m, int) { m.setEnabled(false); }) << 1;
    QTest::newRow("intervalle mis a 0 par son premier tic")
            << unMs << Tic([](Minuterie &m, int) { m.setInterval(0); }) << 1;
    QTest::newRow("intervalle porte a 100 s par son premier tic")
            << unMs << Tic([](Minuterie &m, int) { m.setInterval(100'000); }) << 1;
}

// Only an enabled timer with an interval above 0 ticks, and a change made in a tick counts
// from that tick.
void TestMinuterie::sansTicEnTrop()
{
    QFETCH(Reglage, reglage);
    QFETCH(Tic, tic);
    QFETCH(int, attendus);

    Minuterie m;
    int tics = 0;
    m.setTic([&] { tic(m, ++tics); });
    reglage(m);
    QTest::qWait(60);
    QCOMPARE(tics, attendus);
    QCOMPARE(m.tics(), std::uint64_t(attendus));
}

void TestMinuterie::reglageDansLeTic_data()
{
    QTest::addColumn<Tic>("tic");
    QTest::addColumn<int>("intervalleFinal");

    QTest::newRow("le meme intervalle a chaque tic, comme la fenetre")
            << Tic([](Minuterie &m, int) {
                   m.setInterval(m.Interval());
                   m.setEnabled(true);
               })
            << 1;
    QTest::newRow("1 et 2 ms en alternance")
            << Tic([](Minuterie &m, int n) { m.setInterval(n % 2 ? 2 : 1); }) << 2;
    QTest::newRow("de 5 a 1 ms, une de moins par tic")
            << Tic([](Minuterie &m, int n) { m.setInterval(std::max(1, 5 - n)); }) << 1;
    QTest::newRow("eteinte et rallumee dans le meme tic") << Tic([](Minuterie &m, int) {
        m.setEnabled(false);
        m.setEnabled(true);
    }) << 1;
}

// What a tick sets on its own timer keeps it ticking.
void TestMinuterie::reglageDansLeTic()
{
    QFETCH(Tic, tic);
    QFETCH(int, intervalleFinal);

    constexpr int Voulus = 25;
    Minuterie m;
    int tics = 0;
    m.setTic([&] {
        tic(m, ++tics);
        if (tics == Voulus)
            m.setEnabled(false);
    });
    m.setInterval(1);
    QVERIFY2(QTest::qWaitFor([&] { return tics == Voulus; }, 2000),
             qPrintable(QStringLiteral("%1 ticks in 2 s, not %2").arg(tics).arg(Voulus)));
    QTest::qWait(20);
    QCOMPARE(tics, Voulus);
    QCOMPARE(m.Interval(), intervalleFinal);
    QVERIFY(!m.Enabled());
}

// A tick that opens a nested event loop (as a modal box does) is never entered again while
// that loop runs, and the ticks go on once it returns.
void TestMinuterie::jamaisDansUnAutreTic()
{
    Minuterie m;
    int tics = 0;
    int profondeur = 0;
    int profondeurMax = 0;
    m.setTic([&] {
        ++tics;
        profondeurMax = std::max(profondeurMax, ++profondeur);
        if (tics == 1) {
            QEventLoop boucle;
            QTimer::singleShot(50, &boucle, &QEventLoop::quit);
            boucle.exec();
        }
        if (tics == 10)
            m.setEnabled(false);
        --profondeur;
    });
    m.setInterval(1);
    QVERIFY2(QTest::qWaitFor([&] { return tics == 10; }, 2000),
             qPrintable(QStringLiteral("%1 ticks in 2 s, not 10").arg(tics)));
    QCOMPARE(profondeurMax, 1);
}

void TestMinuterie::reprendQuandOnLaRallume()
{
    Minuterie m;
    int tics = 0;
    m.setTic([&] {
        if (++tics == 3)
            m.setEnabled(false);
    });
    m.setInterval(1);
    QVERIFY2(QTest::qWaitFor([&] { return tics == 3; }, 2000),
             qPrintable(QStringLiteral("%1 ticks in 2 s, not 3").arg(tics)));
    QTest::qWait(20);
    QCOMPARE(tics, 3);
    m.setEnabled(true);
    QVERIFY2(QTest::qWaitFor([&] { return tics > 3; }, 2000),
             "no tick in the 2 s after the timer was switched on again");
}

// A tick that blocks the thread for a long time puts the schedule far behind: the next tick
// knows it is late, and the schedule starts again from it instead of running the missed
// ticks back to back.
void TestMinuterie::pasDeRafaleApresUnBlocage()
{
    constexpr auto Blocage = 600ms;
    constexpr int Suivants = 30;
    Minuterie m;
    std::vector<std::chrono::nanoseconds> retards;
    m.setTic([&] {
        if (retards.empty())
            std::this_thread::sleep_for(Blocage);
        retards.push_back(m.retard());
        if (retards.size() == Suivants + 1)
            m.setEnabled(false);
    });
    m.setInterval(1);
    QVERIFY2(QTest::qWaitFor([&] { return int(retards.size()) == Suivants + 1; }, 5000),
             qPrintable(QStringLiteral("%1 ticks in 5 s, not %2")
                                .arg(retards.size())
                                .arg(Suivants + 1)));
    QVERIFY(retards[1] >= Blocage - 1ms);
    // Without the fresh start, the hundreds of missed ticks would each start this late.
    const auto enRetard
            = std::count_if(retards.begin() + 2, retards.end(),
                            [&](std::chrono::nanoseconds r) { return r >= Blocage / 2; });
    QCOMPARE(enRetard, 0);
}

void TestMinuterie::rattrapeApresUnCourtBlocage_data()
{
    QTest::addColumn<bool>("regle"); // each tick sets the interval again, as the window does
    QTest::newRow("tics qui ne touchent pas la minuterie") << false;
    QTest::newRow("tics qui redonnent leur intervalle, comme la fenetre") << true;
}

// A tick that blocks the thread for less than RattrapageMax intervals only delays the ticks
// that came due meanwhile: they run at once, and the ticks after them fall due on the schedule
// of the ticks before, not later by the stall. Each tick's due time is read as the time it
// started minus its lateness; the earliest reading of a group of ticks is the one least
// disturbed by a busy machine.
void TestMinuterie::rattrapeApresUnCourtBlocage()
{
    QFETCH(bool, regle);
    constexpr auto Intervalle = 250ms;
    // Two intervals: the tick it delays is one interval late, more than a timer that caught up
    // only a single interval would allow, and a busy machine would have to hold the thread two
    // more intervals before the timer rightly gave up catching up.
    constexpr auto Blocage = 500ms;
    constexpr int Avant = 4; // ticks up to the stall, the last one stalling
    constexpr int Apres = 6; // ticks after the one it delayed
    Minuterie m;
    std::vector<Minuterie::Chrono::time_point> echeances;
    m.setTic([&] {
        echeances.push_back(Minuterie::Chrono::now() - m.retard());
        if (regle)
            m.setInterval(m.Interval());
        if (echeances.size() == Avant)
            std::this_thread::sleep_for(Blocage);
        if (echeances.size() == Avant + 1 + Apres)
            m.setEnabled(false);
    });
    m.setInterval(int(Intervalle.count()));
    QVERIFY2(QTest::qWaitFor([&] { return int(echeances.size()) == Avant + 1 + Apres; }, 10000),
             qPrintable(QStringLiteral("%1 ticks in 10 s, not %2")
                                .arg(echeances.size())
                                .arg(Avant + 1 + Apres)));

    // Where a tick falls against the schedule that the first tick started.
    const auto decalage = [&](int n) {
        return echeances[n] - echeances[0] - n * Intervalle;
    };
    const auto avant
            = std::ranges::min(std::views::iota(0, Avant) | std::views::transform(decalage));
    const auto apres = std::ranges::min(std::views::iota(Avant + 1, Avant + 1 + Apres)
                                        | std::views::transform(decalage));
    // Drifting by the stall would put the later ticks Blocage - Intervalle late.
    const auto ecart = std::chrono::abs(apres - avant);
    QVERIFY2(ecart < (Blocage - Intervalle) / 2,
             qPrintable(QStringLiteral("%1 ms off the schedule")
                                .arg(std::chrono::duration<double, std::milli>(ecart).count())));
}

QTEST_GUILESS_MAIN(TestMinuterie)
#include "tst_minuterie.moc"
