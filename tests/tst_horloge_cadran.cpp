// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock's set-up and dial: where it puts its centre and radius, the settings it keeps and
// their fallbacks, the colours it hands on, its marks, the circle of a second set-up; and the
// settings it refuses, with a clear error, keeping what it had done.

#include "horlogetest.h"
#include "peinture.h"

#include <QtTest>
#include <stdexcept>

using namespace vl;
using namespace vl::test;

class TestHorlogeCadran : public QObject
{
    Q_OBJECT
private slots:
    void geometrie_data();
    void geometrie();
    void reglages_data();
    void reglages();
    void couleursArrondies_data();
    void couleursArrondies();
    void reperes_data();
    void reperes();
    void cercleAvecLargeurRestante_data();
    void cercleAvecLargeurRestante();
    void largeurRefusee_data();
    void largeurRefusee();
    void horsLimites_data();
    void horsLimites();
};

void TestHorlogeCadran::geometrie_data()
{
    QTest::addColumn<int>("largeur"); // outside, twips
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<double>("rayonDonne");
    QTest::addColumn<double>("centreX");
    QTest::addColumn<double>("centreY");
    QTest::addColumn<double>("rayon");

    const int l = Banc::Largeur, h = Banc::Hauteur;
    const double x = Cadran::CentreX, y = Cadran::CentreY, r = Cadran::Rayon;
    QTest::newRow("boite du jeu") << l << h << 0.0 << x << y << r;
    QTest::newRow("ScaleWidth 2171: 1085.5 au pair 1086") << l + 1 << h << 0.0 << x + 1 << y << r;
    QTest::newRow("ScaleWidth 2173: 1086.5 au pair 1086") << l + 3 << h << 0.0 << x + 1 << y << r;
    QTest::newRow("ScaleHeight 2071: 1035.5 au pair 1036, moins 80")
            << l << h + 1 << 0.0 << x << y + 1 << r + 1;
    QTest::newRow("ScaleHeight 2069: 1034.5 au pair 1034, moins 80")
            << l << h - 1 << 0.0 << x << y - 1 << r - 1;
    QTest::newRow("rayon automatique sur CentreX, le plus petit")
            << 1030 << h << 0.0 << 500.0 << y << 450.0;
    QTest::newRow("centres egaux: leur valeur commune moins 50") << 1940 << h << 0.0 << y << y << r;
    QTest::newRow("rayon 400 sans marge") << l << h << 400.0 << x << y << 400.0;
    QTest::newRow("rayon -400 garde tel quel") << l << h << -400.0 << x << y << -400.0;
    QTest::newRow("boite basse: centre au-dessus du haut")
            << l << 100 << 0.0 << x << -45.0 << -95.0;
}

// The centre is the middle of the drawing area rounded half to even, raised by 80; the
// automatic radius keeps 50 units of margin, a given one is taken as it is.
void TestHorlogeCadran::geometrie()
{
    QFETCH(int, largeur);
    QFETCH(int, hauteur);
    QFETCH(double, rayonDonne);
    QFETCH(double, centreX);
    QFETCH(double, centreY);
    QFETCH(double, rayon);

    Banc b(largeur, hauteur);
    Reglages r = reglagesDuJeu();
    r[H::Rayon] = rayonDonne;
    b.demarrer(r);

    QCOMPARE(b.etat(H::Pi), Pi);
    QCOMPARE(b.etat(H::CentreX), centreX);
    QCOMPARE(b.etat(H::CentreY), centreY);
    QCOMPARE(b.etat(H::Rayon), rayon);
    const std::vector<Appel> cercles = b.boite->de(Appel::Cercle);
    QCOMPARE(cercles.size(), std::size_t(1));
    QCOMPARE(cercles[0].x1, float(centreX));
    QCOMPARE(cercles[0].y1, float(centreY));
    QCOMPARE(cercles[0].x2, float(rayon));
}

void TestHorlogeCadran::reglages_data()
{
    QTest::addColumn<int>("indice"); // the setting, by the slot it lands in
    QTest::addColumn<double>("valeur");
    QTest::addColumn<double>("garde");

    const auto ligne = [](const char *nom, H::Indice i, double valeur, double garde) {
        QTest::addRow("%s %g -> %g", nom, valeur, garde) << int(i) << valeur << garde;
    };
    // Mark widths and hand lengths fall back when 0 or negative.
    for (const double v : {0.0, -2.0}) {
        ligne("TailleRepereMinutes", H::TailleRepereMinutes, v, Repli::TailleRepereMinutes);
        ligne("TailleRepereHeures", H::TailleRepereHeures, v, Repli::TailleRepereHeures);
    }
    ligne("TailleRepereMinutes", H::TailleRepereMinutes, 1.2, 1.2);
    ligne("TailleRepereHeures", H::TailleRepereHeures, 7, 7);
    for (const double v : {0.0, -0.5, 1.2}) {
        ligne("LongueurAiguilleSecondes", H::LongueurAiguilleSecondes, v,
              v > 0 ? v : Repli::LongueurAiguilleSecondes);
        ligne("LongueurAiguilleMinutes", H::LongueurAiguilleMinutes, v,
              v > 0 ? v : Repli::LongueurAiguilleMinutes);
        ligne("LongueurAiguilleHeures", H::LongueurAiguilleHeures, v,
              v > 0 ? v : Repli::LongueurAiguilleHeures);
    }
    // Hand widths fall back only when exactly 0.
    ligne("TailleAiguilleSecondes", H::TailleAiguilleSecondes, 0, Repli::TailleAiguilleSecondes);
    ligne("TailleAiguilleSecondes", H::TailleAiguilleSecondes, -2, -2);
    ligne("TailleAiguilleMinutes", H::TailleAiguilleMinutes, 0, Repli::TailleAiguilleMinutes);
    ligne("TailleAiguilleMinutes", H::TailleAiguilleMinutes, -1, -1);
    ligne("TailleAiguilleHeures", H::TailleAiguilleHeures, 0, Repli::TailleAiguilleHeures);
    ligne("TailleAiguilleHeures", H::TailleAiguilleHeures, 0.4, 0.4);
    // Colours and the mode are stored as they come.
    ligne("CouleurCercle", H::CouleurCercle, 255.5, 255.5);
    ligne("CouleurAiguilleHeures", H::CouleurAiguilleHeures, 0, 0);
    ligne("TicTac", H::TicTac, -1, -1);
    ligne("TicTac", H::TicTac, 2, 2);
}

// Each setting lands in its own slot by its own rule; every other slot is as the game's
// settings leave it.
void TestHorlogeCadran::reglages()
{
    QFETCH(int, indice);
    QFETCH(double, valeur);
    QFETCH(double, garde);

    Banc jeu;
    jeu.demarrer();
    Banc b;
    Reglages r = reglagesDuJeu();
    r[std::size_t(indice)] = valeur;
    b.demarrer(r);
    QCOMPARE(b.etat(indice), garde);
    for (int i = 0; i < H::NombreIndices; ++i)
        if (i != indice)
            QCOMPARE(b.etat(i), jeu.etat(i));
    QCOMPARE(b.etat(0), 0.0);
}

void TestHorlogeCadran::couleursArrondies_data()
{
    QTest::addColumn<int>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<uint>("remise"); // the colour value the box is given

    QTest::newRow("cercle 255.5 -> 256") << int(H::CouleurCercle) << 255.5 << 256u;
    QTest::newRow("cercle 254.5 -> 254") << int(H::CouleurCercle) << 254.5 << 254u;
    QTest::newRow("reperes minutes 255.5 -> 256") << int(H::CouleurRepereMinutes) << 255.5 << 256u;
    QTest::newRow("reperes heures 254.5 -> 254") << int(H::CouleurRepereHeures) << 254.5 << 254u;
    QTest::newRow("trotteuse 254.5 -> 254") << int(H::CouleurAiguilleSecondes) << 254.5 << 254u;
    QTest::newRow("aiguille minutes 255.5 -> 256")
            << int(H::CouleurAiguilleMinutes) << 255.5 << 256u;
    QTest::newRow("aiguille heures 254.5 -> 254") << int(H::CouleurAiguilleHeures) << 254.5 << 254u;
    QTest::newRow("aiguille heures 254.4999 -> 254")
            << int(H::CouleurAiguilleHeures) << 254.4999 << 254u;
    QTest::newRow("reference systeme en entier signe -> 0x80000005")
            << int(H::CouleurCercle) << -2147483643.0 << 0x80000005u;
}

// A colour goes to the box rounded to the nearest integer, halves to even: in the calls the
// box receives and in the pixels it paints. The wrong roundings would give 255, pure red.
void TestHorlogeCadran::couleursArrondies()
{
    QFETCH(int, reglage);
    QFETCH(double, valeur);
    QFETCH(uint, remise);

    Montre montre(10, 10, 40);
    Banc b;
    Reglages r = reglagesContrastes();
    r[std::size_t(reglage)] = valeur;
    b.demarrer(r);
    b.horloge.HorlogeDes(*b.boite);

    // The calls that draw with the colour: the kind of drawing and its width tell them apart.
    const auto utilise = [&](const Appel &a) {
        if (reglage == H::CouleurCercle)
            return a.genre == Appel::Cercle;
        if (reglage == H::CouleurRepereMinutes || reglage == H::CouleurRepereHeures)
            return a.genre == Appel::Point
                    && a.largeur
                    == int(r[reglage == H::CouleurRepereMinutes ? H::TailleRepereMinutes
                                                                : H::TailleRepereHeures]);
        for (const Aiguille &g : Aiguilles)
            if (g.couleur == reglage)
                return a.genre == Appel::Trait && a.largeur == int(r[g.taille]);
        return false;
    };
    int nombre = 0;
    for (const Appel &a : b.boite->appels)
        if (utilise(a)) {
            QCOMPARE(a.couleur, Couleur(remise));
            ++nombre;
        }
    QVERIFY(nombre > 0);

    const QColor attendue = resoudre(remise, b.boite->palette());
    QVERIFY2(pixels(b.boite->image(), attendue.rgb()) > 0, qPrintable(attendue.name()));
    QCOMPARE(pixels(b.boite->image(), rgbDe(255)), 0);
}

void TestHorlogeCadran::reperes_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<double>("rayonDonne");
    QTest::addColumn<double>("tailleMinutes");
    QTest::addColumn<int>("tailleHeures");
    QTest::addColumn<int>("largeurMinutes"); // the widths the box is given
    QTest::addColumn<int>("largeurHeures");

    const int l = Banc::Largeur;
    const Horloge::Reglages &j = VorlanFrm::ReglagesHorloge1;
    QTest::newRow("boite et reperes du jeu")
            << l << 0.0 << j.TailleRepereMinutes << int(j.TailleRepereHeures)
            << int(j.TailleRepereMinutes) << int(j.TailleRepereHeures);
    QTest::newRow("largeurs par defaut 3 et 5")
            << l << 0.0 << 0.0 << 0 << int(Repli::TailleRepereMinutes)
            << int(Repli::TailleRepereHeures);
    QTest::newRow("rayon 400, largeur 1.5 arrondie a 2") << l << 400.0 << 1.5 << 1 << 2 << 1;
    QTest::newRow("centre 1086, largeur 2.5 arrondie au pair 2")
            << l + 1 << 0.0 << 2.5 << 4 << 2 << 4;
}

// The dial: cleared, circled, then the minute points (the last one back on the first) and the
// hour points, each series from three o'clock clockwise, each at its own width and colour.
// On the image, every hour point shows the hour colour and every other minute point the
// minute colour.
void TestHorlogeCadran::reperes()
{
    QFETCH(int, largeur);
    QFETCH(double, rayonDonne);
    QFETCH(double, tailleMinutes);
    QFETCH(int, tailleHeures);
    QFETCH(int, largeurMinutes);
    QFETCH(int, largeurHeures);

    Banc b(largeur);
    Reglages r = reglagesContrastes();
    r[H::Rayon] = rayonDonne;
    r[H::TailleRepereMinutes] = tailleMinutes;
    r[H::TailleRepereHeures] = tailleHeures;
    b.demarrer(r);
    const double cx = b.etat(H::CentreX), cy = b.etat(H::CentreY), rayon = b.etat(H::Rayon);

    // Clear, circle, width, minute points, width, hour points.
    const std::size_t minutes = 3;
    const std::size_t heures = minutes + Cadran::PointsMinutes + 1;
    const std::vector<Appel> &a = b.boite->appels;
    QCOMPARE(a.size(), heures + Cadran::PointsHeures);
    QCOMPARE(a[0].genre, Appel::Efface);
    QCOMPARE(a[1].genre, Appel::Cercle);
    QCOMPARE(a[minutes - 1].genre, Appel::Largeur);
    QCOMPARE(a[minutes - 1].largeur, largeurMinutes);
    QCOMPARE(a[heures - 1].genre, Appel::Largeur);
    QCOMPARE(a[heures - 1].largeur, largeurHeures);

    const auto verifie = [&](std::size_t debut, int n, double pas, Couleur c, int w) {
        for (int k = 0; k < n; ++k) {
            const Appel &p = a[debut + std::size_t(k)];
            QCOMPARE(p.genre, Appel::Point);
            QCOMPARE(p.couleur, c);
            QCOMPARE(p.largeur, w);
            const double angle = k * pas;
            QVERIFY2(std::abs(p.x1 - (cx + rayon * std::cos(angle))) < 1e-3
                             && std::abs(p.y1 - (cy + rayon * std::sin(angle))) < 1e-3,
                     qPrintable(QStringLiteral("point %1 at %2,%3").arg(k).arg(p.x1).arg(p.y1)));
        }
        // The first point exactly at three o'clock.
        QCOMPARE(a[debut].x1, float(cx + rayon));
        QCOMPARE(a[debut].y1, float(cy));
    };
    verifie(minutes, Cadran::PointsMinutes, Pi / 30, Couleur(r[H::CouleurRepereMinutes]),
            largeurMinutes);
    verifie(heures, Cadran::PointsHeures, Pi / 6, Couleur(r[H::CouleurRepereHeures]),
            largeurHeures);
    const Appel &dernier = a[heures - 2];
    QVERIFY(std::abs(dernier.x1 - a[minutes].x1) < 1e-3
            && std::abs(dernier.y1 - a[minutes].y1) < 1e-3);
    // The loop's angle ends on its thirteenth value, just above a full turn.
    QVERIFY(b.etat(H::AngleRepere) > 2 * Pi);
    QVERIFY(b.etat(H::AngleRepere) < 2 * Pi + 1e-12);

    // Each dot shows at its point, the hour dots over the minute dots they share a place with.
    for (std::size_t k = minutes; k < a.size(); ++k) {
        if (a[k].genre != Appel::Point || (k < heures && (k - minutes) % 5 == 0))
            continue;
        QCOMPARE(pixelEn(*b.boite, a[k].x1, a[k].y1), rgbDe(a[k].couleur));
    }
}

void TestHorlogeCadran::cercleAvecLargeurRestante_data()
{
    QTest::addColumn<int>("avant"); // 0 none, 1 HorlogeDeb only, 2 HorlogeDeb then HorlogeDes
    QTest::addColumn<double>("tailleHeures");
    QTest::addColumn<int>("largeurCercle");

    QTest::newRow("premier HorlogeDeb: largeur initiale 1") << 0 << 4.0 << 1;
    QTest::newRow("apres HorlogeDeb seul: largeur des reperes d'heures")
            << 1 << 4.0 << int(VorlanFrm::ReglagesHorloge1.TailleRepereHeures);
    QTest::newRow("apres HorlogeDes: largeur de l'aiguille des heures 4") << 2 << 4.0 << 4;
    QTest::newRow("apres HorlogeDes: largeur de l'aiguille des heures 7") << 2 << 7.0 << 7;
}

// HorlogeDeb sets no width before its circle: a second set-up draws the circle with the width
// the box was left with, and forgets the hands drawn before.
void TestHorlogeCadran::cercleAvecLargeurRestante()
{
    QFETCH(int, avant);
    QFETCH(double, tailleHeures);
    QFETCH(int, largeurCercle);

    Montre montre(12, 0, 0);
    Banc b;
    Reglages r = reglagesContrastes();
    r[H::TailleAiguilleHeures] = tailleHeures;
    if (avant >= 1)
        b.demarrer(r);
    if (avant >= 2)
        b.horloge.HorlogeDes(*b.boite);
    b.boite->appels.clear();
    b.demarrer(r);

    const std::vector<Appel> cercles = b.boite->de(Appel::Cercle);
    QCOMPARE(cercles.size(), std::size_t(1));
    QCOMPARE(cercles[0].largeur, largeurCercle);
    QCOMPARE(b.etat(H::XAiguilleSecondes), -1.0);

    // On the image: the ring's thickness at 3 degrees, between two marks, along the radius.
    const double cx = b.etat(H::CentreX), cy = b.etat(H::CentreY), rayon = b.etat(H::Rayon);
    const double a = 3 * Pi / 180;
    const QRgb jaune = rgbDe(Couleur(r[H::CouleurCercle]));
    double epaisseur = 0;
    for (double t = rayon - 100; t <= rayon + 100; t += 0.5)
        epaisseur += pixelEn(*b.boite, cx + t * std::cos(a), cy + t * std::sin(a)) == jaune;
    epaisseur = epaisseur * 0.5 / TwipsParPixel;
    QVERIFY2(std::abs(epaisseur - largeurCercle) <= 1, qPrintable(QString::number(epaisseur)));
}

void TestHorlogeCadran::largeurRefusee_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("premierEchoue");

    QTest::newRow("trotteuse tracee: refus au trace de la trotteuse") << 0 << true;
    QTest::newRow("trotteuse cachee: premier appel reussi, refus a l'effacement suivant")
            << -1 << false;
}

// A second-hand width of -2 is stored; HorlogeDes then fails when it sets that width, with
// the box's exception, keeping the slots written before and what was drawn.
void TestHorlogeCadran::largeurRefusee()
{
    QFETCH(int, mode);
    QFETCH(bool, premierEchoue);

    Montre montre(5, 20, 10);
    Banc b;
    Reglages r = reglagesDuJeu();
    r[H::TailleAiguilleSecondes] = -2;
    r[H::TicTac] = mode;
    b.demarrer(r);
    QCOMPARE(b.etat(H::TailleAiguilleSecondes), -2.0);
    const QImage cadran = b.boite->image();

    const auto echoue = [&] {
        try {
            b.horloge.HorlogeDes(*b.boite);
        } catch (const std::invalid_argument &e) {
            return QString::fromUtf8(e.what()).contains(QStringLiteral("-2"));
        }
        return false;
    };

    if (premierEchoue) {
        QVERIFY(echoue());
        QCOMPARE(montre.lectures, 1);
        QCOMPARE(b.etat(H::AngleSecondes), Pi / 30 * 55);
        QVERIFY(std::abs(b.etat(H::XAiguilleSecondes)
                         - (Cadran::CentreX + Cadran::PorteeSecondes * std::cos(Pi / 30 * 55)))
                < 1e-9);
        QCOMPARE(b.etat(H::AngleMinutes), 20.0); // the reading, not yet an angle
        QCOMPARE(b.etat(H::AngleHeures), 5.0);
        QCOMPARE(b.etat(H::XAiguilleMinutes), 0.0);
        QCOMPARE(b.etat(H::XAiguilleHeures), 0.0);
        QCOMPARE(b.boite->image(), cadran);
    } else {
        b.horloge.HorlogeDes(*b.boite);
        QCOMPARE(montre.lectures, 1);
    }

    // The next call fails on its very first step, the erasing, before reading the time.
    const int lectures = montre.lectures;
    const QImage avant = b.boite->image();
    const auto etatAvant = b.horloge.etat();
    QVERIFY(echoue());
    QCOMPARE(montre.lectures, lectures);
    QCOMPARE(b.boite->image(), avant);
    QVERIFY(b.horloge.etat() == etatAvant);
}

void TestHorlogeCadran::horsLimites_data()
{
    QTest::addColumn<int>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<bool>("desLeReglage"); // fails in HorlogeDeb rather than HorlogeDes

    QTest::newRow("couleur du cercle au-dela de 32 bits") << int(H::CouleurCercle) << 3e9 << true;
    QTest::newRow("couleur des reperes sous -2^31")
            << int(H::CouleurRepereHeures) << -2147483649.0 << true;
    QTest::newRow("largeur des reperes au-dela de 16 bits")
            << int(H::TailleRepereMinutes) << 40000.0 << true;
    QTest::newRow("largeur d'aiguille au-dela de 16 bits")
            << int(H::TailleAiguilleHeures) << 32767.5 << false;
    QTest::newRow("largeur d'aiguille qui n'est pas un nombre")
            << int(H::TailleAiguilleMinutes) << std::nan("") << false;
    QTest::newRow("couleur d'aiguille infinie")
            << int(H::CouleurAiguilleSecondes) << HUGE_VAL << false;
}

// Values the integers cannot hold make the call fail with a clear error instead of handing
// the box a wrapped or undefined value.
void TestHorlogeCadran::horsLimites()
{
    QFETCH(int, reglage);
    QFETCH(double, valeur);
    QFETCH(bool, desLeReglage);

    Montre montre(10, 10, 10);
    Banc b;
    Reglages r = reglagesDuJeu();
    r[std::size_t(reglage)] = valeur;
    bool regle = false;
    try {
        b.demarrer(r);
        regle = true;
        b.horloge.HorlogeDes(*b.boite);
        QFAIL("the value out of range was accepted");
    } catch (const std::out_of_range &e) {
        QCOMPARE(regle, !desLeReglage);
        QVERIFY(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Horloge: ")));
    }
}

QTEST_MAIN(TestHorlogeCadran)
#include "tst_horloge_cadran.moc"
