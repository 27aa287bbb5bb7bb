// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "horloge.h"

#include "boiteimage.h"
#include "systeme.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace vl {

namespace {

// Stored doubles handed on as integers round to the nearest, halves to the even neighbour.
double arrondiPair(double v)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(mode);
    return r;
}

// A stored value beyond the integer it is handed on as cannot be drawn with: the call fails
// there, as the box fails on a width it refuses, rather than drawing with a wrapped value.
template<class Entier> Entier enEntier(double v, const char *quoi)
{
    const double r = arrondiPair(v);
    if (!(r >= double(std::numeric_limits<Entier>::min())
          && r <= double(std::numeric_limits<Entier>::max())))
        throw std::out_of_range(std::string("Horloge: ") + quoi + " " + std::to_string(v)
                                + " does not fit in " + std::to_string(sizeof(Entier) * 8)
                                + " bits");
    return Entier(r);
}

std::int16_t enEntier16(double v)
{
    return enEntier<std::int16_t>(v, "value");
}

Couleur enCouleur(double v)
{
    return Couleur(enEntier<std::int32_t>(v, "colour"));
}

} // namespace

void Horloge::HorlogeDeb(BoiteImage &Picture, double CouleurCercle, std::int16_t TicTac,
                         double TailleRepereMinutes, double CouleurRepereMinutes,
                         std::int16_t TailleRepereHeures, double CouleurRepereHeures,
                         double LongueurRayon, double LongueurAiguilleSecondes,
                         double TailleAiguilleSecondes, double CouleurAiguilleSecondes,
                         double LongueurAiguilleMinutes, double TailleAiguilleMinutes,
                         double CouleurAiguilleMinutes, double LongueurAiguilleHeures,
                         double TailleAiguilleHeures, double CouleurAiguilleHeures)
{
    auto &E = Etat;
    E[Pi] = std::atan(1.0) * 4;
    E[XAiguilleSecondes] = -1;
    E[CentreX] = enEntier16(Picture.ScaleWidth() / 2);
    // The 80 units come off the 16-bit value, as the centre was first taken.
    E[CentreY] = std::int16_t(enEntier16(Picture.ScaleHeight() / 2) - 80);
    E[Rayon] = LongueurRayon != 0 ? LongueurRayon : std::min(E[CentreX], E[CentreY]) - 50;

    E[Indice::LongueurAiguilleHeures]
            = LongueurAiguilleHeures > 0 ? LongueurAiguilleHeures : 5.0 / 8;
    E[Indice::LongueurAiguilleMinutes]
            = LongueurAiguilleMinutes > 0 ? LongueurAiguilleMinutes : 6.0 / 8;
    E[Indice::LongueurAiguilleSecondes]
            = LongueurAiguilleSecondes > 0 ? LongueurAiguilleSecondes : 7.0 / 8;

    E[Indice::TicTac] = TicTac;
    E[Indice::CouleurCercle] = CouleurCercle;
    E[Indice::CouleurRepereMinutes] = CouleurRepereMinutes;
    E[Indice::CouleurRepereHeures] = CouleurRepereHeures;
    E[Indice::CouleurAiguilleSecondes] = CouleurAiguilleSecondes;
    E[Indice::CouleurAiguilleMinutes] = CouleurAiguilleMinutes;
    E[Indice::CouleurAiguilleHeures] = CouleurAiguilleHeures;

    // Mark widths fall back when 0 or negative, hand widths only when exactly 0.
    E[Indice::TailleRepereMinutes] = TailleRepereMinutes > 0 ? TailleRepereMinutes : 3;
    E[Indice::TailleRepereHeures] = TailleRepereHeures > 0 ? TailleRepereHeures : 5;
    E[Indice::TailleAiguilleSecondes] = TailleAiguilleSecondes != 0 ? TailleAiguilleSecondes : 1;
    E[Indice::TailleAiguilleMinutes] = TailleAiguilleMinutes != 0 ? TailleAiguilleMinutes : 2;
    E[Indice::TailleAiguilleHeures] = TailleAiguilleHeures != 0 ? TailleAiguilleHeures : 3;

    Picture.Cls();
    Picture.Circle(float(E[CentreX]), float(E[CentreY]), float(E[Rayon]),
                   enCouleur(E[Indice::CouleurCercle]));

    // The angle accumulates by repeated addition up to 2 pi: 61 minute points (the last on
    // top of the first) and 12 hour points.
    const auto reperes = [&](double pas, Indice taille, Indice couleur) {
        Picture.setDrawWidth(enEntier16(E[taille]));
        const double fin = 2 * E[Pi];
        for (E[AngleRepere] = 0; E[AngleRepere] <= fin; E[AngleRepere] += pas)
            Picture.PSet(float(E[CentreX] + E[Rayon] * std::cos(E[AngleRepere])),
                         float(E[CentreY] + E[Rayon] * std::sin(E[AngleRepere])),
                         enCouleur(E[couleur]));
    };
    reperes(E[Pi] / 30, Indice::TailleRepereMinutes, Indice::CouleurRepereMinutes);
    reperes(E[Pi] / 6, Indice::TailleRepereHeures, Indice::CouleurRepereHeures);
}

void Horloge::HorlogeDeb(BoiteImage &Picture, const Reglages &r)
{
    HorlogeDeb(Picture, r.CouleurCercle, r.TicTac, r.TailleRepereMinutes, r.CouleurRepereMinutes,
               r.TailleRepereHeures, r.CouleurRepereHeures, r.LongueurRayon,
               r.LongueurAiguilleSecondes, r.TailleAiguilleSecondes, r.CouleurAiguilleSecondes,
               r.LongueurAiguilleMinutes, r.TailleAiguilleMinutes, r.CouleurAiguilleMinutes,
               r.LongueurAiguilleHeures, r.TailleAiguilleHeures, r.CouleurAiguilleHeures);
}

void Horloge::HorlogeDes(BoiteImage &Picture)
{
    auto &E = Etat;
    const auto trait = [&](Indice taille, Indice x, Indice y, Couleur c) {
        Picture.setDrawWidth(enEntier16(E[taille]));
        Picture.Line(float(E[CentreX]), float(E[CentreY]), float(E[x]), float(E[y]), c);
    };
    // Where a hand of the given angle and length ends.
    const auto bout = [&](Indice angle, Indice longueur, Indice x, Indice y) {
        E[x] = E[Rayon] * std::cos(E[angle]) * E[longueur] + E[CentreX];
        E[y] = E[Rayon] * std::sin(E[angle]) * E[longueur] + E[CentreY];
    };
    if (E[XAiguilleSecondes] >= 0) {
        trait(TailleAiguilleSecondes, XAiguilleSecondes, YAiguilleSecondes, Picture.BackColor());
        trait(TailleAiguilleMinutes, XAiguilleMinutes, YAiguilleMinutes, Picture.BackColor());
        trait(TailleAiguilleHeures, XAiguilleHeures, YAiguilleHeures, Picture.BackColor());
    }

    // One reading for all three hands: readings a moment apart could straddle a change of
    // minute or hour and show hands of two different times.
    const Systeme::Lecture heure = Systeme::heure();
    E[AngleSecondes] = heure.secondes;
    E[AngleMinutes] = heure.minutes;
    E[AngleHeures] = heure.heures;

    double s = E[AngleSecondes] - 15;
    if (s <= 0)
        s += 60;
    E[AngleSecondes] = E[Pi] / 30 * s;
    bout(AngleSecondes, LongueurAiguilleSecondes, XAiguilleSecondes, YAiguilleSecondes);
    if (E[TicTac] >= 0) {
        trait(TailleAiguilleSecondes, XAiguilleSecondes, YAiguilleSecondes,
              enCouleur(E[CouleurAiguilleSecondes]));
        if (E[TicTac] == 1)
            Systeme::Beep();
    }

    double m = E[AngleMinutes] - 15;
    if (m <= 0)
        m += 60;
    E[AngleMinutes] = E[Pi] / 30 * m;
    bout(AngleMinutes, LongueurAiguilleMinutes, XAiguilleMinutes, YAiguilleMinutes);
    trait(TailleAiguilleMinutes, XAiguilleMinutes, YAiguilleMinutes,
          enCouleur(E[CouleurAiguilleMinutes]));

    double h = E[AngleHeures];
    if (h >= 12)
        h -= 12;
    h -= 3;
    if (h <= 0)
        h += 12;
    h += double(heure.minutes) / 60;
    E[AngleHeures] = E[Pi] / 6 * h;
    bout(AngleHeures, LongueurAiguilleHeures, XAiguilleHeures, YAiguilleHeures);
    trait(TailleAiguilleHeures, XAiguilleHeures, YAiguilleHeures,
          enCouleur(E[CouleurAiguilleHeures]));
}

void Horloge::HorlogeSec(std::int16_t cas)
{
    Etat[TicTac] = cas;
}

std::int16_t Horloge::HorlogeCas() const
{
    return enEntier16(Etat[TicTac]);
}

} // namespace vl
