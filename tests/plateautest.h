// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Boards written as rows of letters for the rules' tests: one letter a colour, '.' empty,
// '*' the elimination mark. Rows are the playing field's columns; a list of n rows stands
// for the bottom n rows of the field, everything above is empty.

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

// The playing field's size: its rows are those between the top and bottom walls, its columns
// those between the side walls.
inline constexpr int RangeesDeJeu = Jeu::Rangees - 2;
inline constexpr int ColonnesDeJeu = Jeu::Colonnes - 2;

// Fills the playing field from rows of letters (the bottom rows; empty above).
inline void poser(Jeu &jeu, const QStringList &lignes)
{
    assert(lignes.size() <= RangeesDeJeu);
    const int premiere = RangeesDeJeu + 1 - int(lignes.size());
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne)
        for (int col = 1; col <= ColonnesDeJeu; ++col) {
            const bool donnee = ligne >= premiere;
            const QString &l = donnee ? lignes.at(ligne - premiere) : QString();
            assert(!donnee || l.size() == ColonnesDeJeu);
            jeu.setLbl(ligne * Jeu::Colonnes + col,
                       donnee ? couleurDe(jeu, l.at(col - 1)) : jeu.vide());
        }
}

// The draw that brings a new piece into column c (1 to ColonnesDeJeu), and the one that gives
// it palette colour k (0 to 6): the middle of the range that picks each.
inline float tirageColonne(int c)
{
    return (float(c) - 0.5f) / ColonnesDeJeu;
}
inline float tirageTeinte(int k)
{
    return (float(k) + 0.5f) / float(Jeu::Palette.size());
}

// The whole playing field in the colour of one letter.
inline QStringList champUni(char lettre)
{
    return QStringList(RangeesDeJeu, QString(ColonnesDeJeu, QLatin1Char(lettre)));
}

// The bottom n rows of the playing field as letters.
inline QStringList lire(const Jeu &jeu, int n = RangeesDeJeu)
{
    QStringList lignes;
    for (int ligne = RangeesDeJeu + 1 - n; ligne <= RangeesDeJeu; ++ligne) {
        QString l;
        for (int col = 1; col <= ColonnesDeJeu; ++col)
            l += lettreDe(jeu, jeu.lbl(ligne * Jeu::Colonnes + col));
        lignes << l;
    }
    return lignes;
}

// True when the wall cells still hold the wall colour.
inline bool mursIntacts(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        if (Jeu::estMur(i) && jeu.lbl(i) != jeu.mur())
            return false;
    return true;
}

} // namespace vl::test
