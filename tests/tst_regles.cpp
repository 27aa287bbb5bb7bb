// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules on their own: board set-up, the alignment search with its removal and settling,
// the fall tick, spawning and the player's commands, on boards written as rows of letters.

#include "plateautest.h"

#include <QtTest>
#include <deque>

using namespace vl;
using namespace vl::test;

Q_DECLARE_METATYPE(vl::Jeu::Commande)

namespace {

// Draws that come from a list, then fail loudly if the list runs out.
struct Tirages
{
    std::deque<float> suite;
    float operator()()
    {
        assert(!suite.empty());
        const float r = suite.front();
        suite.pop_front();
        return r;
    }
};

Jeu nouveauJeu()
{
    return Jeu(couleurs::FaceBouton, couleurs::TexteBouton);
}

// Puts a piece of three letters, top to bottom, in column col with its top cell in row ligne.
void piece(Jeu &jeu, int ligne, int col, const char *couleurs)
{
    for (int i = 0; i < 3; ++i)
        jeu.setLbl((ligne + i) * 10 + col, couleurDe(jeu, QLatin1Char(couleurs[i])));
    jeu.setPosition(ligne * 10 + col);
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
    void cyclesRetournentAuDepart();
    void precipiteColonneVide();
    void apercuBascule();
};

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
        QCOMPARE(jeu.Label3(int(k)), Jeu::Palette[k]);
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
            << QStringList {"R......R", "R......R"} << QStringList {"R......R", "R......R"} << 0;
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
    QCOMPARE(lire(jeu, int(apres.size())), apres);
    QCOMPARE(lire(jeu, 20).mid(0, 20 - int(apres.size())).join(QString()),
             QString(8 * (20 - int(apres.size())), QLatin1Char('.')));
    QCOMPARE(int(jeu.Elimines()), elimines);
    QVERIFY(mursIntacts(jeu));
}

// A line in row 1 over full columns without any other line: its cells empty in place.
void TestRegles::ligneAuRang1()
{
    Jeu jeu = nouveauJeu();
    // Rows 2 to 20 use six colours so that no two neighbours match; row 1 is the seventh.
    for (int ligne = 2; ligne <= 20; ++ligne)
        for (int col = 1; col <= 8; ++col)
            jeu.setLbl(ligne * 10 + col, Jeu::Palette[std::size_t((3 * ligne + col) % 6)]);
    for (int col = 1; col <= 8; ++col)
        jeu.setLbl(10 + col, Jeu::Palette[6]);
    const QStringList dessous = lire(jeu, 19);
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(8));
    QCOMPARE(lire(jeu, 20).first(), QStringLiteral("........"));
    QCOMPARE(lire(jeu, 19), dessous);
}

void TestRegles::plateauDUneSeuleCouleur()
{
    Jeu jeu = nouveauJeu();
    poser(jeu, QStringList(20, QStringLiteral("OOOOOOOO")));
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(160));
    QCOMPARE(lire(jeu), QStringList(20, QStringLiteral("........")));
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
    QCOMPARE(lire(jeu, 5),
             QStringList({"*.......", "*.......", "*.......", "........", "JBVJ...."}));
    jeu.ChercheAlignement();
    QCOMPARE(jeu.Elimines(), std::int16_t(3));
}

void TestRegles::chute()
{
    Jeu jeu = nouveauJeu();
    piece(jeu, 1, 4, "RBJ");
    jeu.setInterval(Jeu::IntervalleDepart);
    jeu.Tic();
    QCOMPARE(jeu.Position(), 24);
    QCOMPARE(lire(jeu, 20).mid(0, 4),
             QStringList({"........", "...R....", "...B....", "...J...."}));
    QCOMPARE(jeu.Interval(), Jeu::IntervalleDepart);
    QCOMPARE(jeu.score(), 0);
}

void TestRegles::atterrissage_data()
{
    QTest::addColumn<QStringList>("tas");
    QTest::addColumn<int>("ligne");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("commande");
    QTest::addColumn<bool>("pose");
    QTest::newRow("bas de la piece au rang 20: posee sur le mur du fond")
            << QStringList {} << 18 << 1 << QString() << true;
    QTest::newRow("au-dessus d'une case vide, la piece tombe encore")
            << QStringList {} << 17 << 1 << QString() << false;
    QTest::newRow("sur une case du tas: posee")
            << QStringList {"V......."} << 17 << 1 << QString() << true;
    QTest::newRow("poussee de cote au-dessus du vide, elle retombe au lieu d'etre posee")
            << QStringList {"V......."} << 17 << 1 << QStringLiteral("droite") << false;
}

void TestRegles::atterrissage()
{
    QFETCH(QStringList, tas);
    QFETCH(int, ligne);
    QFETCH(int, col);
    QFETCH(QString, commande);
    QFETCH(bool, pose);
    Jeu jeu = nouveauJeu();
    Tirages t;
    t.suite = {tirageColonne(6), tirageTeinte(0), tirageTeinte(1), tirageTeinte(2)};
    jeu.setTirage(std::ref(t));
    jeu.setLabel2(0, Jeu::Palette[3]);
    jeu.setLabel2(1, Jeu::Palette[4]);
    jeu.setLabel2(2, Jeu::Palette[5]);
    poser(jeu, tas);
    piece(jeu, ligne, col, "RBP");
    jeu.setInterval(Jeu::IntervalleDepart);
    if (!commande.isEmpty())
        jeu.Execute(Jeu::Commande::Droite);
    const int avant = jeu.Position();
    jeu.Tic();
    if (pose) {
        // The next piece comes in during the same tick, with the preview's colours.
        QCOMPARE(jeu.Position(), 16);
        QCOMPARE(lire(jeu, 20).mid(0, 3), QStringList({".....J..", ".....V..", ".....O.."}));
        QCOMPARE(jeu.Label2(0), Jeu::Palette[0]);
        QCOMPARE(jeu.Label2(2), Jeu::Palette[2]);
        QVERIFY(t.suite.empty());
    } else {
        QCOMPARE(jeu.Position(), avant + 10);
        QCOMPARE(t.suite.size(), std::size_t(4));
    }
    QCOMPARE(jeu.Interval(), Jeu::IntervalleDepart);
}

void TestRegles::vitesse_data()
{
    QTest::addColumn<int>("intervalle");
    QTest::addColumn<QString>("rangee20");
    QTest::addColumn<int>("attendu");
    // The landing piece is three reds in column 1 (rows 18 to 20); reds beside it in row 20
    // join its region.
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
    QFETCH(QString, rangee20);
    QFETCH(int, attendu);
    Jeu jeu = nouveauJeu();
    Tirages t;
    t.suite = {tirageColonne(5), tirageTeinte(1), tirageTeinte(2), tirageTeinte(3)};
    jeu.setTirage(std::ref(t));
    jeu.setInterval(intervalle);
    poser(jeu, {rangee20});
    piece(jeu, 17, 1, "RRR");
    jeu.Tic(); // falls onto row 20's neighbours
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
    QCOMPARE(lire(jeu), QStringList(20, QStringLiteral("........")));
    jeu.NouvellePiece();
    QCOMPARE(jeu.Position(), 17);
    QCOMPARE(lire(jeu, 20).mid(0, 4),
             QStringList({"......R.", "......B.", "......P.", "........"}));
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
    t.suite = std::deque<float>(8, 0.0f);
    jeu.Demarre();
    // Column 2 is full up to row 4; the others are empty.
    QStringList tas(17, QStringLiteral(".V......"));
    poser(jeu, tas);
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
    QCOMPARE(jeu.Position(), 12);
    QCOMPARE(lire(jeu), avant);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(jeu.Label2(i), Jeu::Palette[6]);
    // Space then changes nothing: the cell below the entry is the one that ended the game.
    jeu.Execute(Jeu::Commande::Precipite);
    QCOMPARE(lire(jeu), avant);
}

void TestRegles::commandes_data()
{
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<int>("position");
    QTest::addColumn<Jeu::Commande>("commande");
    QTest::addColumn<QStringList>("apres");
    QTest::addColumn<int>("positionApres");
    const QStringList base {"...R....", "...B....", "...J....", "OVOVOVOV"};
    QTest::newRow("gauche deplace les trois cases")
            << base << 174 << Jeu::Commande::Gauche
            << QStringList {"..R.....", "..B.....", "..J.....", "OVOVOVOV"} << 173;
    QTest::newRow("droite deplace les trois cases")
            << base << 174 << Jeu::Commande::Droite
            << QStringList {"....R...", "....B...", "....J...", "OVOVOVOV"} << 175;
    QTest::newRow("gauche en colonne 1 ne change rien")
            << QStringList {"R.......", "B.......", "J.......", "O......."} << 171
            << Jeu::Commande::Gauche << QStringList {"R.......", "B.......", "J.......", "O......."}
            << 171;
    QTest::newRow("droite en colonne 8 ne change rien")
            << QStringList {".......R", ".......B", ".......J", ".......O"} << 178
            << Jeu::Commande::Droite << QStringList {".......R", ".......B", ".......J", ".......O"}
            << 178;
    QTest::newRow("une seule case cible occupee bloque le deplacement")
            << QStringList {"...R....", "...B....", "..OJ....", "..VO...."} << 174
            << Jeu::Commande::Gauche << QStringList {"...R....", "...B....", "..OJ....", "..VO...."}
            << 174;
    QTest::newRow("une piece posee mais pas encore atterrie se deplace")
            << QStringList {"...R....", "...B....", "...J....", "...O...."} << 174
            << Jeu::Commande::Droite << QStringList {"....R...", "....B...", "....J...", "...O...."}
            << 175;
    QTest::newRow("haut: a b c devient b c a")
            << base << 174 << Jeu::Commande::Haut
            << QStringList {"...B....", "...J....", "...R....", "OVOVOVOV"} << 174;
    QTest::newRow("bas: a b c devient c a b")
            << base << 174 << Jeu::Commande::Bas
            << QStringList {"...J....", "...R....", "...B....", "OVOVOVOV"} << 174;
    QTest::newRow("espace avec une seule case libre: un rang plus bas, meme ordre")
            << QStringList {"...R....", "...B....", "...J....", "........", "...O...."} << 164
            << Jeu::Commande::Precipite
            << QStringList {"........", "...R....", "...B....", "...J....", "...O...."} << 174;
    QTest::newRow("espace sur une piece qui repose deja ne change rien")
            << base << 174 << Jeu::Commande::Precipite << base << 174;
}

void TestRegles::commandes()
{
    QFETCH(QStringList, avant);
    QFETCH(int, position);
    QFETCH(Jeu::Commande, commande);
    QFETCH(QStringList, apres);
    QFETCH(int, positionApres);
    Jeu jeu = nouveauJeu();
    poser(jeu, avant);
    jeu.setPosition(position);
    jeu.Execute(commande);
    QCOMPARE(lire(jeu, int(apres.size())), apres);
    QCOMPARE(jeu.Position(), positionApres);
    QVERIFY(mursIntacts(jeu));
}

void TestRegles::cyclesRetournentAuDepart()
{
    Jeu jeu = nouveauJeu();
    piece(jeu, 5, 2, "RBJ");
    const QStringList depart = lire(jeu);
    jeu.Execute(Jeu::Commande::Haut);
    jeu.Execute(Jeu::Commande::Bas);
    QCOMPARE(lire(jeu), depart);
    for (int i = 0; i < 3; ++i)
        jeu.Execute(Jeu::Commande::Haut);
    QCOMPARE(lire(jeu), depart);
    piece(jeu, 5, 2, "VVV");
    const QStringList uni = lire(jeu);
    jeu.Execute(Jeu::Commande::Bas);
    QCOMPARE(lire(jeu), uni);
}

void TestRegles::precipiteColonneVide()
{
    Jeu jeu = nouveauJeu();
    piece(jeu, 1, 6, "RBJ");
    jeu.Execute(Jeu::Commande::Precipite);
    QCOMPARE(jeu.Position(), 186);
    QCOMPARE(lire(jeu, 4), QStringList({"........", ".....R..", ".....B..", ".....J.."}));
    QCOMPARE(lire(jeu, 20).mid(0, 17).join(QString()), QString(8 * 17, QLatin1Char('.')));
    // Dropped, it is still the falling piece until a tick lands it.
    jeu.Execute(Jeu::Commande::Gauche);
    QCOMPARE(jeu.Position(), 185);
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
