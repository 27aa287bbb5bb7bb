// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A game in the window, offscreen: start-up, the tick of the game's own timer, the score as
// the screen shows it, the end of a game, with its "Perdu" box, and the end of the program:
// Quit or closing the window stops the program's event loop with status 0, and so does
// closing the window from inside the "Perdu" box's own event loop, or every window at once as
// a session ends; the box, the window and the game's timer are all gone or stopped afterwards.

#include "fenetretest.h"
#include "peinture.h"
#include "plateautest.h"

#include <QMessageBox>
#include <QtTest>

using namespace vl;
using namespace vl::test;

class TestPartie : public FenetreTest
{
    Q_OBJECT
private slots:
    void demarrage();
    void tickReelDuTimer();
    void scoreAffiche_data();
    void scoreAffiche();
    void boitePerdu_data();
    void boitePerdu();
    void apparitionBloquee();
    void vraieBoiteMessage();
    void quitterTermine_data();
    void quitterTermine();
    void fermetureSousPerdu_data();
    void fermetureSousPerdu();
};

void TestPartie::demarrage()
{
    VorlanFrm &w = *m_w;
    const Jeu &jeu = w.jeu();
    // The piece alone on the field, red over blue over purple, in rows 1 to 3 of column 4.
    QCOMPARE(lire(jeu), rangees({"...r", "...b", "...p"}) + champUni('.').mid(3));
    QCOMPARE(jeu.Position(), caseDe(1, 4));
    // The preview is hidden and already holds the next piece, drawn after the first.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!w.Label2(i).isVisible());
        QCOMPARE(w.Label2(i).BackColor(), Jeu::Palette.at(std::size_t(i)));
    }
    QVERIFY(g_tirages.suite.empty());
    for (int k = 0; k < 7; ++k)
        QVERIFY(!w.Label3(k).isVisible());
    QCOMPARE(jeu.Montrer(), std::int16_t(0));
    QCOMPARE(w.Timer1().Interval(), Jeu::IntervalleDepart);
    QVERIFY(w.Timer1().Enabled());
}

// The real timer drives the game: the piece moves down on its own.
void TestPartie::tickReelDuTimer()
{
    const int p = m_w->jeu().Position();
    QVERIFY2(QTest::qWaitFor([&] { return m_w->jeu().Position() == p + Jeu::Colonnes; },
                             5 * Jeu::IntervalleDepart),
             "the game's own timer never moved the piece down");
    QCOMPARE(m_w->lbl().BackColor(p), m_w->jeu().vide());
}

void TestPartie::scoreAffiche_data()
{
    QTest::addColumn<int>("intervalle"); // before the tick, in ms
    QTest::addColumn<int>("intervalleApres");

    QTest::newRow("5 cases eliminees au depart: 5 ms de moins, score 5")
            << Jeu::IntervalleDepart << Jeu::IntervalleDepart - 5;
    QTest::newRow("5 cases eliminees a 7 ms: 2 ms, score 998") << 7 << 2;
    QTest::newRow("5 cases eliminees a 4 ms: plancher de 1 ms, score 999") << 4 << 1;
}

// A landing that removes five cells: the score label shows the new score, on the screen.
void TestPartie::scoreAffiche()
{
    QFETCH(int, intervalle);
    QFETCH(int, intervalleApres);

    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    poser(jeu, {"r", "rR", "rR"});
    jeu.setInterval(intervalle);
    w.miroir();
    w.rafraichissement().peindre();
    const QImage avant = ecran(w).copy(w.score().geometry());

    g_tirages.apparition(4);
    w.Timer1_Timer();
    QCOMPARE(lire(jeu, 3), rangees({"", "", ""}));
    QCOMPARE(w.Timer1().Interval(), intervalleApres);
    QCOMPARE(w.score().Caption(), QString::number(Jeu::IntervalleDepart - intervalleApres));
    w.rafraichissement().peindre();
    const QImage vue = ecran(w).copy(w.score().geometry());
    QCOMPARE(vue, w.score().grab().toImage().convertToFormat(vue.format()));
    QVERIFY(vue != avant);
}

void TestPartie::boitePerdu_data()
{
    QTest::addColumn<int>("pleine"); // the column full from row 4 down
    QTest::addColumn<QStringList>("avant"); // the bottom rows, the full column and the piece
    QTest::addColumn<QStringList>("apres");
    QTest::addColumn<QString>("score");

    // The full column alternates blue and red, red in the odd rows.
    QTest::newRow("atterrissage sans ligne, puis piece bloquee dans la premiere colonne")
            << 1 << QStringList {"B", "R", "Bp", "Rj", "Bv"}
            << QStringList {"B", "R", "BP", "RJ", "BV"} << "0";
    QTest::newRow("atterrissage avec cascade, puis piece bloquee dans la derniere colonne")
            << ColonnesDeJeu << QStringList {"j|B", "r|R", "r|B", "RJJ|R", "VOP|B"}
            << QStringList {"|B", "|R", "|B", "|R", "VOP|B"} << "6";
}

// The piece lands and the draw sends the next one into a full column: "Perdu". When the box
// opens, the screen already shows the board as the landing left it, lines removed and columns
// settled; no tick runs under the box; the game is over but keys still act.
void TestPartie::boitePerdu()
{
    QFETCH(int, pleine);
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    QFETCH(QString, score);

    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    poser(jeu, avant);
    const int hauts = RangeesDeJeu - int(avant.size()); // the rows above those of `avant`
    for (int ligne = 4; ligne <= hauts; ++ligne)
        jeu.setLbl(caseDe(ligne, pleine), Jeu::Palette[std::size_t(ligne % 2 ? 0 : 1)]);
    w.miroir();
    const QStringList haut = lire(jeu).mid(0, hauts);
    const Couleur apercu = jeu.Label2(0);

    bool tictacPendantBoite = true;
    Systeme::doublures().MsgBox = [&](QWidget *parent, const QString &) {
        ++m_boites;
        QCOMPARE(parent, &w);
        tictacPendantBoite = w.Timer1().Enabled();
        // Every playing cell on the screen shows the board that the landing left.
        const QImage vue = ecran(w);
        for (int i = 0; i < Jeu::NombreCases; ++i)
            if (!Jeu::estMur(i))
                QVERIFY2(vue.pixelColor(centreCase(w, i)) == resoudre(w.jeu().lbl(i), w.palette()),
                         qPrintable(QStringLiteral("cell %1").arg(i)));
        // While the box is open, the event loop runs: no tick may move anything.
        const QStringList avant = lire(w.jeu());
        QTest::qWait(50);
        QCOMPARE(lire(w.jeu()), avant);
    };
    g_tirages.suite = {tirageColonne(pleine)};
    w.Timer1_Timer();
    compterBoites();

    QCOMPARE(m_boites, 1);
    QVERIFY(!tictacPendantBoite);
    QVERIFY(!w.Timer1().Enabled());
    QCOMPARE(jeu.Position(), Jeu::Colonnes + pleine);
    QCOMPARE(lire(jeu).mid(0, hauts), haut);
    QCOMPARE(lire(jeu, int(apres.size())), rangees(apres));
    QCOMPARE(jeu.Label2(0), apercu);
    QCOMPARE(w.score().Caption(), score);
    // Keys still act after the game is lost, and none restarts the timer.
    QTest::keyClick(w.windowHandle(), Qt::Key_Return);
    QVERIFY(w.Label2(0).isVisible());
    const QStringList plateau = lire(jeu);
    QTest::keyClick(w.windowHandle(), Qt::Key_Space);
    QCOMPARE(lire(jeu), plateau);
    QVERIFY(!w.Timer1().Enabled());
}

// The first spawn never fails; a full column only ends the game if the draw picks it.
void TestPartie::apparitionBloquee()
{
    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    poser(jeu, {"r", "b", "p"});
    for (int ligne = 4; ligne <= RangeesDeJeu; ++ligne)
        jeu.setLbl(caseDe(ligne, ColonnesDeJeu), Jeu::Palette[std::size_t(ligne % 2 ? 3 : 4)]);
    w.miroir();
    g_tirages.apparition(3);
    w.Timer1_Timer();
    QCOMPARE(m_boites, 0);
    QVERIFY(w.Timer1().Enabled());
    QCOMPARE(jeu.Position(), caseDe(1, 3));
    QCOMPARE(w.lbl().BackColor(caseDe(1, 3)), jeu.lbl(caseDe(1, 3)));
}

// The real box: modal, the text it is given, one OK button, no icon, the application's name
// as caption.
void TestPartie::vraieBoiteMessage()
{
    Systeme::doublures().MsgBox = {};
    const QString message = QStringLiteral("Un message");
    QString titre, texte;
    int boutons = -1;
    QMessageBox::Icon icone = QMessageBox::Warning;
    bool modale = false;
    QTimer fermer; // ends with this function, whether or not a box came
    fermer.setSingleShot(true);
    connect(&fermer, &QTimer::timeout, this, [&] {
        for (QWidget *fenetre : QApplication::topLevelWidgets()) {
            auto *boite = qobject_cast<QMessageBox *>(fenetre);
            if (!boite || !boite->isVisible())
                continue;
            titre = boite->windowTitle();
            texte = boite->text();
            boutons = int(boite->buttons().size());
            icone = boite->icon();
            modale = boite->isModal();
            boite->done(0);
        }
    });
    fermer.start(0);
    Systeme::MsgBox(m_w.get(), message);
    compterBoites();
    QVERIFY2(boutons >= 0, "no message box was open while the box ran");
    QCOMPARE(titre, QApplication::applicationDisplayName());
    QCOMPARE(texte, message);
    QCOMPARE(boutons, 1);
    QCOMPARE(icone, QMessageBox::NoIcon);
    QVERIFY(modale);
}

void TestPartie::quitterTermine_data()
{
    QTest::addColumn<bool>("parLeBouton");
    QTest::newRow("le bouton Quitter termine le programme") << true;
    QTest::newRow("fermer la fenetre termine le programme") << false;
}

void TestPartie::quitterTermine()
{
    QFETCH(bool, parLeBouton);
    const auto fin = executer([&] {
        if (parLeBouton)
            m_w->Command1().click();
        else
            m_w->close();
    });
    QVERIFY2(fin, "the program's event loop still ran 5 s later");
    QCOMPARE(*fin, 0);
    QVERIFY(!m_w->isVisible());
}

void TestPartie::fermetureSousPerdu_data()
{
    QTest::addColumn<bool>("toutes");
    QTest::newRow("la fenetre fermee pendant Perdu") << false;
    QTest::newRow("toutes les fenetres fermees pendant Perdu") << true;
}

void TestPartie::fermetureSousPerdu()
{
    QFETCH(bool, toutes);
    Systeme::doublures().MsgBox = {};
    VorlanFrm *w = m_w.get();

    // Rows 4 down full, with no line of three anywhere, and the piece in rows 1 to 3 of
    // column 1: the next tick lands it and no new piece can come in.
    Jeu &jeu = w->jeu();
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne)
        for (int colonne = 1; colonne <= ColonnesDeJeu; ++colonne)
            jeu.setLbl(caseDe(ligne, colonne),
                       ligne < 4 ? jeu.vide() : Jeu::Palette.at((ligne + 2 * colonne) % 5));
    for (int i = 0; i < 3; ++i)
        jeu.setLbl(caseDe(1 + i, 1), Jeu::Palette.at(5 + i % 2));
    jeu.setPosition(caseDe(1, 1));
    w->miroir();
    g_tirages.suite = {tirageColonne(1)};

    bool boiteOuverte = false;
    bool tictacPendantBoite = true;
    QTimer::singleShot(200, w, [&] {
        boiteOuverte = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        tictacPendantBoite = w->Timer1().Enabled();
        if (toutes)
            QApplication::closeAllWindows();
        else
            w->close();
    });
    const auto fin = executer([w] { w->Timer1_Timer(); });
    compterBoites();
    QVERIFY2(fin, "the program's event loop still ran 5 s after the tick that lost the game");
    QCOMPARE(*fin, 0);

    QVERIFY(boiteOuverte);
    QVERIFY(!tictacPendantBoite);
    QVERIFY(!w->Timer1().Enabled());
    QVERIFY(!w->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (QWidget *fenetre : QApplication::topLevelWidgets())
        QVERIFY2(!fenetre->isVisible(), fenetre->metaObject()->className());
}

QTEST_MAIN(TestPartie)
#include "tst_partie.moc"
