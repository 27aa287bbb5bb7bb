// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The analog clock: its set-up and dial, its hands at given times, its second-hand modes and
// its failures, watched through a picture box that records every call it receives and
// through the pixels it leaves; then the clock as the game window sets it up and ticks it.

#include "boiteimage.h"
#include "horloge.h"
#include "peinture.h"
#include "systeme.h"
#include "vorlanfrm.h"

#include <QElapsedTimer>
#include <QTime>
#include <QtTest>
#include <array>
#include <cmath>
#include <deque>
#include <stdexcept>
#include <vector>

using namespace vl;

namespace {

using H = Horloge;

// One call received by the box, with the pen width in force; beeps go into the same log so
// that their place among the drawings shows.
struct Appel
{
    enum Genre { Largeur, Efface, Cercle, Point, Trait, Bip };
    Genre genre;
    int largeur = 0; // the width asked for (Largeur) or the width in force
    Couleur couleur = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // Cercle: x, y and radius in x2
};

// A real picture box that keeps a log of what it is asked to draw.
class BoiteEspion : public BoiteImage
{
public:
    explicit BoiteEspion(QWidget *parent)
        : BoiteImage(parent)
    {
    }

    std::vector<Appel> appels;

    void setDrawWidth(std::int16_t largeur) override
    {
        appels.push_back({Appel::Largeur, largeur});
        BoiteImage::setDrawWidth(largeur);
    }
    void Cls() override
    {
        appels.push_back({Appel::Efface, DrawWidth()});
        BoiteImage::Cls();
    }
    void Circle(float x, float y, float r, Couleur c) override
    {
        appels.push_back({Appel::Cercle, DrawWidth(), c, x, y, r});
        BoiteImage::Circle(x, y, r, c);
    }
    void PSet(float x, float y, Couleur c) override
    {
        appels.push_back({Appel::Point, DrawWidth(), c, x, y});
        BoiteImage::PSet(x, y, c);
    }
    void Line(float x1, float y1, float x2, float y2, Couleur c) override
    {
        appels.push_back({Appel::Trait, DrawWidth(), c, x1, y1, x2, y2});
        BoiteImage::Line(x1, y1, x2, y2, c);
    }

    std::vector<Appel> de(Appel::Genre g) const
    {
        std::vector<Appel> r;
        for (const Appel &a : appels)
            if (a.genre == g)
                r.push_back(a);
        return r;
    }
};

// The seventeen settings of HorlogeDeb by their place in the call, 2 to 17 (1 is the box).
enum Reglage {
    CouleurCercle = 2,
    TicTac,
    TailleRepereMinutes,
    CouleurRepereMinutes,
    TailleRepereHeures,
    CouleurRepereHeures,
    LongueurRayon,
    LongueurAiguilleSecondes,
    TailleAiguilleSecondes,
    CouleurAiguilleSecondes,
    LongueurAiguilleMinutes,
    TailleAiguilleMinutes,
    CouleurAiguilleMinutes,
    LongueurAiguilleHeures,
    TailleAiguilleHeures,
    CouleurAiguilleHeures
};
using Reglages = std::array<double, 18>;

// The settings that the game passes, by their place in the call.
Reglages reglagesDuJeu()
{
    const Horloge::Reglages &j = VorlanFrm::ReglagesHorloge1;
    Reglages r {};
    r[CouleurCercle] = j.CouleurCercle;
    r[TicTac] = j.TicTac;
    r[TailleRepereMinutes] = j.TailleRepereMinutes;
    r[CouleurRepereMinutes] = j.CouleurRepereMinutes;
    r[TailleRepereHeures] = j.TailleRepereHeures;
    r[CouleurRepereHeures] = j.CouleurRepereHeures;
    r[LongueurRayon] = j.LongueurRayon;
    r[LongueurAiguilleSecondes] = j.LongueurAiguilleSecondes;
    r[TailleAiguilleSecondes] = j.TailleAiguilleSecondes;
    r[CouleurAiguilleSecondes] = j.CouleurAiguilleSecondes;
    r[LongueurAiguilleMinutes] = j.LongueurAiguilleMinutes;
    r[TailleAiguilleMinutes] = j.TailleAiguilleMinutes;
    r[CouleurAiguilleMinutes] = j.CouleurAiguilleMinutes;
    r[LongueurAiguilleHeures] = j.LongueurAiguilleHeures;
    r[TailleAiguilleHeures] = j.TailleAiguilleHeures;
    r[CouleurAiguilleHeures] = j.CouleurAiguilleHeures;
    return r;
}

// The state of the game's clock after its set-up in the game's box: the settings as the game
// must store them, their fallbacks, and the geometry.
const std::array<std::pair<int, double>, 19> EtatDuJeu {{{H::CentreX, 1085},
                                                         {H::CentreY, 955},
                                                         {H::Rayon, 905},
                                                         {H::CouleurCercle, 0x0000FFFF},
                                                         {H::TicTac, 0},
                                                         {H::TailleRepereMinutes, 2},
                                                         {H::CouleurRepereMinutes, 0x00FF0000},
                                                         {H::TailleRepereHeures, 3},
                                                         {H::CouleurRepereHeures, 0x000000FF},
                                                         {H::LongueurAiguilleSecondes, 0.875},
                                                         {H::TailleAiguilleSecondes, 2},
                                                         {H::CouleurAiguilleSecondes, 0x0000FF00},
                                                         {H::LongueurAiguilleMinutes, 0.75},
                                                         {H::TailleAiguilleMinutes, 3},
                                                         {H::CouleurAiguilleMinutes, 0x00FF0000},
                                                         {H::LongueurAiguilleHeures, 0.625},
                                                         {H::TailleAiguilleHeures, 4},
                                                         {H::CouleurAiguilleHeures, 0x000000FF},
                                                         {H::Pi, std::atan(1.0) * 4}}};

// The value of slot i in EtatDuJeu.
double etatDuJeu(int i)
{
    for (const auto &[indice, v] : EtatDuJeu)
        if (indice == i)
            return v;
    qFatal("slot %d is not in EtatDuJeu", i);
}

// Six different colours, none of them 254, 255 or 256.
Reglages reglagesContrastes()
{
    Reglages r = reglagesDuJeu();
    r[CouleurCercle] = 0x0000FFFF; // yellow
    r[CouleurRepereMinutes] = 0x00FF0000; // blue
    r[CouleurRepereHeures] = 0x00FF00FF; // magenta
    r[CouleurAiguilleSecondes] = 0x0000A000; // green
    r[CouleurAiguilleMinutes] = 0x00FFFF00; // cyan
    r[CouleurAiguilleHeures] = 0x00404080; // dark red
    return r;
}

void demarrer(Horloge &h, BoiteImage &b, const Reglages &r)
{
    h.HorlogeDeb(b, r[CouleurCercle], std::int16_t(r[TicTac]), r[TailleRepereMinutes],
                 r[CouleurRepereMinutes], std::int16_t(r[TailleRepereHeures]),
                 r[CouleurRepereHeures], r[LongueurRayon], r[LongueurAiguilleSecondes],
                 r[TailleAiguilleSecondes], r[CouleurAiguilleSecondes], r[LongueurAiguilleMinutes],
                 r[TailleAiguilleMinutes], r[CouleurAiguilleMinutes], r[LongueurAiguilleHeures],
                 r[TailleAiguilleHeures], r[CouleurAiguilleHeures]);
}

// The game's picture box, 2200 x 2100 twips with its border, or another size.
struct Banc
{
    QWidget parent;
    BoiteEspion *boite = new BoiteEspion(&parent);
    Horloge horloge;

    explicit Banc(int largeur = 2200, int hauteur = 2100)
    {
        boite->setPlacement({6405, 5355, largeur, hauteur});
        boite->appels.clear();
    }
    double etat(int i) const { return horloge.etat().at(std::size_t(i)); }
};

// The time of day as the clock reads it: one fixed reading, or a list of readings taken in
// turn; either way every reading is counted.
struct Montre
{
    std::deque<Systeme::Lecture> suite;
    Systeme::Lecture fixe;
    int lectures = 0;

    Montre()
    {
        Systeme::doublures().heure = [this] {
            return lire();
        };
    }
    ~Montre() { Systeme::doublures().heure = {}; }
    void regler(int h, int m, int s)
    {
        suite.clear();
        fixe = {h, m, s, 0};
    }
    Systeme::Lecture lire()
    {
        ++lectures;
        if (suite.empty())
            return fixe;
        const Systeme::Lecture l = suite.front();
        suite.pop_front();
        return l;
    }
};

// Where an image differs from another, as a count of pixels.
int differences(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int j = 0; j < a.height(); ++j)
        for (int i = 0; i < a.width(); ++i)
            n += a.pixel(i, j) != b.pixel(i, j);
    return n;
}

QRgb rgbDe(Couleur c)
{
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// The colour of the image pixel that holds the point (x, y) in twips.
QRgb pixelEn(const BoiteImage &b, double x, double y)
{
    const double dpr = b.image().devicePixelRatio();
    return b.image().pixel(int(std::floor(x / TwipsParPixel * dpr)),
                           int(std::floor(y / TwipsParPixel * dpr)));
}

// True when the pixel holding (x, y) or one of its eight neighbours has colour c.
bool pixelPres(const BoiteImage &b, double x, double y, QRgb c)
{
    for (int dj = -1; dj <= 1; ++dj)
        for (int di = -1; di <= 1; ++di)
            if (pixelEn(b, x + di * TwipsParPixel, y + dj * TwipsParPixel) == c)
                return true;
    return false;
}

const double Pi = std::atan(1.0) * 4;

} // namespace

class TestHorloge : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Set-up and dial
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

    // Hands and time
    void aiguilles_data();
    void aiguilles();
    void lectures_data();
    void lectures();
    void premierDessinSansEffacer();
    void modesTrotteuse_data();
    void modesTrotteuse();
    void horlogeCas_data();
    void horlogeCas();

    // Pixels
    void redessinIdentique_data();
    void redessinIdentique();
    void effacementExact_data();
    void effacementExact();

    // Failures
    void largeurRefusee_data();
    void largeurRefusee();
    void horsLimites_data();
    void horsLimites();

    // In the game
    void horlogeDuJeu();

private:
    int m_nombreBips = 0;
};

void TestHorloge::init()
{
    m_nombreBips = 0;
    Systeme::doublures().Beep = [this] {
        ++m_nombreBips;
    };
}

void TestHorloge::cleanup()
{
    Systeme::doublures() = {};
}

void TestHorloge::geometrie_data()
{
    QTest::addColumn<int>("largeur"); // outside, twips
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<double>("rayonDonne");
    QTest::addColumn<double>("centreX");
    QTest::addColumn<double>("centreY");
    QTest::addColumn<double>("rayon");

    QTest::newRow("boite du jeu: 1085, 1035 - 80, 955 - 50")
            << 2200 << 2100 << 0.0 << 1085.0 << 955.0 << 905.0;
    QTest::newRow("ScaleWidth 2171: 1085.5 au pair 1086")
            << 2201 << 2100 << 0.0 << 1086.0 << 955.0 << 905.0;
    QTest::newRow("ScaleWidth 2173: 1086.5 au pair 1086")
            << 2203 << 2100 << 0.0 << 1086.0 << 955.0 << 905.0;
    QTest::newRow("ScaleHeight 2071: 1035.5 au pair 1036, moins 80")
            << 2200 << 2101 << 0.0 << 1085.0 << 956.0 << 906.0;
    QTest::newRow("ScaleHeight 2069: 1034.5 au pair 1034, moins 80")
            << 2200 << 2099 << 0.0 << 1085.0 << 954.0 << 904.0;
    QTest::newRow("rayon automatique sur CentreX, le plus petit")
            << 1030 << 2100 << 0.0 << 500.0 << 955.0 << 450.0;
    QTest::newRow("centres egaux: leur valeur commune moins 50")
            << 1940 << 2100 << 0.0 << 955.0 << 955.0 << 905.0;
    QTest::newRow("rayon 400 sans marge") << 2200 << 2100 << 400.0 << 1085.0 << 955.0 << 400.0;
    QTest::newRow("rayon -400 garde tel quel")
            << 2200 << 2100 << -400.0 << 1085.0 << 955.0 << -400.0;
    QTest::newRow("boite basse: centre au-dessus du haut")
            << 2200 << 100 << 0.0 << 1085.0 << -45.0 << -95.0;
}

// The centre is the middle of the drawing area rounded half to even, raised by 80; the
// automatic radius keeps 50 units of margin, a given one is taken as it is.
void TestHorloge::geometrie()
{
    QFETCH(int, largeur);
    QFETCH(int, hauteur);
    QFETCH(double, rayonDonne);
    QFETCH(double, centreX);
    QFETCH(double, centreY);
    QFETCH(double, rayon);

    Banc b(largeur, hauteur);
    QCOMPARE(b.boite->ScaleWidth(), largeur - 30.0);
    QCOMPARE(b.boite->ScaleHeight(), hauteur - 30.0);
    Reglages r = reglagesDuJeu();
    r[LongueurRayon] = rayonDonne;
    demarrer(b.horloge, *b.boite, r);

    QCOMPARE(b.etat(H::Pi), std::atan(1.0) * 4);
    QCOMPARE(b.etat(H::CentreX), centreX);
    QCOMPARE(b.etat(H::CentreY), centreY);
    QCOMPARE(b.etat(H::Rayon), rayon);
    QCOMPARE(b.etat(H::XAiguilleSecondes), -1.0);
    const std::vector<Appel> cercles = b.boite->de(Appel::Cercle);
    QCOMPARE(cercles.size(), std::size_t(1));
    QCOMPARE(cercles[0].x1, float(centreX));
    QCOMPARE(cercles[0].y1, float(centreY));
    QCOMPARE(cercles[0].x2, float(rayon));
}

void TestHorloge::reglages_data()
{
    QTest::addColumn<int>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<int>("indice");
    QTest::addColumn<double>("garde");

    // Mark widths and hand lengths fall back when 0 or negative.
    QTest::newRow("TailleRepereMinutes 0 -> 3")
            << int(TailleRepereMinutes) << 0.0 << int(H::TailleRepereMinutes) << 3.0;
    QTest::newRow("TailleRepereMinutes -2 -> 3")
            << int(TailleRepereMinutes) << -2.0 << int(H::TailleRepereMinutes) << 3.0;
    QTest::newRow("TailleRepereMinutes 1.2 gardee")
            << int(TailleRepereMinutes) << 1.2 << int(H::TailleRepereMinutes) << 1.2;
    QTest::newRow("TailleRepereHeures 0 -> 5")
            << int(TailleRepereHeures) << 0.0 << int(H::TailleRepereHeures) << 5.0;
    QTest::newRow("TailleRepereHeures -2 -> 5")
            << int(TailleRepereHeures) << -2.0 << int(H::TailleRepereHeures) << 5.0;
    QTest::newRow("TailleRepereHeures 7 gardee")
            << int(TailleRepereHeures) << 7.0 << int(H::TailleRepereHeures) << 7.0;
    QTest::newRow("LongueurAiguilleSecondes 0 -> 7/8")
            << int(LongueurAiguilleSecondes) << 0.0 << int(H::LongueurAiguilleSecondes) << 0.875;
    QTest::newRow("LongueurAiguilleSecondes -0.5 -> 7/8")
            << int(LongueurAiguilleSecondes) << -0.5 << int(H::LongueurAiguilleSecondes) << 0.875;
    QTest::newRow("LongueurAiguilleSecondes 1.2 gardee")
            << int(LongueurAiguilleSecondes) << 1.2 << int(H::LongueurAiguilleSecondes) << 1.2;
    QTest::newRow("LongueurAiguilleMinutes 0 -> 6/8")
            << int(LongueurAiguilleMinutes) << 0.0 << int(H::LongueurAiguilleMinutes) << 0.75;
    QTest::newRow("LongueurAiguilleMinutes -0.5 -> 6/8")
            << int(LongueurAiguilleMinutes) << -0.5 << int(H::LongueurAiguilleMinutes) << 0.75;
    QTest::newRow("LongueurAiguilleMinutes 1.2 gardee")
            << int(LongueurAiguilleMinutes) << 1.2 << int(H::LongueurAiguilleMinutes) << 1.2;
    QTest::newRow("LongueurAiguilleHeures 0 -> 5/8")
            << int(LongueurAiguilleHeures) << 0.0 << int(H::LongueurAiguilleHeures) << 0.625;
    QTest::newRow("LongueurAiguilleHeures -0.5 -> 5/8")
            << int(LongueurAiguilleHeures) << -0.5 << int(H::LongueurAiguilleHeures) << 0.625;
    QTest::newRow("LongueurAiguilleHeures 1.2 gardee")
            << int(LongueurAiguilleHeures) << 1.2 << int(H::LongueurAiguilleHeures) << 1.2;
    // Hand widths fall back only when exactly 0.
    QTest::newRow("TailleAiguilleSecondes 0 -> 1")
            << int(TailleAiguilleSecondes) << 0.0 << int(H::TailleAiguilleSecondes) << 1.0;
    QTest::newRow("TailleAiguilleSecondes -2 gardee")
            << int(TailleAiguilleSecondes) << -2.0 << int(H::TailleAiguilleSecondes) << -2.0;
    QTest::newRow("TailleAiguilleMinutes 0 -> 2")
            << int(TailleAiguilleMinutes) << 0.0 << int(H::TailleAiguilleMinutes) << 2.0;
    QTest::newRow("TailleAiguilleMinutes -1 gardee")
            << int(TailleAiguilleMinutes) << -1.0 << int(H::TailleAiguilleMinutes) << -1.0;
    QTest::newRow("TailleAiguilleHeures 0 -> 3")
            << int(TailleAiguilleHeures) << 0.0 << int(H::TailleAiguilleHeures) << 3.0;
    QTest::newRow("TailleAiguilleHeures 0.4 gardee")
            << int(TailleAiguilleHeures) << 0.4 << int(H::TailleAiguilleHeures) << 0.4;
    // Colours and the mode are stored as they come.
    QTest::newRow("CouleurCercle 255.5 gardee")
            << int(CouleurCercle) << 255.5 << int(H::CouleurCercle) << 255.5;
    QTest::newRow("CouleurAiguilleHeures 0 gardee")
            << int(CouleurAiguilleHeures) << 0.0 << int(H::CouleurAiguilleHeures) << 0.0;
    QTest::newRow("TicTac -1 garde") << int(TicTac) << -1.0 << int(H::TicTac) << -1.0;
    QTest::newRow("TicTac 2 garde") << int(TicTac) << 2.0 << int(H::TicTac) << 2.0;
}

// Each setting lands in its own slot by its own rule; the others keep the game's values.
void TestHorloge::reglages()
{
    QFETCH(int, reglage);
    QFETCH(double, valeur);
    QFETCH(int, indice);
    QFETCH(double, garde);

    Banc b;
    Reglages r = reglagesDuJeu();
    r[std::size_t(reglage)] = valeur;
    demarrer(b.horloge, *b.boite, r);
    QCOMPARE(b.etat(indice), garde);

    // The untouched slots, with the game's values (or their fallbacks).
    for (const auto &[i, v] : EtatDuJeu)
        if (i != indice && i != H::CentreX && i != H::CentreY && i != H::Pi)
            QCOMPARE(b.etat(i), v);
    QCOMPARE(b.etat(0), 0.0);
}

void TestHorloge::couleursArrondies_data()
{
    QTest::addColumn<int>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<uint>("remise"); // the colour value the box is given

    QTest::newRow("cercle 255.5 -> 256") << int(CouleurCercle) << 255.5 << 256u;
    QTest::newRow("cercle 254.5 -> 254") << int(CouleurCercle) << 254.5 << 254u;
    QTest::newRow("reperes minutes 255.5 -> 256") << int(CouleurRepereMinutes) << 255.5 << 256u;
    QTest::newRow("reperes heures 254.5 -> 254") << int(CouleurRepereHeures) << 254.5 << 254u;
    QTest::newRow("trotteuse 254.5 -> 254") << int(CouleurAiguilleSecondes) << 254.5 << 254u;
    QTest::newRow("aiguille minutes 255.5 -> 256") << int(CouleurAiguilleMinutes) << 255.5 << 256u;
    QTest::newRow("aiguille heures 254.5 -> 254") << int(CouleurAiguilleHeures) << 254.5 << 254u;
    QTest::newRow("aiguille heures 254.4999 -> 254")
            << int(CouleurAiguilleHeures) << 254.4999 << 254u;
    QTest::newRow("reference systeme en entier signe -> 0x80000005")
            << int(CouleurCercle) << -2147483643.0 << 0x80000005u;
}

// A colour goes to the box rounded to the nearest integer, halves to even: in the calls the
// box receives and in the pixels it paints. The wrong roundings would give 255, pure red.
void TestHorloge::couleursArrondies()
{
    QFETCH(int, reglage);
    QFETCH(double, valeur);
    QFETCH(uint, remise);

    Montre montre;
    montre.regler(10, 10, 40);
    Banc b;
    Reglages r = reglagesContrastes();
    r[std::size_t(reglage)] = valeur;
    demarrer(b.horloge, *b.boite, r);
    b.horloge.HorlogeDes(*b.boite);

    const auto utilise = [&](const Appel &a) {
        switch (reglage) {
        case CouleurCercle:
            return a.genre == Appel::Cercle;
        case CouleurRepereMinutes:
            return a.genre == Appel::Point && a.largeur == 2;
        case CouleurRepereHeures:
            return a.genre == Appel::Point && a.largeur == 3;
        case CouleurAiguilleSecondes:
            return a.genre == Appel::Trait && a.largeur == 2;
        case CouleurAiguilleMinutes:
            return a.genre == Appel::Trait && a.largeur == 3;
        default:
            return a.genre == Appel::Trait && a.largeur == 4;
        }
    };
    int nombre = 0;
    for (const Appel &a : b.boite->appels)
        if (utilise(a)) {
            QCOMPARE(a.couleur, Couleur(remise));
            ++nombre;
        }
    QVERIFY(nombre > 0);

    const QColor attendue = resoudre(remise, b.boite->palette());
    int peints = 0;
    int rouges = 0;
    const QImage &im = b.boite->image();
    for (int j = 0; j < im.height(); ++j)
        for (int i = 0; i < im.width(); ++i) {
            peints += im.pixel(i, j) == attendue.rgb();
            rouges += im.pixel(i, j) == qRgb(255, 0, 0);
        }
    QVERIFY2(peints > 0, qPrintable(attendue.name()));
    QCOMPARE(rouges, 0);
}

void TestHorloge::reperes_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<double>("rayonDonne");
    QTest::addColumn<double>("tailleMinutes");
    QTest::addColumn<int>("tailleHeures");
    QTest::addColumn<int>("largeurMinutes"); // the widths the box is given
    QTest::addColumn<int>("largeurHeures");

    QTest::newRow("boite du jeu, reperes de 2 et 3") << 2200 << 0.0 << 2.0 << 3 << 2 << 3;
    QTest::newRow("largeurs par defaut 3 et 5") << 2200 << 0.0 << 0.0 << 0 << 3 << 5;
    QTest::newRow("rayon 400, largeur 1.5 arrondie a 2") << 2200 << 400.0 << 1.5 << 1 << 2 << 1;
    QTest::newRow("centre 1086, largeur 2.5 arrondie au pair 2")
            << 2201 << 0.0 << 2.5 << 4 << 2 << 4;
}

// The dial: cleared, circled, then 61 minute points (the last one back on the first) and 12
// hour points, each series from three o'clock clockwise, each at its own width and colour.
// On the image, every hour point shows the hour colour and every other minute point the
// minute colour.
void TestHorloge::reperes()
{
    QFETCH(int, largeur);
    QFETCH(double, rayonDonne);
    QFETCH(double, tailleMinutes);
    QFETCH(int, tailleHeures);
    QFETCH(int, largeurMinutes);
    QFETCH(int, largeurHeures);

    Banc b(largeur);
    Reglages r = reglagesContrastes();
    r[LongueurRayon] = rayonDonne;
    r[TailleRepereMinutes] = tailleMinutes;
    r[TailleRepereHeures] = tailleHeures;
    demarrer(b.horloge, *b.boite, r);
    const double cx = b.etat(H::CentreX);
    const double cy = b.etat(H::CentreY);
    const double rayon = b.etat(H::Rayon);

    const std::vector<Appel> &a = b.boite->appels;
    QCOMPARE(a.size(), std::size_t(2 + 1 + 61 + 1 + 12));
    QVERIFY(b.boite->AutoRedraw());
    QCOMPARE(a[0].genre, Appel::Efface);
    QCOMPARE(a[1].genre, Appel::Cercle);
    QCOMPARE(a[2].genre, Appel::Largeur);
    QCOMPARE(a[2].largeur, largeurMinutes);
    QCOMPARE(a[64].genre, Appel::Largeur);
    QCOMPARE(a[64].largeur, largeurHeures);

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
    verifie(3, 61, Pi / 30, Couleur(r[CouleurRepereMinutes]), largeurMinutes);
    verifie(65, 12, Pi / 6, Couleur(r[CouleurRepereHeures]), largeurHeures);
    QVERIFY(std::abs(a[63].x1 - a[3].x1) < 1e-3 && std::abs(a[63].y1 - a[3].y1) < 1e-3);
    // The loop's angle ends on its thirteenth value, just above a full turn.
    QVERIFY(b.etat(H::AngleRepere) > 2 * Pi);
    QVERIFY(b.etat(H::AngleRepere) < 2 * Pi + 1e-12);

    // Each dot shows at its point, the hour dots over the minute dots they share a place with.
    for (std::size_t k = 3; k < a.size(); ++k) {
        if (a[k].genre != Appel::Point || (k < 64 && (k - 3) % 5 == 0))
            continue;
        QCOMPARE(pixelEn(*b.boite, a[k].x1, a[k].y1), rgbDe(a[k].couleur));
    }
}

void TestHorloge::cercleAvecLargeurRestante_data()
{
    QTest::addColumn<int>("avant"); // 0 none, 1 HorlogeDeb only, 2 HorlogeDeb then HorlogeDes
    QTest::addColumn<double>("tailleHeures");
    QTest::addColumn<int>("largeurCercle");

    QTest::newRow("premier HorlogeDeb: largeur initiale 1") << 0 << 4.0 << 1;
    QTest::newRow("apres HorlogeDeb seul: largeur des reperes d'heures") << 1 << 4.0 << 3;
    QTest::newRow("apres HorlogeDes: largeur de l'aiguille des heures 4") << 2 << 4.0 << 4;
    QTest::newRow("apres HorlogeDes: largeur de l'aiguille des heures 7") << 2 << 7.0 << 7;
}

// HorlogeDeb sets no width before its circle: a second set-up draws the circle with the width
// the box was left with, and starts afresh (hands forgotten, nothing erased next).
void TestHorloge::cercleAvecLargeurRestante()
{
    QFETCH(int, avant);
    QFETCH(double, tailleHeures);
    QFETCH(int, largeurCercle);

    Montre montre;
    montre.regler(12, 0, 0);
    Banc b;
    Reglages r = reglagesContrastes();
    r[TailleAiguilleHeures] = tailleHeures;
    if (avant >= 1)
        demarrer(b.horloge, *b.boite, r);
    if (avant >= 2)
        b.horloge.HorlogeDes(*b.boite);
    b.boite->appels.clear();
    demarrer(b.horloge, *b.boite, r);

    const std::vector<Appel> cercles = b.boite->de(Appel::Cercle);
    QCOMPARE(cercles.size(), std::size_t(1));
    QCOMPARE(cercles[0].largeur, largeurCercle);
    QCOMPARE(b.etat(H::XAiguilleSecondes), -1.0);

    // On the image: the ring's thickness at 3 degrees, between two marks, along the radius.
    const double cx = b.etat(H::CentreX);
    const double cy = b.etat(H::CentreY);
    const double rayon = b.etat(H::Rayon);
    const double a = 3 * Pi / 180;
    const QRgb jaune = rgbDe(Couleur(r[CouleurCercle]));
    double epaisseur = 0;
    for (double t = rayon - 100; t <= rayon + 100; t += 0.5)
        epaisseur += pixelEn(*b.boite, cx + t * std::cos(a), cy + t * std::sin(a)) == jaune;
    epaisseur = epaisseur * 0.5 / TwipsParPixel;
    QVERIFY2(std::abs(epaisseur - largeurCercle) <= 1, qPrintable(QString::number(epaisseur)));

    montre.lectures = 0;
    b.boite->appels.clear();
    b.horloge.HorlogeDes(*b.boite);
    for (const Appel &t : b.boite->de(Appel::Trait))
        QVERIFY(t.couleur != b.boite->BackColor());
}

void TestHorloge::aiguilles_data()
{
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");
    QTest::addColumn<double>("angleSecondes");
    QTest::addColumn<double>("angleMinutes");
    QTest::addColumn<double>("angleHeures");

    QTest::newRow("12:00:00, toutes en haut") << 12 << 0 << 0 << 1.5 * Pi << 1.5 * Pi << 1.5 * Pi;
    QTest::newRow("00:00:00, toutes en haut") << 0 << 0 << 0 << 1.5 * Pi << 1.5 * Pi << 1.5 * Pi;
    QTest::newRow("03:15:15, s = m = 60, h = 12.25")
            << 3 << 15 << 15 << 2 * Pi << 2 * Pi << Pi / 6 * 12.25;
    QTest::newRow("03:00:00, heures a trois heures")
            << 3 << 0 << 0 << 1.5 * Pi << 1.5 * Pi << 2 * Pi;
    QTest::newRow("15:00:00 comme 03:00:00") << 15 << 0 << 0 << 1.5 * Pi << 1.5 * Pi << 2 * Pi;
    QTest::newRow("23:59:59, s = m = 44, h = 8 + 59/60")
            << 23 << 59 << 59 << Pi / 30 * 44 << Pi / 30 * 44 << Pi / 6 * (8 + 59.0 / 60);
    QTest::newRow("06:30:16, secondes a 1, pas a 61")
            << 6 << 30 << 16 << Pi / 30 << Pi / 30 * 15 << Pi / 6 * 3.5;
    QTest::newRow("09:45:45, heures au neuf plus 3/4")
            << 9 << 45 << 45 << Pi << Pi << Pi / 6 * 6.75;
}

// The hands of the game's clock at a given time: the angles (0 at three o'clock, clockwise)
// and the ends, 791.875, 678.75 and 565.625 twips from the centre (1085, 955).
void TestHorloge::aiguilles()
{
    QFETCH(int, h);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(double, angleSecondes);
    QFETCH(double, angleMinutes);
    QFETCH(double, angleHeures);

    Montre montre;
    montre.regler(h, m, s);
    Banc b;
    demarrer(b.horloge, *b.boite, reglagesDuJeu());
    b.horloge.HorlogeDes(*b.boite);

    QCOMPARE(b.etat(H::AngleSecondes), angleSecondes);
    QCOMPARE(b.etat(H::AngleMinutes), angleMinutes);
    QCOMPARE(b.etat(H::AngleHeures), angleHeures);

    struct Aiguille
    {
        int x, y;
        double angle, portee;
        int largeur;
        Couleur couleur;
    };
    const Aiguille aiguilles[] = {
            {H::XAiguilleSecondes, H::YAiguilleSecondes, angleSecondes, 791.875, 2,
             Couleur(etatDuJeu(H::CouleurAiguilleSecondes))},
            {H::XAiguilleMinutes, H::YAiguilleMinutes, angleMinutes, 678.75, 3,
             Couleur(etatDuJeu(H::CouleurAiguilleMinutes))},
            {H::XAiguilleHeures, H::YAiguilleHeures, angleHeures, 565.625, 4,
             Couleur(etatDuJeu(H::CouleurAiguilleHeures))},
    };
    const std::vector<Appel> traits = b.boite->de(Appel::Trait);
    QCOMPARE(traits.size(), std::size_t(3));
    for (std::size_t k = 0; k < 3; ++k) {
        const Aiguille &g = aiguilles[k];
        const double x = b.etat(g.x);
        const double y = b.etat(g.y);
        QVERIFY(std::abs(std::hypot(x - 1085, y - 955) - g.portee) < 1e-9);
        QVERIFY(std::abs(x - (1085 + g.portee * std::cos(g.angle))) < 1e-9);
        QVERIFY(std::abs(y - (955 + g.portee * std::sin(g.angle))) < 1e-9);
        // Drawn in order seconds, minutes, hours, from the centre, as single-precision floats.
        QCOMPARE(traits[k].x1, 1085.0f);
        QCOMPARE(traits[k].y1, 955.0f);
        QCOMPARE(traits[k].x2, float(x));
        QCOMPARE(traits[k].y2, float(y));
        QCOMPARE(traits[k].largeur, g.largeur);
        QCOMPARE(traits[k].couleur, g.couleur);
    }
    if (h % 12 == 0 && m == 0 && s == 0)
        for (const Aiguille &g : aiguilles) {
            QVERIFY(std::abs(b.etat(g.x) - 1085) < 1e-9);
            QVERIFY(std::abs(b.etat(g.y) - (955 - g.portee)) < 1e-9);
        }
}

void TestHorloge::lectures_data()
{
    QTest::addColumn<QList<int>>("suite"); // h, m, s of the readings the time gives in turn
    QTest::addColumn<double>("secondes");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("heures");

    QTest::newRow("trois aiguilles d'une seule lecture")
            << QList<int> {1, 2, 10, 3, 20, 4, 5, 6, 7, 8, 30, 9} << 55.0 << 47.0
            << 10.0 + 2 / 60.0;
    QTest::newRow("la minute passe pendant le dessin: 10:59:59, pas 59 s de la minute suivante")
            << QList<int> {10, 59, 59, 11, 0, 0, 11, 0, 0, 11, 0, 0} << 44.0 << 44.0
            << 7.0 + 59 / 60.0;
    QTest::newRow("l'heure passe pendant le dessin: 13:59:59, pas 14 h")
            << QList<int> {13, 59, 59, 14, 0, 0, 14, 0, 0, 14, 0, 0} << 44.0 << 44.0
            << 10.0 + 59 / 60.0;
    QTest::newRow("minuit passe pendant le dessin: 23:59:59, pas 00:00")
            << QList<int> {23, 59, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 44.0 << 44.0
            << 8.0 + 59 / 60.0;
    QTest::newRow("l'aiguille des heures prend les minutes de la meme lecture")
            << QList<int> {4, 10, 10, 4, 36, 10} << 55.0 << 55.0 << 1.0 + 10 / 60.0;
}

// HorlogeDes reads the time once for its three hands, so that a redraw across a change of
// minute or hour shows one time: the angles show which reading each hand came from.
void TestHorloge::lectures()
{
    QFETCH(QList<int>, suite);
    QFETCH(double, secondes); // shifted second count, 1 to 60
    QFETCH(double, minutes);
    QFETCH(double, heures); // hour steps from three o'clock, with the minutes

    Montre montre;
    montre.regler(0, 0, 0);
    Banc b;
    demarrer(b.horloge, *b.boite, reglagesDuJeu());
    QCOMPARE(montre.lectures, 0);
    for (qsizetype k = 0; k < suite.size(); k += 3)
        montre.suite.push_back({suite[k], suite[k + 1], suite[k + 2], 999});
    b.horloge.HorlogeDes(*b.boite);

    QCOMPARE(b.etat(H::AngleSecondes), Pi / 30 * secondes);
    QCOMPARE(b.etat(H::AngleMinutes), Pi / 30 * minutes);
    QCOMPARE(b.etat(H::AngleHeures), Pi / 6 * heures);
    QCOMPARE(montre.lectures, 1);
}

// The first redraw after set-up erases nothing; the next one erases the three hands it drew,
// at their widths, in the colour BackColor returns, before it draws anything.
void TestHorloge::premierDessinSansEffacer()
{
    Montre montre;
    montre.regler(8, 20, 40);
    Banc b;
    const Couleur fond = 0x00F0E0D0;
    b.boite->setBackColor(fond);
    demarrer(b.horloge, *b.boite, reglagesDuJeu());
    const QImage cadran = b.boite->image();
    b.boite->appels.clear();
    b.horloge.HorlogeDes(*b.boite);

    std::vector<Appel> traits = b.boite->de(Appel::Trait);
    QCOMPARE(traits.size(), std::size_t(3));
    for (const Appel &t : traits)
        QVERIFY(t.couleur != fond);
    QVERIFY(differences(cadran, b.boite->image()) > 0);
    const auto &E = b.horloge.etat();
    const std::array<std::array<double, 2>, 3> bouts {
            {{E[H::XAiguilleSecondes], E[H::YAiguilleSecondes]},
             {E[H::XAiguilleMinutes], E[H::YAiguilleMinutes]},
             {E[H::XAiguilleHeures], E[H::YAiguilleHeures]}}};

    montre.regler(8, 21, 41);
    b.boite->appels.clear();
    b.horloge.HorlogeDes(*b.boite);
    const std::vector<Appel> &a = b.boite->appels;
    QCOMPARE(a.size(), std::size_t(12));
    const int largeurs[] = {2, 3, 4};
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(a[2 * k].genre, Appel::Largeur);
        QCOMPARE(a[2 * k].largeur, largeurs[k]);
        const Appel &t = a[2 * k + 1];
        QCOMPARE(t.genre, Appel::Trait);
        QCOMPARE(t.couleur, fond);
        QCOMPARE(t.largeur, largeurs[k]);
        QCOMPARE(t.x1, 1085.0f);
        QCOMPARE(t.y1, 955.0f);
        QCOMPARE(t.x2, float(bouts[k][0]));
        QCOMPARE(t.y2, float(bouts[k][1]));
    }
    for (std::size_t k = 6; k < 12; k += 2)
        QVERIFY(a[k + 1].couleur != fond);
}

void TestHorloge::modesTrotteuse_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("tracee");
    QTest::addColumn<bool>("bip");

    QTest::newRow("-1: ni trait ni bip") << -1 << false << false;
    QTest::newRow("-7: ni trait ni bip") << -7 << false << false;
    QTest::newRow("0: trait sans bip (le jeu)") << 0 << true << false;
    QTest::newRow("1: trait et un bip par appel") << 1 << true << true;
    QTest::newRow("2: trait sans bip") << 2 << true << false;
    QTest::newRow("3: trait sans bip") << 3 << true << false;
}

// The second hand by mode, over three redraws: drawn or not, a beep right after it in mode 1
// only; its end is computed and erased next time in every mode.
void TestHorloge::modesTrotteuse()
{
    QFETCH(int, mode);
    QFETCH(bool, tracee);
    QFETCH(bool, bip);

    Montre montre;
    Banc b;
    Systeme::doublures().Beep = [&] {
        ++m_nombreBips;
        b.boite->appels.push_back({Appel::Bip});
    };
    const Couleur trotteuse = Couleur(reglagesContrastes()[CouleurAiguilleSecondes]);
    demarrer(b.horloge, *b.boite, reglagesContrastes());
    b.horloge.HorlogeSec(std::int16_t(mode));
    QCOMPARE(b.horloge.HorlogeCas(), std::int16_t(mode));

    for (int appel = 0; appel < 3; ++appel) {
        montre.regler(7, 5 + appel, 30 + appel);
        const double xAvant = b.etat(H::XAiguilleSecondes);
        const double yAvant = b.etat(H::YAiguilleSecondes);
        b.boite->appels.clear();
        m_nombreBips = 0;
        b.horloge.HorlogeDes(*b.boite);

        QCOMPARE(m_nombreBips, bip ? 1 : 0);
        const std::vector<Appel> traits = b.boite->de(Appel::Trait);
        const std::size_t effaces = appel == 0 ? 0 : 3;
        QCOMPARE(traits.size(), effaces + (tracee ? 3 : 2));
        if (appel > 0) {
            QCOMPARE(traits[0].x2, float(xAvant));
            QCOMPARE(traits[0].y2, float(yAvant));
            QCOMPARE(traits[0].couleur, b.boite->BackColor());
        }
        const double angle = Pi / 30 * (30 + appel - 15);
        QVERIFY(std::abs(b.etat(H::XAiguilleSecondes) - (1085 + 791.875 * std::cos(angle))) < 1e-9);
        if (tracee) {
            QCOMPARE(traits[effaces].couleur, trotteuse);
            QCOMPARE(traits[effaces].x2, float(b.etat(H::XAiguilleSecondes)));
        }
        if (bip) {
            // Right after the second hand, before the minute hand's width is set.
            std::size_t k = 0;
            while (b.boite->appels[k].genre != Appel::Bip)
                ++k;
            QCOMPARE(b.boite->appels[k - 1].genre, Appel::Trait);
            QCOMPARE(b.boite->appels[k - 1].couleur, trotteuse);
            QCOMPARE(b.boite->appels[k + 1].genre, Appel::Largeur);
        }
    }

    // Switched off, the hand drawn last is still erased and is not drawn again.
    if (tracee) {
        montre.regler(7, 9, 50);
        b.horloge.HorlogeSec(-1);
        b.boite->appels.clear();
        m_nombreBips = 0;
        b.horloge.HorlogeDes(*b.boite);
        QCOMPARE(m_nombreBips, 0);
        const std::vector<Appel> traits = b.boite->de(Appel::Trait);
        QCOMPARE(traits.size(), std::size_t(3 + 2));
        for (const Appel &t : traits)
            QVERIFY(t.couleur != trotteuse);
        const QImage &im = b.boite->image();
        for (int j = 0; j < im.height(); ++j)
            for (int i = 0; i < im.width(); ++i)
                QVERIFY(im.pixel(i, j) != rgbDe(trotteuse));
    }
}

void TestHorloge::horlogeCas_data()
{
    QTest::addColumn<int>("cas");

    QTest::newRow("-1") << -1;
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("32767") << 32767;
    QTest::newRow("-32768") << -32768;
}

// HorlogeSec stores the mode as it is and changes nothing else; HorlogeCas gives it back, as
// does a set-up with that mode.
void TestHorloge::horlogeCas()
{
    QFETCH(int, cas);

    Banc b;
    Reglages r = reglagesDuJeu();
    demarrer(b.horloge, *b.boite, r);
    const auto avant = b.horloge.etat();
    const std::size_t appels = b.boite->appels.size();
    b.horloge.HorlogeSec(std::int16_t(cas));
    QCOMPARE(b.horloge.HorlogeCas(), std::int16_t(cas));
    QCOMPARE(b.etat(H::TicTac), double(cas));
    for (int i = 0; i < H::NombreIndices; ++i)
        if (i != H::TicTac)
            QCOMPARE(b.etat(i), avant.at(std::size_t(i)));
    QCOMPARE(b.boite->appels.size(), appels);

    r[TicTac] = cas;
    Horloge autre;
    demarrer(autre, *b.boite, r);
    QCOMPARE(autre.HorlogeCas(), std::int16_t(cas));
}

void TestHorloge::redessinIdentique_data()
{
    QTest::addColumn<double>("largeurs"); // all three hand widths
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("longueur"); // all three length fractions

    QTest::newRow("reglages du jeu") << 0.0 << 0 << 0.0;
    QTest::newRow("traits larges") << 9.0 << 0 << 0.0;
    QTest::newRow("trotteuse cachee") << 0.0 << -1 << 0.0;
    QTest::newRow("aiguilles jusqu'au cercle") << 5.0 << 2 << 1.0;
}

// A redraw at an unchanged time leaves the image exactly as it was.
void TestHorloge::redessinIdentique()
{
    QFETCH(double, largeurs);
    QFETCH(int, mode);
    QFETCH(double, longueur);

    Montre montre;
    montre.regler(16, 47, 23);
    Banc b;
    Reglages r = reglagesContrastes();
    if (largeurs != 0)
        r[TailleAiguilleSecondes] = r[TailleAiguilleMinutes] = r[TailleAiguilleHeures] = largeurs;
    if (longueur != 0)
        r[LongueurAiguilleSecondes] = r[LongueurAiguilleMinutes] = r[LongueurAiguilleHeures]
                = longueur;
    r[TicTac] = mode;
    demarrer(b.horloge, *b.boite, r);
    b.horloge.HorlogeDes(*b.boite);
    const QImage premiere = b.boite->image();
    b.horloge.HorlogeDes(*b.boite);
    QCOMPARE(differences(premiere, b.boite->image()), 0);
    QCOMPARE(b.boite->de(Appel::Trait).size(), std::size_t(mode < 0 ? 2 + 3 + 2 : 3 + 3 + 3));
}

void TestHorloge::effacementExact_data()
{
    QTest::addColumn<QList<int>>("avant"); // h, m, s
    QTest::addColumn<QList<int>>("apres");
    QTest::addColumn<double>("largeurs");
    QTest::addColumn<double>("longueur");
    QTest::addColumn<bool>("cadranIntact");

    QTest::newRow("une seconde de plus")
            << QList<int> {12, 0, 0} << QList<int> {12, 0, 1} << 0.0 << 0.0 << true;
    QTest::newRow("tout change") << QList<int> {3, 15, 15} << QList<int> {21, 41, 37} << 0.0 << 0.0
                                 << true;
    QTest::newRow("traits larges, tout change")
            << QList<int> {23, 59, 59} << QList<int> {6, 22, 8} << 9.0 << 0.0 << true;
    QTest::newRow("aiguilles jusqu'au cercle: l'effacement y laisse des trous")
            << QList<int> {3, 15, 15} << QList<int> {9, 45, 45} << 5.0 << 1.0 << false;
}

// Erasing the hands restores exactly what they covered: after a move, the image is the one a
// fresh clock draws at the new time, and once the hands are gone the dial-only image is back
// pixel for pixel. A hand that reaches the dial leaves gaps in it instead.
void TestHorloge::effacementExact()
{
    QFETCH(QList<int>, avant);
    QFETCH(QList<int>, apres);
    QFETCH(double, largeurs);
    QFETCH(double, longueur);
    QFETCH(bool, cadranIntact);

    Reglages r = reglagesContrastes();
    if (largeurs != 0)
        r[TailleAiguilleSecondes] = r[TailleAiguilleMinutes] = r[TailleAiguilleHeures] = largeurs;
    if (longueur != 0)
        r[LongueurAiguilleSecondes] = r[LongueurAiguilleMinutes] = r[LongueurAiguilleHeures]
                = longueur;

    Montre montre;
    Banc b;
    demarrer(b.horloge, *b.boite, r);
    const QImage cadran = b.boite->image();
    montre.regler(avant[0], avant[1], avant[2]);
    b.horloge.HorlogeDes(*b.boite);
    QVERIFY(differences(cadran, b.boite->image()) > 0);
    montre.regler(apres[0], apres[1], apres[2]);
    b.horloge.HorlogeDes(*b.boite);

    Banc neuf;
    demarrer(neuf.horloge, *neuf.boite, r);
    neuf.horloge.HorlogeDes(*neuf.boite);
    QCOMPARE(differences(b.boite->image(), neuf.boite->image()) == 0, cadranIntact);

    // The last hands erased by hand, the way the clock erases them.
    const auto &E = b.horloge.etat();
    const std::pair<int, int> bouts[] = {{H::XAiguilleSecondes, H::YAiguilleSecondes},
                                         {H::XAiguilleMinutes, H::YAiguilleMinutes},
                                         {H::XAiguilleHeures, H::YAiguilleHeures}};
    const int tailles[]
            = {H::TailleAiguilleSecondes, H::TailleAiguilleMinutes, H::TailleAiguilleHeures};
    for (std::size_t k = 0; k < 3; ++k) {
        b.boite->setDrawWidth(std::int16_t(E[std::size_t(tailles[k])]));
        b.boite->Line(float(E[H::CentreX]), float(E[H::CentreY]),
                      float(E[std::size_t(bouts[k].first)]), float(E[std::size_t(bouts[k].second)]),
                      b.boite->BackColor());
    }
    QCOMPARE(differences(cadran, b.boite->image()) == 0, cadranIntact);
}

void TestHorloge::largeurRefusee_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("premierEchoue");

    QTest::newRow("trotteuse tracee: refus au trace de la trotteuse") << 0 << true;
    QTest::newRow("trotteuse cachee: premier appel reussi, refus a l'effacement suivant")
            << -1 << false;
}

// A second-hand width of -2 is stored; HorlogeDes then fails when it sets that width, with
// the box's exception, keeping the slots written before and what was drawn.
void TestHorloge::largeurRefusee()
{
    QFETCH(int, mode);
    QFETCH(bool, premierEchoue);

    Montre montre;
    montre.regler(5, 20, 10);
    Banc b;
    Reglages r = reglagesDuJeu();
    r[TailleAiguilleSecondes] = -2;
    r[TicTac] = mode;
    demarrer(b.horloge, *b.boite, r);
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
        QVERIFY(std::abs(b.etat(H::XAiguilleSecondes) - (1085 + 791.875 * std::cos(Pi / 30 * 55)))
                < 1e-9);
        QCOMPARE(b.etat(H::AngleMinutes), 20.0); // the reading, not yet an angle
        QCOMPARE(b.etat(H::AngleHeures), 5.0);
        QCOMPARE(b.etat(H::XAiguilleMinutes), 0.0);
        QCOMPARE(b.etat(H::XAiguilleHeures), 0.0);
        QCOMPARE(differences(cadran, b.boite->image()), 0);
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
    QCOMPARE(differences(avant, b.boite->image()), 0);
    QVERIFY(b.horloge.etat() == etatAvant);
}

void TestHorloge::horsLimites_data()
{
    QTest::addColumn<int>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<bool>("desLeReglage"); // fails in HorlogeDeb rather than HorlogeDes

    QTest::newRow("couleur du cercle au-dela de 32 bits") << int(CouleurCercle) << 3e9 << true;
    QTest::newRow("couleur des reperes sous -2^31")
            << int(CouleurRepereHeures) << -2147483649.0 << true;
    QTest::newRow("largeur des reperes au-dela de 16 bits")
            << int(TailleRepereMinutes) << 40000.0 << true;
    QTest::newRow("largeur d'aiguille au-dela de 16 bits")
            << int(TailleAiguilleHeures) << 32767.5 << false;
    QTest::newRow("largeur d'aiguille qui n'est pas un nombre")
            << int(TailleAiguilleMinutes) << std::nan("") << false;
    QTest::newRow("couleur d'aiguille infinie")
            << int(CouleurAiguilleSecondes) << HUGE_VAL << false;
}

// Values the integers cannot hold make the call fail with a clear error instead of handing
// the box a wrapped or undefined value.
void TestHorloge::horsLimites()
{
    QFETCH(int, reglage);
    QFETCH(double, valeur);
    QFETCH(bool, desLeReglage);

    Montre montre;
    montre.regler(10, 10, 10);
    Banc b;
    Reglages r = reglagesDuJeu();
    r[std::size_t(reglage)] = valeur;
    const auto message = [](const std::out_of_range &e) {
        return QString::fromUtf8(e.what()).startsWith(QStringLiteral("Horloge: "));
    };
    if (desLeReglage) {
        try {
            demarrer(b.horloge, *b.boite, r);
            QFAIL("HorlogeDeb accepted a value out of range");
        } catch (const std::out_of_range &e) {
            QVERIFY(message(e));
        }
        return;
    }
    demarrer(b.horloge, *b.boite, r);
    try {
        b.horloge.HorlogeDes(*b.boite);
        QFAIL("HorlogeDes accepted a value out of range");
    } catch (const std::out_of_range &e) {
        QVERIFY(message(e));
    }
}

// The game's own clock: set up by Form_Load with the game's settings in the game's box, and
// redrawn by each tick.
void TestHorloge::horlogeDuJeu()
{
    Systeme::doublures().Rnd = [] {
        return 0.5f;
    };
    Montre montre;
    montre.regler(12, 0, 0);
    VorlanFrm fenetre;
    fenetre.charger();
    const Horloge *horloge = fenetre.Horloge1();
    QVERIFY(horloge);
    QCOMPARE(horloge->HorlogeCas(), std::int16_t(0));
    const int lectures = montre.lectures; // the random seed takes one

    BoiteImage &boite = fenetre.Picture1();
    QCOMPARE(boite.ScaleWidth(), 2170.0);
    QCOMPARE(boite.ScaleHeight(), 2070.0);
    QVERIFY(boite.AutoRedraw());
    QCOMPARE(boite.BackColor(), couleurs::FondFenetre);
    QCOMPARE(boite.DrawWidth(), std::int16_t(3)); // left by the hour marks

    const auto &E = horloge->etat();
    QCOMPARE(E[H::XAiguilleSecondes], -1.0);
    for (const auto &[i, v] : EtatDuJeu)
        QCOMPARE(E.at(std::size_t(i)), v);
    // The dial spans x 180 to 1990 and y 50 to 1860: yellow at the top, blue and red marks.
    QVERIFY(pixelPres(boite, 1085 + 905 * std::cos(Pi / 60), 955 + 905 * std::sin(Pi / 60),
                      qRgb(255, 255, 0)));
    QCOMPARE(pixelEn(boite, 1085, 50), qRgb(255, 0, 0));
    QCOMPARE(pixelEn(boite, 180, 955), qRgb(255, 0, 0));
    QCOMPARE(pixelEn(boite, 1085 + 905 * std::cos(Pi / 30), 955 + 905 * std::sin(Pi / 30)),
             qRgb(0, 0, 255));

    fenetre.Timer1_Timer();
    QCOMPARE(montre.lectures, lectures + 1);
    QVERIFY(std::abs(E[H::XAiguilleSecondes] - 1085) < 1e-9);
    QVERIFY(std::abs(E[H::YAiguilleSecondes] - (955 - 791.875)) < 1e-9);
    QVERIFY(std::abs(E[H::YAiguilleMinutes] - (955 - 678.75)) < 1e-9);
    QVERIFY(std::abs(E[H::YAiguilleHeures] - (955 - 565.625)) < 1e-9);
    QCOMPARE(boite.DrawWidth(), std::int16_t(4));
    // Straight up: red over blue over green along the hand; green alone beyond the minute hand.
    QCOMPARE(pixelEn(boite, 1085, 955 - 300), qRgb(255, 0, 0));
    QCOMPARE(pixelEn(boite, 1085, 955 - 640), qRgb(0, 0, 255));
    const QRgb trotteuse = rgbDe(Couleur(etatDuJeu(H::CouleurAiguilleSecondes)));
    QCOMPARE(pixelEn(boite, 1085, 955 - 750), trotteuse);

    montre.regler(12, 0, 1);
    fenetre.Timer1_Timer();
    QCOMPARE(montre.lectures, lectures + 2);
    QVERIFY(pixelEn(boite, 1085, 955 - 750) != trotteuse);
    QCOMPARE(m_nombreBips, 0);
}

QTEST_MAIN(TestHorloge)
#include "tst_horloge.moc"
