// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window and the screen, offscreen: the table that writes the game's timings as it must
// have them (the first interval, the refresh period at two rates of the screen); the repaints
// held to the screen's refresh; the game
// standing still while the player cannot see the window, on Escape and each way a desktop
// hides and shows a window, as the platform plugins report it.

#include "etiquette.h"
#include "fenetretest.h"
#include "peinture.h"
#include "plateautest.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QtTest>
#include <cmath>
#include <qpa/qwindowsysteminterface.h>

using namespace vl;
using namespace vl::test;

using Lecture = std::function<double(VorlanFrm &)>; // in ms
Q_DECLARE_METATYPE(Lecture)

namespace {

// The window's refresh period, in ms, while its screen reports a refresh rate of hertz: the
// platform plugin's part, taken here by the test.
Lecture periodeA(qreal hertz)
{
    return [hertz](VorlanFrm &w) {
        const auto signaler = [&w](qreal taux) {
            QWindowSystemInterface::handleScreenRefreshRateChange(w.screen(), taux);
            QWindowSystemInterface::flushWindowSystemEvents();
        };
        signaler(hertz);
        const auto retablir = qScopeGuard([&] { signaler(0); }); // the platform's own rate
        return std::chrono::duration<double, std::milli>(w.rafraichissement().periode()).count();
    };
}

// What happens to the window, as a desktop or the player does it, and whether the tick that
// follows moves the piece.
enum class Evenement {
    Echap, // the key, through the window
    Reduite, // the desktop reports the window minimised (X11)
    Restauree, // ... and normal again
    Maximisee,
    Cachee, // shown, but no longer exposed (a hidden or suspended Wayland surface, an unmapped X11
            // window)
    Montree, // exposed again
    EtatSansReduction, // the state re-reported without "minimised", as Qt's xdg-shell plugin does
    Derriere, // another window becomes the active one
    Attente, // a while: past the wait for the desktop to hide the window
};
struct Pas
{
    Evenement evenement;
    bool avance;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Pas>)

class TestEcran : public FenetreTest
{
    Q_OBJECT
private slots:
    void delais_data();
    void delais();
    void presentation_data();
    void presentation();
    void echapArreteAussitot();
    void pause_data();
    void pause();
};

void TestEcran::delais_data()
{
    QTest::addColumn<Lecture>("lu");
    QTest::addColumn<double>("ms");
    QTest::addColumn<double>("arrondi"); // how far the value written here is rounded, in ms
    QTest::newRow("Jeu::IntervalleDepart")
            << Lecture([](VorlanFrm &) { return double(Jeu::IntervalleDepart); }) << 1000.0 << 0.0;
    QTest::newRow("rafraichissement a 60 Hz") << periodeA(60) << 16.7 << 0.05;
    QTest::newRow("rafraichissement a 75 Hz") << periodeA(75) << 13.3 << 0.05;
}

void TestEcran::delais()
{
    QFETCH(Lecture, lu);
    QFETCH(double, ms);
    QFETCH(double, arrondi);
    const double vu = lu(*m_w);
    QVERIFY2(std::abs(vu - ms) <= arrondi,
             qPrintable(QStringLiteral("%1 ms where %2 ms are due").arg(vu).arg(ms)));
}

void TestEcran::presentation_data()
{
    QTest::addColumn<bool>("touche"); // the change: the Left key, or else a tick
    QTest::addColumn<double>("periodes"); // refresh periods since the last repaint
    QTest::addColumn<bool>("tenue"); // the repaint waits for the end of the refresh

    QTest::newRow("un tic juste apres un rafraichissement se montre au suivant")
            << false << 0.0 << true;
    QTest::newRow("une touche juste apres un rafraichissement se montre au suivant")
            << true << 0.0 << true;
    QTest::newRow("un tic a mi-periode attend la fin de la periode") << false << 0.5 << true;
    QTest::newRow("un tic a 99 % de la periode attend encore") << false << 0.99 << true;
    QTest::newRow("un tic une periode apres le dernier rafraichissement se montre aussitot")
            << false << 1.0 << false;
    QTest::newRow("un tic une seconde apres le dernier rafraichissement se montre aussitot")
            << false << 60.0 << false;
}

// A change reaches the screen with the first repaint that goes through after it, and not
// before: within a refresh period of a repaint, Qt's request waits for the end of that
// period; a period or more after one, it goes through at once. The pace's clock stands still,
// and the wait is checked from below only (a busy machine can only make it longer), so
// nothing here depends on how fast the machine runs.
void TestEcran::presentation()
{
    QFETCH(bool, touche);
    QFETCH(double, periodes);
    QFETCH(bool, tenue);

    VorlanFrm &w = *m_w;
    Rafraichissement &r = w.rafraichissement();
    auto instant = Rafraichissement::Chrono::now();
    Rafraichissement::remplacerHorloge([&] { return instant; });
    const auto retablir = qScopeGuard([] { Rafraichissement::remplacerHorloge({}); });
    r.peindre();
    const auto ecart = std::chrono::duration_cast<std::chrono::nanoseconds>(r.periode() * periodes);
    instant += ecart;

    // The piece stands in rows 1 to 3 of column 4: a tick brings its bottom colour into row
    // 4, the key its top colour into column 3.
    const int p = w.jeu().Position();
    const int cible = touche ? p - 1 : p + Jeu::Dessous;
    const QColor avant = ecran(w).pixelColor(centreCase(w, cible));
    std::vector<QColor> vues; // the cell on the screen after each repaint
    QElapsedTimer depuisDemande; // started before the request: it can only overstate the wait
    qint64 attente = -1; // ns from the request to the repaint
    connect(&r, &Rafraichissement::presente, this, [&] {
        attente = depuisDemande.nsecsElapsed();
        vues.push_back(ecran(w).pixelColor(centreCase(w, cible)));
    });
    const std::uint64_t n = r.presentations();
    depuisDemande.start();
    if (touche)
        QTest::keyClick(w.windowHandle(), Qt::Key_Left);
    else
        w.Timer1_Timer();
    const QColor apres = resoudre(w.jeu().lbl(cible), w.palette());
    QVERIFY(apres != avant);

    // Qt's request for the repaint, and no timer.
    QCoreApplication::sendPostedEvents(&w, QEvent::UpdateRequest);
    QCOMPARE(r.enAttente(), tenue);
    QCOMPARE(r.presentations(), n + (tenue ? 0 : 1));
    if (tenue)
        QCOMPARE(ecran(w).pixelColor(centreCase(w, cible)), avant);
    QVERIFY2(QTest::qWaitFor([&] { return r.presentations() == n + 1; }, 2000),
             "the repaint held for the end of the period never went through");
    QCOMPARE(vues.size(), std::size_t(1));
    QCOMPARE(vues.front(), apres);
    QVERIFY(!r.enAttente());
    // Never two repaints less than a period apart.
    if (tenue)
        QVERIFY2(ecart.count() + attente >= r.periode().count(),
                 qPrintable(QStringLiteral("repainted %1 ms after the request")
                                    .arg(double(attente) / 1e6)));
}

void TestEcran::echapArreteAussitot()
{
    VorlanFrm &w = *m_w;
    QVERIFY2(activer(w), "the window never became active");
    QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
    QCOMPARE(w.etatFenetre(), Fenetre::EtatFenetre::Minimise);
    const QStringList avant = lire(w.jeu());
    w.Timer1_Timer();
    w.Timer1_Timer();
    QCOMPARE(lire(w.jeu()), avant);
    // Keys still act on a minimised window; Escape again changes nothing.
    const int p = w.jeu().Position();
    QTest::keyClick(w.windowHandle(), Qt::Key_Left);
    QCOMPARE(w.jeu().Position(), p - 1);
    QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
    QCOMPARE(w.etatFenetre(), Fenetre::EtatFenetre::Minimise);
}

void TestEcran::pause_data()
{
    using E = Evenement;
    QTest::addColumn<std::vector<Pas>>("pas");
    QTest::newRow("reduite par le bureau, immobile jusqu'a sa restauration")
            << std::vector<Pas> {{E::Reduite, false}, {E::Restauree, true}};
    QTest::newRow("cachee par le compositeur, immobile jusqu'a ce qu'il la montre")
            << std::vector<Pas> {{E::Cachee, false}, {E::Attente, false}, {E::Montree, true}};
    QTest::newRow("derriere une autre fenetre, le jeu continue")
            << std::vector<Pas> {{E::Derriere, true}};
    QTest::newRow("agrandie, le jeu continue") << std::vector<Pas> {{E::Maximisee, true}};
    QTest::newRow("Echap sous X11, immobile jusqu'a ce qu'elle soit retiree puis restauree")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::Cachee, false},
                                 {E::Attente, false},
                                 {E::Restauree, false},
                                 {E::Montree, true}};
    QTest::newRow("Echap sous Wayland, immobile jusqu'a ce qu'elle soit cachee puis montree")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Cachee, false},
                                 {E::Attente, false},
                                 {E::Montree, true}};
    QTest::newRow("Echap, cachee puis montree pendant l'attente")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Cachee, false},
                                 {E::Montree, true}};
    QTest::newRow("Echap ignore par le compositeur, une courte pause") << std::vector<Pas> {
            {E::Echap, false}, {E::EtatSansReduction, false}, {E::Attente, true}};
    QTest::newRow("Echap sur une fenetre cachee, immobile jusqu'a ce qu'elle soit montree")
            << std::vector<Pas> {{E::Cachee, false},
                                 {E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Montree, true}};
}

// The tick stands still exactly while the player cannot see the window, whatever the desktop
// reports; the events come in as the platform plugins deliver them.
void TestEcran::pause()
{
    QFETCH(std::vector<Pas>, pas);
    VorlanFrm &w = *m_w;
    QVERIFY2(activer(w), "the window never became active");
    QWidget autre;
    QElapsedTimer depuisEchap; // started before the key: it can only overstate the pause
    for (std::size_t k = 0; k < pas.size(); ++k) {
        switch (pas[k].evenement) {
        case Evenement::Echap:
            depuisEchap.start();
            QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
            break;
        case Evenement::Reduite:
            w.showMinimized();
            break;
        case Evenement::Restauree:
            w.showNormal();
            break;
        case Evenement::Maximisee:
            w.showMaximized();
            break;
        case Evenement::Cachee:
            exposer(false);
            break;
        case Evenement::Montree:
            exposer(true);
            break;
        case Evenement::EtatSansReduction:
            w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
            break;
        case Evenement::Derriere:
            autre.show();
            QVERIFY2(activer(autre), "the other window never became active");
            QVERIFY(!w.isActiveWindow());
            break;
        case Evenement::Attente:
            // Waiting is no timing: the wait either has run out or it never ends.
            if (pas[k].avance) {
                QVERIFY2(QTest::qWaitFor(
                                 [&] { return w.etatFenetre() != Fenetre::EtatFenetre::Minimise; },
                                 10 * Visibilite::DelaiReduction),
                         "the wait for the desktop to hide the window never ran out");
                // The wait for the desktop lasts from the key, not from one step.
                if (depuisEchap.isValid())
                    QVERIFY2(
                            depuisEchap.elapsed() >= Visibilite::DelaiReduction,
                            qPrintable(
                                    QStringLiteral("over after %1 ms").arg(depuisEchap.elapsed())));
            } else {
                QTest::qWait(2 * Visibilite::DelaiReduction);
            }
            break;
        }
        const int p = w.jeu().Position();
        w.Timer1_Timer();
        QVERIFY2(w.jeu().Position() == (pas[k].avance ? p + Jeu::Colonnes : p),
                 qPrintable(QStringLiteral("step %1").arg(k + 1)));
        QCOMPARE(w.etatFenetre() == Fenetre::EtatFenetre::Minimise, !pas[k].avance);
    }
}

QTEST_MAIN(TestEcran)
#include "tst_ecran.moc"
