// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's colour schemes, offscreen: the one the game starts under, and others it changes
// to while the game runs. What the window paints follows the palette (empty cells, walls,
// borders, labels, the window's background, the clock box), while every stored colour value,
// and with them every emptiness test, stays.

#include "disposition.h"
#include "fenetretest.h"

#include <QtTest>
#include <map>

using namespace vl;
using namespace vl::test;

namespace {

// Sets the application's palette as the desktop does: the change reaches the windows through
// the event queue.
void changerPalette(const QPalette &p)
{
    QApplication::setPalette(p);
    QCoreApplication::sendPostedEvents();
}

// The colour that covers most of rect r of image i.
QRgb couleurMajoritaire(const QImage &i, const QRect &r)
{
    std::map<QRgb, int> nombres;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++nombres[i.pixel(x, y)];
    return std::max_element(nombres.begin(), nombres.end(),
                            [](const auto &a, const auto &b) { return a.second < b.second; })
            ->first;
}

bool contientCouleur(const QImage &i, const QRect &r, QRgb c)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (i.pixel(x, y) == c)
                return true;
    return false;
}

// Every colour value the window and its controls store.
struct Valeurs
{
    std::vector<Couleur> cases;
    std::vector<Couleur> regles;
    std::vector<Couleur> etiquettes;
    Couleur fenetre = 0;
    Couleur horloge = 0;
    bool operator==(const Valeurs &) const = default;
};

Valeurs lireValeurs(const VorlanFrm &w)
{
    Valeurs v;
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        v.cases.push_back(w.lbl().BackColor(i));
        v.regles.push_back(w.jeu().lbl(i));
    }
    for (int k : {0, 4, 6, 10, 12, 13, 14})
        v.etiquettes.push_back(w.Label1(k).BackColor());
    v.etiquettes.push_back(w.score().BackColor());
    for (int i = 0; i < 3; ++i)
        v.etiquettes.push_back(w.Label2(i).BackColor());
    v.fenetre = w.BackColor();
    v.horloge = w.Picture1().BackColor();
    return v;
}

} // namespace

class TestPalette : public FenetreTest
{
    Q_OBJECT
private slots:
    // A window that has run one tick, so that the clock shows its hands.
    void init()
    {
        FenetreTest::init();
        m_w->Timer1_Timer();
    }
    void cleanup()
    {
        FenetreTest::cleanup();
        changerPalette(m_clair);
    }

    void peinture_data() { schemas(); }
    void peinture();
    void valeursEtVide_data() { schemas(); }
    void valeursEtVide();
    void horloge_data() { schemas(); }
    void horloge();

private:
    void schemas();

    const QPalette m_clair = QApplication::palette();
};

void TestPalette::schemas()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("clair, celle du depart") << m_clair;
    QTest::newRow("sombre") << schema(QColor(0x35, 0x35, 0x35), QColor(0xf0, 0xf0, 0xf0),
                                      QColor(0x1e, 0x1e, 0x1e), QColor(0xe8, 0xe8, 0xe8));
    // The clock's circle is RGB yellow: its pixels must keep it when the background takes it.
    QTest::newRow("fond de l'horloge jaune comme son cercle")
            << schema(QColor(0xd4, 0xd0, 0xc8), Qt::black, QColor(0xff, 0xff, 0x00), Qt::black);
    // Walls and empty cells look alike, yet the game tells them apart by value.
    QTest::newRow("murs et cases vides de meme couleur")
            << schema(QColor(0x80, 0x80, 0x80), QColor(0x80, 0x80, 0x80), Qt::white,
                      QColor(0x20, 0x20, 0x60));
}

void TestPalette::peinture()
{
    QFETCH(QPalette, palette);
    VorlanFrm &w = *m_w;
    const int piece = w.jeu().Position();
    changerPalette(palette);
    // What the screen shows once the window has repainted itself on its own.
    QVERIFY2(aLEcran(w), "the window never showed itself in the palette");
    const QImage vue = ecran(w);

    const int vide = caseDe(RangeesDeJeu, ColonnesDeJeu);
    QCOMPARE(vue.pixelColor(centreCase(w, vide)), palette.color(QPalette::Button));
    QCOMPARE(vue.pixelColor(centreCase(w, 0)), palette.color(QPalette::ButtonText));
    QCOMPARE(vue.pixelColor(centreCase(w, Jeu::NombreCases - 1)),
             palette.color(QPalette::ButtonText));
    QCOMPARE(vue.pixelColor(centreCase(w, piece)), QColor(enRgb(w.jeu().lbl(piece))));
    // The border of a playing cell, its top edge.
    const QRect cellule = w.lbl().placement(vide).enPixels().translated(w.Frame1().pos());
    QCOMPARE(vue.pixelColor(QPoint(cellule.center().x(), cellule.top())),
             palette.color(QPalette::WindowText));
    // The window's own background, between the frame and the key help.
    const int entre = (w.Frame1().geometry().right() + w.Label1(0).x()) / 2;
    QCOMPARE(vue.pixelColor(QPoint(entre, 5)), palette.color(QPalette::Button));

    // The key help and the score: background in button face, text in the new text colours
    // (and none left in the old ones).
    for (Etiquette *e : {&w.Label1(10), &w.Label1(12), &w.Label1(14), &w.score()}) {
        const QRect r = e->geometry();
        QCOMPARE(QColor(couleurMajoritaire(vue, r)), palette.color(QPalette::Button));
        const QColor encre = e == &w.score() ? palette.color(QPalette::ButtonText)
                                             : palette.color(QPalette::WindowText);
        QVERIFY2(contientCouleur(vue, r, encre.rgb()), qPrintable(e->Caption()));
        if (encre != m_clair.color(QPalette::WindowText)
            && m_clair.color(QPalette::WindowText) != palette.color(QPalette::Button))
            QVERIFY2(!contientCouleur(vue, r, m_clair.color(QPalette::WindowText).rgb()),
                     qPrintable(e->Caption()));
    }

    // The clock box: its background inside the border, in the image and on screen.
    const QRect boite = w.Picture1().geometry();
    QCOMPARE(vue.pixelColor(boite.topLeft() + QPoint(3, 3)), palette.color(QPalette::Base));
    QCOMPARE(w.Picture1().image().pixelColor(2, 2), palette.color(QPalette::Base));
    QCOMPARE(vue.pixelColor(boite.topLeft()), palette.color(QPalette::WindowText));
}

void TestPalette::valeursEtVide()
{
    QFETCH(QPalette, palette);
    VorlanFrm &w = *m_w;
    const Valeurs avant = lireValeurs(w);
    const int piece = w.jeu().Position();
    QCOMPARE(piece, caseDe(2, 4));
    changerPalette(palette);
    QVERIFY(lireValeurs(w) == avant);

    // The commands and the tick still find the empty cells: the piece drops to the floor,
    // lands, and the next piece comes in without a "Perdu".
    QVERIFY(test::activer(w));
    QTest::keyClick(w.windowHandle(), Qt::Key_Space);
    const int fond = caseDe(RangeesDeJeu, 4); // the piece's bottom cell, on the floor
    QCOMPARE(w.jeu().Position() + Jeu::Dessous - Jeu::Colonnes, fond);
    QCOMPARE(w.jeu().lbl(piece), w.jeu().vide());
    const QImage vue = w.grab().toImage();
    QCOMPARE(vue.pixelColor(centreCase(w, piece)), palette.color(QPalette::Button));
    QCOMPARE(vue.pixelColor(centreCase(w, fond)), QColor(enRgb(w.jeu().lbl(fond))));
    QTest::keyClick(w.windowHandle(), Qt::Key_Left);
    QCOMPARE(w.jeu().Position() + Jeu::Dessous - Jeu::Colonnes, fond - 1);
    g_tirages.apparition(6);
    w.Timer1_Timer();
    QCOMPARE(m_boites, 0);
    QCOMPARE(w.jeu().Position(), caseDe(1, 6));
    int occupees = 0; // the landed piece and the new one
    for (int i = 0; i < Jeu::NombreCases; ++i)
        occupees += !Jeu::estMur(i) && w.jeu().lbl(i) != w.jeu().vide();
    QCOMPARE(occupees, 6);
}

// The clock's persistent image is brought to the new colours exactly: as a clock drawn from
// scratch under the new palette, and back as it was under the old one.
void TestPalette::horloge()
{
    QFETCH(QPalette, palette);
    VorlanFrm &w = *m_w;
    const QImage avant = w.Picture1().image().copy();
    changerPalette(palette);
    tiragesDeDepart();
    VorlanFrm neuve;
    neuve.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&neuve, 5000), "the new window was never exposed");
    neuve.Timer1_Timer();
    QCOMPARE(w.Picture1().image(), neuve.Picture1().image());
    QCOMPARE(w.Picture1().image() == avant,
             palette.color(QPalette::Base) == m_clair.color(QPalette::Base));
    changerPalette(m_clair);
    QCOMPARE(w.Picture1().image(), avant);
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
