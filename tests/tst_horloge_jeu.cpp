// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's clock: the settings the game gives it and what the clock keeps of them, typed
// here once; then the clock as the game window sets it up and each tick redraws it.

#include "horlogetest.h"

#include <QtTest>
#include <optional>

using namespace vl;
using namespace vl::test;

class TestHorlogeJeu : public QObject
{
    Q_OBJECT
private slots:
    void conformite_data();
    void conformite();
    void horlogeDuJeu();
};

void TestHorlogeJeu::conformite_data()
{
    QTest::addColumn<double>("reglage"); // the setting as the game must give it
    QTest::addColumn<double>("duJeu"); // the program's
    QTest::addColumn<int>("indice"); // the clock's slot for it
    QTest::addColumn<double>("garde"); // what the clock must keep there

    const Horloge::Reglages &j = VorlanFrm::ReglagesHorloge1;
    const auto ligne = [](const char *nom, double reglage, double duJeu, H::Indice i,
                          std::optional<double> garde = {}) {
        QTest::newRow(nom) << reglage << duJeu << int(i) << garde.value_or(reglage);
    };
    ligne("cercle jaune", 0x0000FFFF, j.CouleurCercle, H::CouleurCercle);
    ligne("trotteuse tracee sans bip", 0, j.TicTac, H::TicTac);
    ligne("reperes minutes de 2", 2, j.TailleRepereMinutes, H::TailleRepereMinutes);
    ligne("reperes minutes bleus", 0x00FF0000, j.CouleurRepereMinutes, H::CouleurRepereMinutes);
    ligne("reperes heures de 3", 3, j.TailleRepereHeures, H::TailleRepereHeures);
    ligne("reperes heures rouges", 0x000000FF, j.CouleurRepereHeures, H::CouleurRepereHeures);
    ligne("rayon de l'horloge", 0, j.LongueurRayon, H::Rayon, Cadran::Rayon);
    ligne("trotteuse de l'horloge", 0, j.LongueurAiguilleSecondes, H::LongueurAiguilleSecondes,
          Repli::LongueurAiguilleSecondes);
    ligne("trotteuse de 2", 2, j.TailleAiguilleSecondes, H::TailleAiguilleSecondes);
    ligne("trotteuse verte", 0x0000FF00, j.CouleurAiguilleSecondes, H::CouleurAiguilleSecondes);
    ligne("minutes de l'horloge", 0, j.LongueurAiguilleMinutes, H::LongueurAiguilleMinutes,
          Repli::LongueurAiguilleMinutes);
    ligne("minutes de 3", 3, j.TailleAiguilleMinutes, H::TailleAiguilleMinutes);
    ligne("minutes bleue", 0x00FF0000, j.CouleurAiguilleMinutes, H::CouleurAiguilleMinutes);
    ligne("heures de l'horloge", 0, j.LongueurAiguilleHeures, H::LongueurAiguilleHeures,
          Repli::LongueurAiguilleHeures);
    ligne("heures de 4", 4, j.TailleAiguilleHeures, H::TailleAiguilleHeures);
    ligne("heures rouge", 0x000000FF, j.CouleurAiguilleHeures, H::CouleurAiguilleHeures);
}

// Each of the sixteen settings as the game gives it, and what the game's clock keeps of it
// once the window is loaded.
void TestHorlogeJeu::conformite()
{
    QFETCH(double, reglage);
    QFETCH(double, duJeu);
    QFETCH(int, indice);
    QFETCH(double, garde);

    QCOMPARE(duJeu, reglage);
    VorlanFrm fenetre;
    fenetre.charger();
    QVERIFY(fenetre.Horloge1());
    QCOMPARE(fenetre.Horloge1()->etat().at(std::size_t(indice)), garde);
}

// The game's own clock: set up by Form_Load in the game's box, and redrawn by each tick.
void TestHorlogeJeu::horlogeDuJeu()
{
    const Horloge::Reglages &j = VorlanFrm::ReglagesHorloge1;
    Montre montre(12, 0, 0);
    VorlanFrm fenetre;
    fenetre.charger();
    const Horloge *horloge = fenetre.Horloge1();
    QVERIFY(horloge);
    const int lectures = montre.lectures; // the random seed takes one

    // The clock's other tests draw in a box of this size.
    BoiteImage &boite = fenetre.Picture1();
    const Banc banc;
    QCOMPARE(boite.ScaleWidth(), banc.boite->ScaleWidth());
    QCOMPARE(boite.ScaleHeight(), banc.boite->ScaleHeight());
    QCOMPARE(boite.BackColor(), couleurs::FondFenetre);
    QCOMPARE(horloge->etat()[H::XAiguilleSecondes], -1.0);
    // The dial: hour marks at twelve and nine, a minute mark.
    const double cx = Cadran::CentreX, cy = Cadran::CentreY, r = Cadran::Rayon;
    const QRgb reperesHeures = rgbDe(Couleur(j.CouleurRepereHeures));
    QCOMPARE(pixelEn(boite, cx, cy - r), reperesHeures);
    QCOMPARE(pixelEn(boite, cx - r, cy), reperesHeures);
    QCOMPARE(pixelEn(boite, cx + r * std::cos(Pi / 30), cy + r * std::sin(Pi / 30)),
             rgbDe(Couleur(j.CouleurRepereMinutes)));

    fenetre.Timer1_Timer();
    QCOMPARE(montre.lectures, lectures + 1);
    // Straight up, the hour hand over the minute hand over the second hand: each shows alone
    // between the end of the shorter one and its own.
    const double secondes = (Cadran::PorteeMinutes + Cadran::PorteeSecondes) / 2;
    QCOMPARE(pixelEn(boite, cx, cy - Cadran::PorteeHeures / 2),
             rgbDe(Couleur(j.CouleurAiguilleHeures)));
    QCOMPARE(pixelEn(boite, cx, cy - (Cadran::PorteeHeures + Cadran::PorteeMinutes) / 2),
             rgbDe(Couleur(j.CouleurAiguilleMinutes)));
    const QRgb trotteuse = rgbDe(Couleur(j.CouleurAiguilleSecondes));
    QCOMPARE(pixelEn(boite, cx, cy - secondes), trotteuse);

    montre.regler(12, 0, 1);
    fenetre.Timer1_Timer();
    QCOMPARE(montre.lectures, lectures + 2);
    QVERIFY(pixelEn(boite, cx, cy - secondes) != trotteuse);
    QCOMPARE(montre.bips, 0);
}

QTEST_MAIN(TestHorlogeJeu)
#include "tst_horloge_jeu.moc"
