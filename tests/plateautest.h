// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Boards written as rows of letters for the rules' tests: one letter a colour, '.' empty,
// '*' the elimination mark, the falling piece in lower case. A row gives the playing field's
// columns from the left wall, and the ones it leaves out are empty; what follows a '|' stands
// against the right wall ("R|R": a red cell at each side). A list of n rows stands for the
// bottom n rows of the field, everything above is empty.

#include "jeu.h"

#include <QString>
#include <QStringList>
#include <cassert>
#include <cstring>
#include <deque>

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

// The board cell in row ligne and column colonne, counted from the top-left wall (the field's
// are 1 to RangeesDeJeu and 1 to ColonnesDeJeu).
constexpr int caseDe(int ligne, int colonne)
{
    return ligne * Jeu::Colonnes + colonne;
}

// A row of letters as wide as the field, its letters as written.
inline QString aLaLargeur(const QString &l)
{
    const QString gauche = l.section(QLatin1Char('|'), 0, 0);
    const QString droite = l.section(QLatin1Char('|'), 1);
    assert(gauche.size() + droite.size() <= ColonnesDeJeu);
    return gauche + QString(ColonnesDeJeu - gauche.size() - droite.size(), QLatin1Char('.'))
            + droite;
}

// Rows of letters as lire() gives them: each as wide as the field, the piece in upper case.
inline QStringList rangees(const QStringList &lignes)
{
    QStringList r;
    for (const QString &l : lignes)
        r << aLaLargeur(l).toUpper();
    return r;
}

// The whole playing field as lire() gives it, with lignes at the bottom.
inline QStringList champ(const QStringList &lignes)
{
    assert(lignes.size() <= RangeesDeJeu);
    return rangees(QStringList(RangeesDeJeu - lignes.size(), QString()) + lignes);
}

// The top cell of the piece that lignes, the bottom rows of the field, draw in lower case; 0
// when they draw none.
inline int position(const QStringList &lignes)
{
    for (int k = 0; k < lignes.size(); ++k) {
        const QString l = aLaLargeur(lignes.at(k));
        for (int col = 1; col <= ColonnesDeJeu; ++col)
            if (l.at(col - 1).isLower())
                return caseDe(RangeesDeJeu - int(lignes.size()) + 1 + k, col);
    }
    return 0;
}

// Fills the playing field from rows of letters, and puts the piece where they draw it.
inline void poser(Jeu &jeu, const QStringList &lignes)
{
    const QStringList c = champ(lignes);
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne)
        for (int col = 1; col <= ColonnesDeJeu; ++col)
            jeu.setLbl(caseDe(ligne, col), couleurDe(jeu, c.at(ligne - 1).at(col - 1)));
    if (const int p = position(lignes))
        jeu.setPosition(p);
}

// The bottom n rows of the playing field as letters.
inline QStringList lire(const Jeu &jeu, int n = RangeesDeJeu)
{
    QStringList lignes;
    for (int ligne = RangeesDeJeu + 1 - n; ligne <= RangeesDeJeu; ++ligne) {
        QString l;
        for (int col = 1; col <= ColonnesDeJeu; ++col)
            l += lettreDe(jeu, jeu.lbl(caseDe(ligne, col)));
        lignes << l;
    }
    return lignes;
}

// The whole playing field in the colour of one letter.
inline QStringList champUni(char lettre)
{
    return QStringList(RangeesDeJeu, QString(ColonnesDeJeu, QLatin1Char(lettre)));
}

// True when the wall cells still hold the wall colour.
inline bool mursIntacts(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        if (Jeu::estMur(i) && jeu.lbl(i) != jeu.mur())
            return false;
    return true;
}

// The draw that brings a new piece into column c (1 to ColonnesDeJeu), and the one that gives
// it palette colour k (0 to 6): the middle of the range that picks each.
constexpr float tirageColonne(int c)
{
    return (float(c) - 0.5f) / ColonnesDeJeu;
}
constexpr float tirageTeinte(int k)
{
    return (float(k) + 0.5f) / float(Jeu::Palette.size());
}

// The draws a test writes down, taken in turn; a draw it did not write down stops the test
// program, naming the cause.
struct Tirages
{
    std::deque<float> suite;
    // Adds the draws of a spawn into column col: its column, then the colours of the next
    // piece, red, blue and purple.
    void apparition(int col)
    {
        suite.insert(suite.end(),
                     {tirageColonne(col), tirageTeinte(0), tirageTeinte(1), tirageTeinte(2)});
    }
    float operator()()
    {
        if (suite.empty())
            qFatal("a draw that the test did not write down");
        const float r = suite.front();
        suite.pop_front();
        return r;
    }
};

} // namespace vl::test
