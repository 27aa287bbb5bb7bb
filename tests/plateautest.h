// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Boards written as rows of letters for the rules' tests: one letter a colour, '.' empty,
// '*' the elimination mark. Rows are the playing field's 8 columns; a list of n rows stands
// for the bottom n rows (rows 21 - n to 20), everything above is empty.

#include "jeu.h"

#include <QString>
#include <QStringList>
#include <cassert>
#include <cstring>

namespace vl::test {

// R red, B blue, P purple, J yellow, V green, O orange, F dark red.
inline constexpr char Lettres[] = "RBPJVOF";

inline Couleur couleurDe(const Jeu &jeu, QChar l)
{
    if (l == QLatin1Char('.'))
        return jeu.vide();
    if (l == QLatin1Char('*'))
        return Jeu::Marque;
    const char *p = std::strchr(Lettres, l.toLatin1());
    assert(p && *p);
    return Jeu::Palette.at(std::size_t(p - Lettres));
}

inline QChar lettreDe(const Jeu &jeu, Couleur c)
{
    if (c == jeu.vide())
        return QLatin1Char('.');
    if (c == Jeu::Marque)
        return QLatin1Char('*');
    if (c == jeu.mur())
        return QLatin1Char('#');
    for (std::size_t k = 0; k < Jeu::Palette.size(); ++k)
        if (Jeu::Palette[k] == c)
            return QLatin1Char(Lettres[k]);
    return QLatin1Char('?');
}

// A started rules object: directions, walls and an empty field, an empty preview.
inline void prepare(Jeu &jeu)
{
    jeu.RemplitDirection();
    jeu.PrepareTableau();
    jeu.VideApercu();
}

// Fills the playing field from rows of 8 letters (the bottom rows; empty above).
inline void poser(Jeu &jeu, const QStringList &lignes)
{
    assert(lignes.size() <= 20);
    const int premiere = 21 - int(lignes.size());
    for (int ligne = 1; ligne <= 20; ++ligne)
        for (int col = 1; col <= 8; ++col) {
            const bool donnee = ligne >= premiere;
            const QString &l = donnee ? lignes.at(ligne - premiere) : QString();
            assert(!donnee || l.size() == 8);
            jeu.setLbl(ligne * 10 + col, donnee ? couleurDe(jeu, l.at(col - 1)) : jeu.vide());
        }
}

// The bottom n rows of the playing field as letters.
inline QStringList lire(const Jeu &jeu, int n = 20)
{
    QStringList lignes;
    for (int ligne = 21 - n; ligne <= 20; ++ligne) {
        QString l;
        for (int col = 1; col <= 8; ++col)
            l += lettreDe(jeu, jeu.lbl(ligne * 10 + col));
        lignes << l;
    }
    return lignes;
}

// True when the 60 wall cells still hold the wall colour.
inline bool mursIntacts(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        const bool mur = i < 10 || i >= 210 || i % 10 == 0 || i % 10 == 9;
        if (mur && jeu.lbl(i) != jeu.mur())
            return false;
    }
    return true;
}

} // namespace vl::test
