// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the clock's tests share: a picture box that records every call it receives, the
// clock's settings by the slot each lands in, a bench with the game's box, a stand-in for the
// time of day, the pixels of the box's image, and the clock's own numbers.

#include "boiteimage.h"
#include "horloge.h"
#include "systeme.h"
#include "twips.h"
#include "vorlanfrm.h"

#include <QImage>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

namespace vl::test {

using H = Horloge;

inline const double Pi = std::atan(1.0) * 4;

// The clock's own numbers, typed once: its fallbacks for a setting of 0, and the dial and
// hands of the game's clock (the game's settings in the game's box). The tests compare them
// with the clock (geometrie, reglages, aiguilles, reperes, conformite) and read them
// everywhere else.
struct Repli
{
    static constexpr double TailleRepereMinutes = 3, TailleRepereHeures = 5;
    static constexpr double TailleAiguilleSecondes = 1, TailleAiguilleMinutes = 2,
                            TailleAiguilleHeures = 3;
    static constexpr double LongueurAiguilleSecondes = 7.0 / 8, LongueurAiguilleMinutes = 6.0 / 8,
                            LongueurAiguilleHeures = 5.0 / 8;
};
struct Cadran
{
    // The middle of the box's drawing area raised by 80, and a radius that leaves 50.
    static constexpr double CentreX = 1085, CentreY = 955, Rayon = 905;
    // How far each hand reaches from the centre.
    static constexpr double PorteeSecondes = 791.875, PorteeMinutes = 678.75,
                            PorteeHeures = 565.625;
    // 61 minute points (the last back on the first), then 12 hour points.
    static constexpr int PointsMinutes = 61, PointsHeures = 12;
};

// The three hands in the order they are drawn: the slots of their end, width and colour, and
// their reach in the game's clock.
struct Aiguille
{
    H::Indice x, y, taille, couleur;
    double portee;
};
inline constexpr Aiguille Aiguilles[] = {
        {H::XAiguilleSecondes, H::YAiguilleSecondes, H::TailleAiguilleSecondes,
         H::CouleurAiguilleSecondes, Cadran::PorteeSecondes},
        {H::XAiguilleMinutes, H::YAiguilleMinutes, H::TailleAiguilleMinutes,
         H::CouleurAiguilleMinutes, Cadran::PorteeMinutes},
        {H::XAiguilleHeures, H::YAiguilleHeures, H::TailleAiguilleHeures, H::CouleurAiguilleHeures,
         Cadran::PorteeHeures},
};

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
    using BoiteImage::BoiteImage;

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

// The sixteen settings of HorlogeDeb after the box, each in the slot of the clock's state it
// lands in (the radius's in Rayon).
using Reglages = std::array<double, H::NombreIndices>;

// The settings that the game passes.
inline Reglages reglagesDuJeu()
{
    const Horloge::Reglages &j = VorlanFrm::ReglagesHorloge1;
    Reglages r {};
    r[H::CouleurCercle] = j.CouleurCercle;
    r[H::TicTac] = j.TicTac;
    r[H::TailleRepereMinutes] = j.TailleRepereMinutes;
    r[H::CouleurRepereMinutes] = j.CouleurRepereMinutes;
    r[H::TailleRepereHeures] = j.TailleRepereHeures;
    r[H::CouleurRepereHeures] = j.CouleurRepereHeures;
    r[H::Rayon] = j.LongueurRayon;
    r[H::LongueurAiguilleSecondes] = j.LongueurAiguilleSecondes;
    r[H::TailleAiguilleSecondes] = j.TailleAiguilleSecondes;
    r[H::CouleurAiguilleSecondes] = j.CouleurAiguilleSecondes;
    r[H::LongueurAiguilleMinutes] = j.LongueurAiguilleMinutes;
    r[H::TailleAiguilleMinutes] = j.TailleAiguilleMinutes;
    r[H::CouleurAiguilleMinutes] = j.CouleurAiguilleMinutes;
    r[H::LongueurAiguilleHeures] = j.LongueurAiguilleHeures;
    r[H::TailleAiguilleHeures] = j.TailleAiguilleHeures;
    r[H::CouleurAiguilleHeures] = j.CouleurAiguilleHeures;
    return r;
}

// The game's settings with six different colours, none of them 254, 255 or 256.
inline Reglages reglagesContrastes()
{
    Reglages r = reglagesDuJeu();
    r[H::CouleurCercle] = 0x0000FFFF; // yellow
    r[H::CouleurRepereMinutes] = 0x00FF0000; // blue
    r[H::CouleurRepereHeures] = 0x00FF00FF; // magenta
    r[H::CouleurAiguilleSecondes] = 0x0000A000; // green
    r[H::CouleurAiguilleMinutes] = 0x00FFFF00; // cyan
    r[H::CouleurAiguilleHeures] = 0x00404080; // dark red
    return r;
}

// A clock and its recording box: the game's box (horlogeDuJeu checks that it is), or
// another size, in twips with the border.
struct Banc
{
    static constexpr int Largeur = 2200, Hauteur = 2100;
    QWidget parent;
    BoiteEspion *boite = new BoiteEspion(&parent);
    Horloge horloge;

    explicit Banc(int largeur = Largeur, int hauteur = Hauteur)
    {
        boite->setPlacement({0, 0, largeur, hauteur});
        boite->appels.clear();
    }
    void demarrer(const Reglages &r = reglagesDuJeu())
    {
        horloge.HorlogeDeb(*boite, r[H::CouleurCercle], std::int16_t(r[H::TicTac]),
                           r[H::TailleRepereMinutes], r[H::CouleurRepereMinutes],
                           std::int16_t(r[H::TailleRepereHeures]), r[H::CouleurRepereHeures],
                           r[H::Rayon], r[H::LongueurAiguilleSecondes],
                           r[H::TailleAiguilleSecondes], r[H::CouleurAiguilleSecondes],
                           r[H::LongueurAiguilleMinutes], r[H::TailleAiguilleMinutes],
                           r[H::CouleurAiguilleMinutes], r[H::LongueurAiguilleHeures],
                           r[H::TailleAiguilleHeures], r[H::CouleurAiguilleHeures]);
    }
    double etat(int i) const { return horloge.etat().at(std::size_t(i)); }
};

// The time of day as the clock reads it: the readings in suite, in turn, the last one for good;
// every reading is counted. Beeps are counted too. Every stand-in goes when it does.
struct Montre
{
    std::deque<Systeme::Lecture> suite;
    int lectures = 0;
    int bips = 0;

    explicit Montre(int h = 0, int m = 0, int s = 0)
    {
        regler(h, m, s);
        Systeme::doublures().heure = [this] {
            ++lectures;
            const Systeme::Lecture l = suite.front();
            if (suite.size() > 1)
                suite.pop_front();
            return l;
        };
        Systeme::doublures().Beep = [this] {
            ++bips;
        };
    }
    ~Montre() { Systeme::doublures() = {}; }
    void regler(int h, int m, int s) { suite = {{h, m, s, 0}}; }
};

inline QRgb rgbDe(Couleur c)
{
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// The colour of the image pixel that holds the point (x, y) in twips.
inline QRgb pixelEn(const BoiteImage &b, double x, double y)
{
    const double dpr = b.image().devicePixelRatio();
    return b.image().pixel(int(std::floor(x / TwipsParPixel * dpr)),
                           int(std::floor(y / TwipsParPixel * dpr)));
}

// How many pixels of the image have colour c.
inline int pixels(const QImage &im, QRgb c)
{
    int n = 0;
    for (int j = 0; j < im.height(); ++j)
        for (int i = 0; i < im.width(); ++i)
            n += im.pixel(i, j) == c;
    return n;
}

} // namespace vl::test
