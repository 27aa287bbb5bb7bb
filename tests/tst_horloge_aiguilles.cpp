// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock's hands: where they point and reach at a given time, which reading of the time
// they come from, how a redraw erases the last ones (to the pixel), and the second hand's
// modes.

#include "horlogetest.h"

#include <QtTest>

using namespace vl;
using namespace vl::test;

class TestHorlogeAiguilles : public QObject
{
    Q_OBJECT
private slots:
    void aiguilles_data();
    void aiguilles();
    void effacement_data();
    void effacement();
    void modesTrotteuse_data();
    void modesTrotteuse();
};

void TestHorlogeAiguilles::aiguilles_data()
{
    QTest::addColumn<QList<int>>("suite"); // h, m, s of the readings the time gives in turn
    QTest::addColumn<double>("angleSecondes");
    QTest::addColumn<double>("angleMinutes");
    QTest::addColumn<double>("angleHeures");

    const auto ligne = [](const char *nom, QList<int> suite, double s, double m, double h) {
        QTest::newRow(nom) << suite << s << m << h;
    };
    ligne("12:00:00, toutes en haut", {12, 0, 0}, 1.5 * Pi, 1.5 * Pi, 1.5 * Pi);
    ligne("00:00:00, toutes en haut", {0, 0, 0}, 1.5 * Pi, 1.5 * Pi, 1.5 * Pi);
    ligne("03:15:15, s = m = 60, h = 12.25", {3, 15, 15}, 2 * Pi, 2 * Pi, Pi / 6 * 12.25);
    ligne("03:00:00, heures a trois heures", {3, 0, 0}, 1.5 * Pi, 1.5 * Pi, 2 * Pi);
    ligne("15:00:00 comme 03:00:00", {15, 0, 0}, 1.5 * Pi, 1.5 * Pi, 2 * Pi);
    ligne("23:59:59, s = m = 44, h = 8 + 59/60", {23, 59, 59}, Pi / 30 * 44, Pi / 30 * 44,
          Pi / 6 * (8 + 59.0 / 60));
    ligne("06:30:16, secondes a 1, pas a 61", {6, 30, 16}, Pi / 30, Pi / 30 * 15, Pi / 6 * 3.5);
    ligne("09:45:45, heures au neuf plus 3/4", {9, 45, 45}, Pi, Pi, Pi / 6 * 6.75);
    // Readings that differ from one to the next: the angles show which one each hand took.
    ligne("trois aiguilles d'une seule lecture", {1, 2, 10, 3, 20, 4, 5, 6, 7, 8, 30, 9},
          Pi / 30 * 55, Pi / 30 * 47, Pi / 6 * (10 + 2 / 60.0));
    ligne("la minute passe pendant le dessin: 10:59:59, pas 59 s de la minute suivante",
          {10, 59, 59, 11, 0, 0, 11, 0, 0, 11, 0, 0}, Pi / 30 * 44, Pi / 30 * 44,
          Pi / 6 * (7 + 59 / 60.0));
    ligne("l'heure passe pendant le dessin: 13:59:59, pas 14 h",
          {13, 59, 59, 14, 0, 0, 14, 0, 0, 14, 0, 0}, Pi / 30 * 44, Pi / 30 * 44,
          Pi / 6 * (10 + 59 / 60.0));
    ligne("minuit passe pendant le dessin: 23:59:59, pas 00:00",
          {23, 59, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Pi / 30 * 44, Pi / 30 * 44,
          Pi / 6 * (8 + 59 / 60.0));
    ligne("l'aiguille des heures prend les minutes de la meme lecture", {4, 10, 10, 4, 36, 10},
          Pi / 30 * 55, Pi / 30 * 55, Pi / 6 * (1 + 10 / 60.0));
}

// The hands of the game's clock at a given time: the angles (0 at three o'clock, clockwise)
// and the ends, each at its hand's reach from the centre. HorlogeDes reads the time once for
// its three hands, so that a redraw across a change of minute or hour shows one time.
void TestHorlogeAiguilles::aiguilles()
{
    QFETCH(QList<int>, suite);
    QFETCH(double, angleSecondes);
    QFETCH(double, angleMinutes);
    QFETCH(double, angleHeures);

    Montre montre;
    Banc b;
    const Reglages r = reglagesDuJeu();
    b.demarrer(r);
    montre.suite.clear();
    for (qsizetype k = 0; k < suite.size(); k += 3)
        montre.suite.push_back({suite[k], suite[k + 1], suite[k + 2], 999});
    b.horloge.HorlogeDes(*b.boite);

    QCOMPARE(b.etat(H::AngleSecondes), angleSecondes);
    QCOMPARE(b.etat(H::AngleMinutes), angleMinutes);
    QCOMPARE(b.etat(H::AngleHeures), angleHeures);
    QCOMPARE(montre.lectures, 1);

    const double angles[] = {angleSecondes, angleMinutes, angleHeures};
    const double cx = Cadran::CentreX, cy = Cadran::CentreY;
    const std::vector<Appel> traits = b.boite->de(Appel::Trait);
    QCOMPARE(traits.size(), std::size_t(3));
    for (std::size_t k = 0; k < 3; ++k) {
        const Aiguille &g = Aiguilles[k];
        const double x = b.etat(g.x);
        const double y = b.etat(g.y);
        QVERIFY(std::abs(x - (cx + g.portee * std::cos(angles[k]))) < 1e-9);
        QVERIFY(std::abs(y - (cy + g.portee * std::sin(angles[k]))) < 1e-9);
        // Drawn in order seconds, minutes, hours, from the centre, as single-precision floats.
        QCOMPARE(traits[k].x1, float(cx));
        QCOMPARE(traits[k].y1, float(cy));
        QCOMPARE(traits[k].x2, float(x));
        QCOMPARE(traits[k].y2, float(y));
        QCOMPARE(traits[k].largeur, int(r[g.taille]));
        QCOMPARE(traits[k].couleur, Couleur(r[g.couleur]));
    }
}

void TestHorlogeAiguilles::effacement_data()
{
    QTest::addColumn<QList<int>>("avant"); // h, m, s
    QTest::addColumn<QList<int>>("apres");
    QTest::addColumn<double>("largeurs"); // all three hand widths, when not 0
    QTest::addColumn<double>("longueur"); // all three length fractions, when not 0
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("cadranIntact");

    const QList<int> t {16, 47, 23};
    QTest::newRow("meme heure, reglages du jeu") << t << t << 0.0 << 0.0 << 0 << true;
    QTest::newRow("meme heure, traits larges") << t << t << 9.0 << 0.0 << 0 << true;
    QTest::newRow("meme heure, trotteuse cachee") << t << t << 0.0 << 0.0 << -1 << true;
    QTest::newRow("meme heure, aiguilles jusqu'au cercle") << t << t << 5.0 << 1.0 << 2 << false;
    QTest::newRow("une seconde de plus")
            << QList<int> {12, 0, 0} << QList<int> {12, 0, 1} << 0.0 << 0.0 << 0 << true;
    QTest::newRow("tout change") << QList<int> {3, 15, 15} << QList<int> {21, 41, 37} << 0.0 << 0.0
                                 << 0 << true;
    QTest::newRow("traits larges, tout change")
            << QList<int> {23, 59, 59} << QList<int> {6, 22, 8} << 9.0 << 0.0 << 0 << true;
    QTest::newRow("aiguilles jusqu'au cercle: l'effacement y laisse des trous")
            << QList<int> {3, 15, 15} << QList<int> {9, 45, 45} << 5.0 << 1.0 << 0 << false;
}

// Erasing the hands restores exactly what they covered: a redraw at an unchanged time leaves
// the image as it was; after a move, the image is the one a fresh clock draws at the new
// time; once the hands are gone the dial-only image is back pixel for pixel. A hand that
// reaches the dial leaves gaps in it instead, which only hands at the same place cover again.
void TestHorlogeAiguilles::effacement()
{
    QFETCH(QList<int>, avant);
    QFETCH(QList<int>, apres);
    QFETCH(double, largeurs);
    QFETCH(double, longueur);
    QFETCH(int, mode);
    QFETCH(bool, cadranIntact);

    Reglages r = reglagesContrastes();
    if (largeurs != 0)
        r[H::TailleAiguilleSecondes] = r[H::TailleAiguilleMinutes] = r[H::TailleAiguilleHeures]
                = largeurs;
    if (longueur != 0)
        r[H::LongueurAiguilleSecondes] = r[H::LongueurAiguilleMinutes]
                = r[H::LongueurAiguilleHeures] = longueur;
    r[H::TicTac] = mode;
    Montre montre(avant[0], avant[1], avant[2]);
    Banc b;
    b.demarrer(r);
    const QImage cadran = b.boite->image();
    b.horloge.HorlogeDes(*b.boite);
    const QImage premiere = b.boite->image();
    QVERIFY(premiere != cadran);
    montre.regler(apres[0], apres[1], apres[2]);
    b.horloge.HorlogeDes(*b.boite);
    QCOMPARE(b.boite->image() == premiere, avant == apres);

    Banc neuf;
    neuf.demarrer(r);
    neuf.horloge.HorlogeDes(*neuf.boite);
    QCOMPARE(b.boite->image() == neuf.boite->image(), cadranIntact || avant == apres);

    // The last hands erased by hand, the way the clock erases them.
    const auto &E = b.horloge.etat();
    for (const Aiguille &g : Aiguilles) {
        b.boite->setDrawWidth(std::int16_t(E[g.taille]));
        b.boite->Line(float(E[H::CentreX]), float(E[H::CentreY]), float(E[g.x]), float(E[g.y]),
                      b.boite->BackColor());
    }
    QCOMPARE(b.boite->image() == cadran, cadranIntact);
}

void TestHorlogeAiguilles::modesTrotteuse_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("tracee");
    QTest::addColumn<bool>("bip");

    QTest::newRow("-1: ni trait ni bip") << -1 << false << false;
    QTest::newRow("-7: ni trait ni bip") << -7 << false << false;
    QTest::newRow("-32768: ni trait ni bip") << -32768 << false << false;
    QTest::newRow("0: trait sans bip (le jeu)") << 0 << true << false;
    QTest::newRow("1: trait et un bip par appel") << 1 << true << true;
    QTest::newRow("2: trait sans bip") << 2 << true << false;
    QTest::newRow("3: trait sans bip") << 3 << true << false;
    QTest::newRow("32767: trait sans bip") << 32767 << true << false;
}

// HorlogeSec stores the mode as it is and changes nothing else; HorlogeCas gives it back, as
// does a set-up with that mode. Then three redraws: the first erases nothing; each next one
// first erases the three hands drawn last, at their widths, in the colour BackColor returns.
// The second hand is drawn or not by mode, a beep right after it in mode 1 only; its end is
// computed and erased next time in every mode.
void TestHorlogeAiguilles::modesTrotteuse()
{
    QFETCH(int, mode);
    QFETCH(bool, tracee);
    QFETCH(bool, bip);

    Montre montre;
    Banc b;
    Systeme::doublures().Beep = [&] {
        b.boite->appels.push_back({Appel::Bip});
    };
    const Couleur fond = 0x00F0E0D0;
    b.boite->setBackColor(fond);
    Reglages r = reglagesContrastes();
    b.demarrer(r);
    const auto regle = b.horloge.etat();
    b.boite->appels.clear();
    b.horloge.HorlogeSec(std::int16_t(mode));
    QCOMPARE(b.horloge.HorlogeCas(), std::int16_t(mode));
    QCOMPARE(b.etat(H::TicTac), double(mode));
    for (int i = 0; i < H::NombreIndices; ++i)
        if (i != H::TicTac)
            QCOMPARE(b.etat(i), regle.at(std::size_t(i)));
    QVERIFY(b.boite->appels.empty());
    r[H::TicTac] = mode;
    Banc autre;
    autre.demarrer(r);
    QCOMPARE(autre.horloge.HorlogeCas(), std::int16_t(mode));

    const Couleur trotteuse = Couleur(r[H::CouleurAiguilleSecondes]);
    for (int appel = 0; appel < 3; ++appel) {
        montre.regler(7, 5 + appel, 30 + appel);
        const auto avant = b.horloge.etat();
        b.boite->appels.clear();
        b.horloge.HorlogeDes(*b.boite);

        // A width and a line for each hand erased, then for each hand drawn.
        const std::vector<Appel> &a = b.boite->appels;
        const std::size_t effaces = appel == 0 ? 0 : 3;
        QCOMPARE(a.size(), 2 * effaces + (tracee ? 6 : 4) + (bip ? 1 : 0));
        for (std::size_t k = 0; k < effaces; ++k) {
            const Aiguille &g = Aiguilles[k];
            QCOMPARE(a[2 * k].genre, Appel::Largeur);
            QCOMPARE(a[2 * k].largeur, int(r[g.taille]));
            const Appel &t = a[2 * k + 1];
            QCOMPARE(t.genre, Appel::Trait);
            QCOMPARE(t.couleur, fond);
            QCOMPARE(t.x1, float(Cadran::CentreX));
            QCOMPARE(t.y1, float(Cadran::CentreY));
            QCOMPARE(t.x2, float(avant[g.x]));
            QCOMPARE(t.y2, float(avant[g.y]));
        }
        const std::vector<Appel> traits = b.boite->de(Appel::Trait);
        QCOMPARE(traits.size(), effaces + (tracee ? 3 : 2));
        const double angle = Pi / 30 * (30 + appel - 15);
        QVERIFY(std::abs(b.etat(H::XAiguilleSecondes)
                         - (Cadran::CentreX + Cadran::PorteeSecondes * std::cos(angle)))
                < 1e-9);
        if (tracee) {
            QCOMPARE(traits[effaces].couleur, trotteuse);
            QCOMPARE(traits[effaces].x2, float(b.etat(H::XAiguilleSecondes)));
        }
        if (bip) {
            // Right after the second hand, before the minute hand's width is set.
            const std::size_t k = 2 * effaces + 2;
            QCOMPARE(a[k].genre, Appel::Bip);
            QCOMPARE(a[k - 1].genre, Appel::Trait);
            QCOMPARE(a[k - 1].couleur, trotteuse);
            QCOMPARE(a[k + 1].genre, Appel::Largeur);
        }
    }

    // Switched off, the hand drawn last is still erased and is not drawn again.
    if (tracee) {
        montre.regler(7, 9, 50);
        b.horloge.HorlogeSec(-1);
        b.boite->appels.clear();
        b.horloge.HorlogeDes(*b.boite);
        QCOMPARE(b.boite->appels.size(), std::size_t(2 * (3 + 2)));
        QCOMPARE(pixels(b.boite->image(), rgbDe(trotteuse)), 0);
    }
}

QTEST_MAIN(TestHorlogeAiguilles)
#include "tst_horloge_aiguilles.moc"
