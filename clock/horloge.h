// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

namespace vl {

class BoiteImage;

// An analog clock drawn into a picture box that the caller owns: a circle, 60 minute marks,
// 12 hour marks and three hands brought to the current local time on every redraw. Its
// whole state is the array Etat; it keeps no reference to the box, so every drawing call
// must be given the box that HorlogeDeb was given.
class Horloge
{
public:
    // The meaning of each slot of Etat (slot 0 is unused).
    enum Indice {
        Pi = 1,
        XAiguilleSecondes,
        CentreX,
        CentreY,
        Rayon,
        LongueurAiguilleHeures,
        LongueurAiguilleMinutes,
        LongueurAiguilleSecondes,
        YAiguilleSecondes,
        XAiguilleMinutes,
        YAiguilleMinutes,
        XAiguilleHeures,
        YAiguilleHeures,
        AngleHeures,
        AngleMinutes,
        AngleSecondes,
        TicTac,
        CouleurRepereMinutes,
        CouleurRepereHeures,
        AngleRepere,
        CouleurAiguilleSecondes,
        CouleurAiguilleMinutes,
        CouleurAiguilleHeures,
        CouleurCercle,
        TailleRepereMinutes,
        TailleRepereHeures,
        TailleAiguilleSecondes,
        TailleAiguilleMinutes,
        TailleAiguilleHeures,
        NombreIndices
    };

    // The sixteen settings of HorlogeDeb after the box, by name; 0 leaves a length, a width or
    // the radius to the clock (see HorlogeDeb).
    struct Reglages
    {
        double CouleurCercle = 0;
        std::int16_t TicTac = 0;
        double TailleRepereMinutes = 0;
        double CouleurRepereMinutes = 0;
        std::int16_t TailleRepereHeures = 0;
        double CouleurRepereHeures = 0;
        double LongueurRayon = 0;
        double LongueurAiguilleSecondes = 0;
        double TailleAiguilleSecondes = 0;
        double CouleurAiguilleSecondes = 0;
        double LongueurAiguilleMinutes = 0;
        double TailleAiguilleMinutes = 0;
        double CouleurAiguilleMinutes = 0;
        double LongueurAiguilleHeures = 0;
        double TailleAiguilleHeures = 0;
        double CouleurAiguilleHeures = 0;
    };

    // Configures the clock for Picture (sizes, colours, widths, with the fallbacks for zero or
    // negative settings), clears the box and draws the dial; forgets any hands drawn before.
    // Throws when the box refuses a pen width below 1.
    void HorlogeDeb(BoiteImage &Picture, double CouleurCercle, std::int16_t TicTac,
                    double TailleRepereMinutes, double CouleurRepereMinutes,
                    std::int16_t TailleRepereHeures, double CouleurRepereHeures,
                    double LongueurRayon, double LongueurAiguilleSecondes,
                    double TailleAiguilleSecondes, double CouleurAiguilleSecondes,
                    double LongueurAiguilleMinutes, double TailleAiguilleMinutes,
                    double CouleurAiguilleMinutes, double LongueurAiguilleHeures,
                    double TailleAiguilleHeures, double CouleurAiguilleHeures);
    // The same with the settings by name.
    void HorlogeDeb(BoiteImage &Picture, const Reglages &r);
    // Erases the hands drawn last (if any) and draws them at the current time. Picture must
    // be the box given to HorlogeDeb. Throws when the box refuses a pen width below 1.
    void HorlogeDes(BoiteImage &Picture);
    // Sets the second-hand mode from the next redraw on: below 0 hidden, 1 drawn with a beep
    // per redraw, any other value drawn silently. (The game leaves it as HorlogeDeb set it.)
    void HorlogeSec(std::int16_t cas);
    // The second-hand mode. (The game does not ask.)
    std::int16_t HorlogeCas() const;

    // The whole state: the settings as stored, the geometry, and the hands as last drawn.
    const std::array<double, NombreIndices> &etat() const { return Etat; }

private:
    std::array<double, NombreIndices> Etat {};
};

} // namespace vl
