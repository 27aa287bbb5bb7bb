// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules on their own: board set-up, the alignment search with its removal and settling,
// the fall tick, spawning and the player's commands, on boards written as rows of letters.

#include "plateautest.h"

#include <QtTest>

using namespace vl;
using namespace vl::test;

Q_DECLARE_METATYPE(vl::Jeu::Commande)

namespace {

Jeu nouveauJeu()
{
    return Jeu(couleurs::FaceBouton, couleurs::TexteBouton);
}

} // namespace

class TestRegles : public QObject
{
    Q_OBJECT
private slots:
    void miseEnPlace();
    void direction_data();
    void direction();
    void paletteDistincte();

    void alignement_data();
    void alignement();
    void ligneAuRang1();
    void plateauDUneSeuleCouleur();
    void marqueOublieeNEstPasUneCouleur();

    void chute();
    void atterrissage_data();
    void atterrissage();
    void vitesse_data();
    void vitesse();

    void premiereApparition();
    void apparitionBloquee();

    void commandes_data();
    void commandes();
    void apercuBascule();
};

// The board's shape, typed once, here and in direction: walls all round a field of 8 columns
// by 20 rows, cell i in row i / 10. Every other test reads it from Jeu.
void TestRegles::miseEnPlace()
{
    const Jeu jeu = nouveauJeu();
    int murs = 0;
    int vides = 0;
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        murs += jeu.lbl(i) == jeu.mur();
        vides += jeu.lbl(i) == jeu.vide();
    }
    QCOMPARE(murs, 60);
    QCOMPARE(vides, 160);
    for (int i : {0, 9, 10, 19, 200, 209, 210, 219})
        QCOMPARE(jeu.lbl(i), jeu.mur());
    QCOMPARE(jeu.lbl(11), jeu.vide());
    QCOMPARE(jeu.lbl(208), jeu.vide());
    QVERIFY(mursIntacts(jeu));
    QCOMPARE(jeu.Label2(0), jeu.vide());
    QCOMPARE(jeu.Montrer(), std::int16_t(0));
}

void TestRegles::direction_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<QList<int>>("voisins");
    QTest::newRow("les huit voisins de la premiere case de jeu")
            << 11 << QList<int> {0, 1, 2, 10, 12, 20, 21, 22};
    QTest::newRow("les huit voisins de la derniere case de jeu")
            << 208 << QList<int> {197, 198, 199, 207, 209, 217, 218, 219};
}

void TestRegles::direction()
{
    QFETCH(int, depart);
    QFETCH(QList<int>, voisins);
    const Jeu jeu = nouveauJeu();
    for (int d = 1; d <= 8; ++d)
        QCOMPARE(depart + jeu.Direction(d), voisins.at(d - 1));
}

void TestRegles::paletteDistincte()
{
    const Jeu jeu = nouveauJeu();
    for (std::size_t k = 0; k < Jeu::Palette.size(); ++k) {
        for (Couleur autre : {jeu.vide(), jeu.mur(), Jeu::Marque})
            QVERIFY(Jeu::Palette[k] != autre);
        for (std::size_t j = k + 1; j < Jeu::Palette.size(); ++j)
            QVERIFY(Jeu::Palette[k] != Jeu::Palette[j]);
    }
}

void TestRegles::alignement_data()
{
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<QStringList>("apres");
    QTest::addColumn<int>("elimines");

    QTest::newRow("sans ligne rien ne change")
            << QStringList {"RB......", "BR......"} << QStringList {"RB......", "BR......"} << 0;
    QTest::newRow("deux voisins et un troisieme en coin ne font pas de ligne")
            << QStringList {"..R.....", "RRJ....."} << QStringList {"..R.....", "RRJ....."} << 0;
    QTest::newRow("une colonne contre le mur ne s'aligne pas avec lui")
            << QStringList {"R|R", "R|R"} << QStringList {"R|R", "R|R"} << 0;
    QTest::newRow("piece verticale d'une seule couleur")
            << QStringList {"..R.....", "..R.....", "..R.....", "BJVB...."}
            << QStringList {"........", "........", "........", "BJVB...."} << 3;
    QTest::newRow("ligne de cinq en un seul passage")
            << QStringList {"RRRRRJ.."} << QStringList {".....J.."} << 5;
    QTest::newRow("la couleur separee par une autre reste")
            << QStringList {"RRRJR..."} << QStringList {"...JR..."} << 3;
    QTest::newRow("ligne de quatre, cases en coin et leurs voisines de proche en proche")
            << QStringList {".....R..", "....RJ..", "RRRRBV..", "BJBJRBVR"}
            << QStringList {"........", ".....J..", ".....V..", "BJBJBBVR"} << 7;
    QTest::newRow("colonne marquee a plusieurs hauteurs garde l'ordre du reste")
            << QStringList {".R......", "RJ......", "VR......", "OVR.....", "JRJ.....", "VOO....."}
            << QStringList {"........", "........", "V.......", "OJ......", "JVJ.....", "VOO....."}
            << 5;
    QTest::newRow("deux lignes: la premiere part, la seconde reste si le tassement la brise")
            << QStringList {"B.......", "JBRRR...", "VOBJV...", "OJVOJ...", "JVOJO..."}
            << QStringList {"........", "J..RR...", "VORJV...", "OJVOJ...", "JVOJO..."} << 3;
    QTest::newRow("deux lignes: la seconde part au passage suivant si elle tient encore")
            << QStringList {"B.......", "B.......", "B.......", "J.......", "RRR....."}
            << QStringList {"........", "........", "........", "........", "J......."} << 6;
    QTest::newRow("cascade: les cases descendues forment une nouvelle ligne")
            << QStringList {"J.......", "R.......", "R.......", "RJJ.....", "VOP....."}
            << QStringList {"........", "........", "........", "........", "VOP....."} << 6;
}

void TestRegles::alignement()
{
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    QFETCH(int, elimines);
    Jeu jeu = nouveauJeu();
    poser(jeu, avant);
    jeu.ChercheAlignement();
    QCOMPARE(lire(jeu), champ(apres));
    QCOMPARE(int(jeu.Elimines()), elimines);
    QVERIFY(mursIntacts(jeu));
}

// A line in row 1 over full columns without any other line: its cells empty in place.
void TestRegles::ligneAuRang1()
{
    Jeu jeu = nouveauJeu();
    // Row 1 in the seventh colour, the rows below in six so that no two neighbours match.
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne)
        for (int col = 1; col <= ColonnesDeJeu; ++col)
            jeu.setLbl(caseDe(ligne, col),
                       Jeu::Palette[std::size_t(ligne == 1 ? 6 : (3 * ligne + col) % 6)]);
    const QStringList dessous = lire(jeu, RangeesDeJeu - 1);
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(ColonnesDeJeu));
    QCOMPARE(lire(jeu), QStringList(champ({}).first()) + dessous);
}

void TestRegles::plateauDUneSeuleCouleur()
{
    Jeu jeu = nouveauJeu();
    poser(jeu, champUni('O'));
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(RangeesDeJeu * ColonnesDeJeu));
    QCOMPARE(lire(jeu), champ({}));
    QVERIFY(mursIntacts(jeu));
}

// A board that play never produces: a column with a gap leaves a mark above it after the
// settling. The next search must not take that mark for a colour, and the cascade ends.
void TestRegles::marqueOublieeNEstPasUneCouleur()
{
    Jeu jeu = nouveauJeu();
    poser(jeu, {"R.......", "R.......", "R.......", "........", "JBVJ...."});
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(3));
    QCOMPARE(lire(jeu), champ({"*", "*", "*", "", "JBVJ"}));
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(3));
}

void TestRegles::chute()
{
    Jeu jeu = nouveauJeu();
    poser(jeu, {"...r", "...b", "...j", "", ""});
    jeu.setInterval(Jeu::IntervalleDepart);
    jeu.Tic();
    const QStringList apres {"", "...r", "...b", "...j", ""};
    QCOMPARE(lire(jeu), champ(apres));
    QCOMPARE(jeu.Position(), position(apres));
    QCOMPARE(jeu.Interval(), Jeu::IntervalleDepart);
    QCOMPARE(jeu.score(), 0);
}

void TestRegles::atterrissage_data()
{
    QTest::addColumn<QStringList>("avant"); // the piece, and what lies below it
    QTest::addColumn<bool>("decalee"); // moved right before the tick
    QTest::addColumn<bool>("pose");
    QTest::newRow("bas de la piece au dernier rang: posee sur le mur du fond")
            << QStringList {"r", "b", "p"} << false << true;
    QTest::newRow("au-dessus d'une case vide, la piece tombe encore")
            << QStringList {"r", "b", "p", ""} << false << false;
    QTest::newRow("sur une case du tas: posee")
            << QStringList {"r", "b", "p", "V"} << false << true;
    QTest::newRow("poussee de cote au-dessus du vide, elle retombe au lieu d'etre posee")
            << QStringList {"r", "b", "p", "V"} << true << false;
}

void TestRegles::atterrissage()
{
    QFETCH(QStringList, avant);
    QFETCH(bool, decalee);
    QFETCH(bool, pose);
    Jeu jeu = nouveauJeu();
    Tirages t;
    t.apparition(6);
    jeu.setTirage(std::ref(t));
    jeu.setLabel2(0, Jeu::Palette[3]);
    jeu.setLabel2(1, Jeu::Palette[4]);
    jeu.setLabel2(2, Jeu::Palette[5]);
    poser(jeu, avant);
    jeu.setInterval(Jeu::IntervalleDepart);
    if (decalee)
        jeu.Execute(Jeu::Commande::Droite);
    const int depart = jeu.Position();
    jeu.Tic();
    if (pose) {
        // The next piece comes in during the same tick, with the preview's colours.
        QCOMPARE(jeu.Position(), caseDe(1, 6));
        QCOMPARE(lire(jeu).mid(0, 3), rangees({".....J", ".....V", ".....O"}));
        QCOMPARE(jeu.Label2(0), Jeu::Palette[0]);
        QCOMPARE(jeu.Label2(2), Jeu::Palette[2]);
        QVERIFY(t.suite.empty());
    } else {
        QCOMPARE(jeu.Position(), depart + Jeu::Colonnes);
        QCOMPARE(t.suite.size(), std::size_t(4));
    }
    QCOMPARE(jeu.Interval(), Jeu::IntervalleDepart);
}

void TestRegles::vitesse_data()
{
    QTest::addColumn<int>("intervalle");
    QTest::addColumn<QString>("fond"); // the bottom row
    QTest::addColumn<int>("attendu");
    // The landing piece is three reds in column 1 (the bottom three rows); reds beside it in
    // the bottom row join its region.
    QTest::newRow("au depart, cinq cases: 5 ms de moins, score 5")
            << Jeu::IntervalleDepart << ".RR....." << Jeu::IntervalleDepart - 5;
    QTest::newRow("4 ms, quatre cases: plancher de 1 ms, pas 0") << 4 << ".R......" << 1;
    QTest::newRow("4 ms, trois cases: 1 ms") << 4 << ".J......" << 1;
    QTest::newRow("5 ms, trois cases: 2 ms, score 998") << 5 << ".J......" << 2;
    QTest::newRow("au plancher, l'intervalle reste 1 ms") << 1 << ".RR....." << 1;
}

void TestRegles::vitesse()
{
    QFETCH(int, intervalle);
    QFETCH(QString, fond);
    QFETCH(int, attendu);
    Jeu jeu = nouveauJeu();
    Tirages t;
    t.apparition(5);
    jeu.setTirage(std::ref(t));
    jeu.setInterval(intervalle);
    poser(jeu, {"r", "r", "r", fond});
    jeu.Tic(); // falls onto the bottom row's neighbours
    jeu.Tic(); // lands
    QCOMPARE(jeu.Interval(), attendu);
    QCOMPARE(jeu.score(), Jeu::IntervalleDepart - attendu);
    QCOMPARE(jeu.Elimines(), std::int16_t(0));
}

void TestRegles::premiereApparition()
{
    Jeu jeu = nouveauJeu();
    Tirages t;
    t.suite = {tirageColonne(3), tirageTeinte(0), tirageTeinte(1), tirageTeinte(2),
               tirageColonne(7), tirageTeinte(3), tirageTeinte(4), tirageTeinte(5)};
    jeu.setTirage(std::ref(t));
    jeu.NouvellePiece();
    // The empty preview goes into the board, which stays as it was.
    QCOMPARE(lire(jeu), champ({}));
    jeu.NouvellePiece();
    QCOMPARE(jeu.Position(), caseDe(1, 7));
    QCOMPARE(lire(jeu).mid(0, 4), rangees({"......R", "......B", "......P", ""}));
    QCOMPARE(jeu.Label2(0), Jeu::Palette[3]);
    QCOMPARE(jeu.Label2(1), Jeu::Palette[4]);
    QCOMPARE(jeu.Label2(2), Jeu::Palette[5]);
}

void TestRegles::apparitionBloquee()
{
    Jeu jeu = nouveauJeu();
    Tirages t;
    int perdus = 0;
    jeu.setPerdu([&] { ++perdus; });
    jeu.setTirage(std::ref(t));
    t.apparition(1);
    t.apparition(1);
    jeu.Demarre();
    // Column 2 is full up to row 4, column 5 up to row 5 (one row short of blocking a piece).
    poser(jeu, QStringList {".V"} + QStringList(RangeesDeJeu - 4, QStringLiteral(".V..V")));
    for (int i = 0; i < 3; ++i)
        jeu.setLabel2(i, Jeu::Palette[std::size_t(i)]);

    t.suite = {tirageColonne(5), tirageTeinte(6), tirageTeinte(6), tirageTeinte(6)};
    jeu.NouvellePiece();
    QCOMPARE(perdus, 0);
    QVERIFY(jeu.Enabled());

    const QStringList avant = lire(jeu);
    t.suite = {tirageColonne(2)};
    jeu.NouvellePiece();
    QCOMPARE(perdus, 1);
    QVERIFY(!jeu.Enabled());
    QCOMPARE(jeu.Position(), caseDe(1, 2));
    QCOMPARE(lire(jeu), avant);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(jeu.Label2(i), Jeu::Palette[6]);
    // Space then changes nothing: the cell below the entry is the one that ended the game.
    jeu.Execute(Jeu::Commande::Precipite);
    QCOMPARE(lire(jeu), avant);
}

void TestRegles::commandes_data()
{
    QTest::addColumn<QStringList>("avant"); // the piece in lower case
    QTest::addColumn<Jeu::Commande>("commande");
    QTest::addColumn<QStringList>("apres");
    const QStringList base {"...r", "...b", "...j", "OVOVOVOV"};
    QTest::newRow("gauche deplace les trois cases")
            << base << Jeu::Commande::Gauche << QStringList {"..r", "..b", "..j", "OVOVOVOV"};
    QTest::newRow("droite deplace les trois cases")
            << base << Jeu::Commande::Droite << QStringList {"....r", "....b", "....j", "OVOVOVOV"};
    QTest::newRow("gauche contre le mur de gauche ne change rien")
            << QStringList {"r", "b", "j", "O"} << Jeu::Commande::Gauche
            << QStringList {"r", "b", "j", "O"};
    QTest::newRow("droite contre le mur de droite ne change rien")
            << QStringList {"|r", "|b", "|j", "|O"} << Jeu::Commande::Droite
            << QStringList {"|r", "|b", "|j", "|O"};
    QTest::newRow("une seule case cible occupee bloque le deplacement")
            << QStringList {"...r", "...b", "..Oj", "..VO"} << Jeu::Commande::Gauche
            << QStringList {"...r", "...b", "..Oj", "..VO"};
    QTest::newRow("une piece posee mais pas encore atterrie se deplace")
            << QStringList {"...r", "...b", "...j", "...O"} << Jeu::Commande::Droite
            << QStringList {"....r", "....b", "....j", "...O"};
    QTest::newRow("haut: a b c devient b c a")
            << base << Jeu::Commande::Haut << QStringList {"...b", "...j", "...r", "OVOVOVOV"};
    QTest::newRow("bas: a b c devient c a b")
            << base << Jeu::Commande::Bas << QStringList {"...j", "...r", "...b", "OVOVOVOV"};
    QTest::newRow("espace avec une seule case libre: un rang plus bas, meme ordre")
            << QStringList {"...r", "...b", "...j", "", "...O"} << Jeu::Commande::Precipite
            << QStringList {"", "...r", "...b", "...j", "...O"};
    QTest::newRow("espace sur une piece qui repose deja ne change rien")
            << base << Jeu::Commande::Precipite << base;
    // From the top row, dropped to the floor: still the falling piece until a tick lands it.
    QTest::newRow("espace dans une colonne vide: jusqu'au fond")
            << QStringList {".....r", ".....b", ".....j"} + QStringList(RangeesDeJeu - 3, {})
            << Jeu::Commande::Precipite << QStringList {".....r", ".....b", ".....j"};
}

void TestRegles::commandes()
{
    QFETCH(QStringList, avant);
    QFETCH(Jeu::Commande, commande);
    QFETCH(QStringList, apres);
    Jeu jeu = nouveauJeu();
    poser(jeu, avant);
    jeu.Execute(commande);
    QCOMPARE(lire(jeu), champ(apres));
    QCOMPARE(jeu.Position(), position(apres));
    QVERIFY(mursIntacts(jeu));
}

void TestRegles::apercuBascule()
{
    Jeu jeu = nouveauJeu();
    jeu.Execute(Jeu::Commande::Apercu);
    QCOMPARE(jeu.Montrer(), std::int16_t(-1));
    jeu.Execute(Jeu::Commande::Apercu);
    QCOMPARE(jeu.Montrer(), std::int16_t(0));
}

QTEST_GUILESS_MAIN(TestRegles)
#include "tst_regles.moc"
