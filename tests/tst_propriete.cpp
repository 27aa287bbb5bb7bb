// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A long seeded random game of ticks and key presses, restarted whenever it is lost, with
// the rules' invariants checked after every step.

#include "plateautest.h"

#include <QtTest>
#include <random>

using namespace vl;
using namespace vl::test;

namespace {

bool estPiece(const Jeu &jeu, int i)
{
    const int p = jeu.Position();
    return i >= p && i < p + Jeu::Dessous && (i - p) % Jeu::Colonnes == 0;
}

bool occupee(const Jeu &jeu, int i)
{
    return jeu.lbl(i) != jeu.vide();
}

// Whether a line of three of one colour stands among the cells other than the piece's.
bool ligneHorsPiece(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        const Couleur c = jeu.lbl(i);
        if (c == jeu.vide() || c == jeu.mur() || estPiece(jeu, i))
            continue;
        for (int d = 1; d <= 8; ++d) {
            const int a = i + jeu.Direction(d);
            const int b = a + jeu.Direction(d);
            if (jeu.lbl(a) == c && !estPiece(jeu, a) && b >= 0 && b < Jeu::NombreCases
                && jeu.lbl(b) == c && !estPiece(jeu, b))
                return true;
        }
    }
    return false;
}

// Without the falling piece, every column is one unbroken stack standing on the bottom row.
QString defautDeColonnes(const Jeu &jeu)
{
    for (int col = 1; col <= ColonnesDeJeu; ++col) {
        bool vu_vide = false;
        for (int ligne = RangeesDeJeu; ligne >= 1; --ligne) {
            const int i = caseDe(ligne, col);
            const bool plein = occupee(jeu, i) && !estPiece(jeu, i);
            if (plein && vu_vide)
                return QStringLiteral("colonne %1 trouee au rang %2").arg(col).arg(ligne);
            vu_vide = vu_vide || !plein;
        }
    }
    return {};
}

int casesOccupees(const Jeu &jeu)
{
    int n = 0;
    for (int i = 0; i < Jeu::NombreCases; ++i)
        n += occupee(jeu, i) && jeu.lbl(i) != jeu.mur();
    return n;
}

} // namespace

class TestPropriete : public QObject
{
    Q_OBJECT
private slots:
    void partieAleatoire();
};

void TestPropriete::partieAleatoire()
{
    std::mt19937 gen(20261208);
    std::uniform_real_distribution<float> uniforme(0.0f, 1.0f);
    const auto tirage = [&] {
        float r = uniforme(gen);
        return r < 1.0f ? r : 0.0f;
    };
    Jeu jeu(couleurs::FaceBouton, couleurs::TexteBouton);
    int retires = 0;
    int parties = 0;
    int atterrissages = 0;
    int grosses = 0; // landings that removed more than one piece
    jeu.setTirage(tirage);
    const auto nouvellePartie = [&] {
        jeu.Demarre();
        retires = 0;
        ++parties;
    };
    nouvellePartie();

    // Half the steps are ticks, the others keys: each command, and two keys that do nothing
    // to the rules (Escape, and one the game does not use).
    const int touches = int(Jeu::Commandes.size()) + 2;
    for (int pas = 0; pas < 150000; ++pas) {
        const int intervalle = jeu.Interval();
        const int choix = int(gen() % unsigned(2 * touches));
        bool atterrie = false;
        if (choix < touches) {
            const int position = jeu.Position();
            const int avant = casesOccupees(jeu);
            jeu.Tic();
            atterrie = jeu.Position() != position + Jeu::Colonnes;
            if (atterrie) {
                ++atterrissages;
                const int enlevees = avant - casesOccupees(jeu) + (jeu.Enabled() ? 3 : 0);
                retires += enlevees;
                grosses += enlevees > 3;
            }
        } else if (choix - touches < int(Jeu::Commandes.size())) {
            jeu.Execute(Jeu::Commandes[std::size_t(choix - touches)]);
        }

        QVERIFY2(mursIntacts(jeu), qPrintable(QString::number(pas)));
        for (int i = 0; i < Jeu::NombreCases; ++i)
            QVERIFY2(jeu.lbl(i) != Jeu::Marque, "une marque est restee hors d'un passage");
        QCOMPARE(jeu.Elimines(), std::int16_t(0));
        QVERIFY(jeu.Interval() >= 1 && jeu.Interval() <= Jeu::IntervalleDepart);
        QVERIFY(jeu.Interval() <= intervalle);
        QCOMPARE(jeu.score(), std::min(Jeu::IntervalleDepart - 1, retires));
        if (!jeu.Enabled()) {
            nouvellePartie();
            continue;
        }
        const int p = jeu.Position();
        QVERIFY(p % Jeu::Colonnes >= 1 && p % Jeu::Colonnes <= ColonnesDeJeu
                && p / Jeu::Colonnes >= 1
                && p / Jeu::Colonnes <= RangeesDeJeu + 1 - Jeu::HauteurPiece);
        const QString trou = defautDeColonnes(jeu);
        QVERIFY2(trou.isEmpty(), qPrintable(trou));
        if (atterrie)
            QVERIFY2(!ligneHorsPiece(jeu), "une ligne de trois est restee apres l'atterrissage");
    }
    qInfo("%d parties, %d atterrissages, %d eliminations de plus de trois cases", parties,
          atterrissages, grosses);
    // The walk must have exercised what it checks.
    QVERIFY(parties > 10);
    QVERIFY(atterrissages > 5000);
    QVERIFY(grosses > 50);
}

QTEST_GUILESS_MAIN(TestPropriete)
#include "tst_propriete.moc"
