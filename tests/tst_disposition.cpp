// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game window's layout and look, offscreen, with three of the tables that write the game's
// facts as it must have them: the place of every control (disposition), every text (textes),
// every colour value (couleurs). The other tests read these facts from the program.

#include "disposition.h"
#include "fenetretest.h"
#include "peinture.h"
#include "plateautest.h"

#include <QtTest>

using namespace vl;
using namespace vl::test;

Q_DECLARE_METATYPE(vl::RectTwips)

using Lecture = Couleur (*)(VorlanFrm &);
Q_DECLARE_METATYPE(Lecture)

class TestDisposition : public FenetreTest
{
    Q_OBJECT
private slots:
    void disposition_data();
    void disposition();
    void cases();
    void polices();
    void textes_data();
    void textes();
    void couleurs_data();
    void couleurs();
    void rgbDeLaFaceNEstPasVide();
};

void TestDisposition::disposition_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<RectTwips>("place"); // height 0: a label sized to its text
    namespace d = disposition;
    QTest::newRow("zone cliente") << "VorlanFrm" << d::Client;
    QTest::newRow("Frame1") << "Frame1" << d::Frame1;
    for (int i = 0; i < 3; ++i)
        QTest::addRow("Label2(%d)", i) << QStringLiteral("Label2(%1)").arg(i) << d::Label2(i);
    for (int k = 0; k < 7; ++k)
        QTest::addRow("Label3(%d)", k) << QStringLiteral("Label3(%1)").arg(k) << d::Label3(k);
    QTest::newRow("Text1") << "Text1" << d::Text1;
    QTest::newRow("Command1") << "Command1" << d::Command1;
    QTest::newRow("Picture1") << "Picture1" << d::Picture1;
    for (const d::EtiquetteAuto &e : d::Etiquettes)
        QTest::newRow(qPrintable(e.nom())) << e.nom() << RectTwips {e.left, e.top, e.largeur, 0};
}

// Each control at its place; a label sized to its text shows the whole text, on one line
// unless it wraps within the width given.
void TestDisposition::disposition()
{
    QFETCH(QString, controle);
    QFETCH(RectTwips, place);
    const Controle c = test::controle(*m_w, controle);
    if (c.widget == m_w.get()) {
        QCOMPARE(m_w->size(), place.enPixels().size());
        return;
    }
    QCOMPARE(c.place.left, place.left);
    QCOMPARE(c.place.top, place.top);
    QCOMPARE(c.widget->geometry(), c.place.enPixels());
    if (place.height > 0) {
        QCOMPARE(c.place.width, place.width);
        QCOMPARE(c.place.height, place.height);
        return;
    }
    const auto *e = qobject_cast<const Etiquette *>(c.widget);
    QVERIFY(e && e->AutoSize());
    QVERIFY(!e->bordure());
    QCOMPARE(e->BackColor(), couleurs::FaceBouton);
    QCOMPARE(e->ForeColor(), e == &m_w->score() ? couleurs::TexteBouton : couleurs::TexteFenetre);
    const QFontMetrics fm(e->font());
    QCOMPARE(e->placement().height % TwipsParPixel, 0);
    QCOMPARE(e->WordWrap(), place.width > 0);
    if (place.width > 0) {
        QCOMPARE(c.place.width, place.width);
        QVERIFY(e->height() >= 2 * fm.height());
    } else {
        QVERIFY(e->width() >= fm.horizontalAdvance(c.texte));
        QVERIFY(e->width() <= fm.horizontalAdvance(c.texte) + 1);
        QVERIFY(e->height() >= fm.height() && e->height() <= fm.height() + 1);
    }
}

// The board's cells, bordered but for the walls, showing the rules' board; the
// palette's swatches in its colours.
void TestDisposition::cases()
{
    TableauCases &lbl = m_w->lbl();
    QCOMPARE(lbl.count(), Jeu::NombreCases);
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        QCOMPARE(lbl.placement(i), disposition::lbl(i));
        QCOMPARE(lbl.bordure(i), !Jeu::estMur(i));
        QCOMPARE(lbl.BackColor(i), m_w->jeu().lbl(i));
    }
    // The preview's cells and the palette's swatches too, with a space as caption.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(m_w->Label2(i).bordure());
        QCOMPARE(m_w->Label2(i).Caption(), QStringLiteral(" "));
    }
    for (int k = 0; k < 7; ++k) {
        QVERIFY(m_w->Label3(k).bordure());
        QCOMPARE(m_w->Label3(k).Caption(), QStringLiteral(" "));
        QCOMPARE(m_w->Label3(k).BackColor(), Jeu::Palette.at(std::size_t(k)));
    }
    QCOMPARE(lbl.geometry(),
             QRect(disposition::lbl(0).enPixels().topLeft(),
                   disposition::lbl(Jeu::NombreCases - 1).enPixels().bottomRight()));
}

void TestDisposition::polices()
{
    VorlanFrm &w = *m_w;
    const QFont fenetre = w.font();
    QCOMPARE(fenetre.family(), QStringLiteral("Courier New"));
    QCOMPARE(fenetre.pixelSize(), 11); // 8.25 pt at 96 dpi
    QVERIFY(fenetre.bold());
    // fontconfig gives the metric-compatible face for the name.
    QCOMPARE(QFontInfo(fenetre).family(), QStringLiteral("Liberation Mono"));
    for (QWidget *herite : std::initializer_list<QWidget *> {&w.score(), &w.Command1(), &w.Text1()})
        QCOMPARE(herite->font(), fenetre);
    for (int i = 4; i <= 14; ++i) {
        const QFont f = w.Label1(i).font();
        QCOMPARE(f.family(), QStringLiteral("Courier New"));
        QCOMPARE(f.pixelSize(), 12); // 9 pt
        QVERIFY(f.bold());
        QCOMPARE(f.underline(), i == 12);
    }
    for (int i = 0; i < 4; ++i) {
        const QFont f = w.Label1(i).font();
        QCOMPARE(f.pixelSize(), 11);
        QVERIFY(!f.bold());
        QVERIFY(QFontMetrics(f).inFont(w.Label1(i).Caption().at(0)));
    }
}

void TestDisposition::textes_data()
{
    QTest::addColumn<QString>("controle"); // "Perdu": the box a lost game opens
    QTest::addColumn<QString>("texte");
    const char *const lignes[][2] = {{"VorlanFrm", "Vorlan"},
                                     {"Label1(0)", "←"},
                                     {"Label1(1)", "→"},
                                     {"Label1(2)", "↑"},
                                     {"Label1(3)", "↓"},
                                     {"Label1(4)", "Escape"},
                                     {"Label1(5)", "Espace"},
                                     {"Label1(13)", "Entrée"},
                                     {"Label1(6)", "Déplacer vers la gauche"},
                                     {"Label1(7)", "Déplacer vers la droite"},
                                     {"Label1(8)", "Décaler les couleurs vers le haut"},
                                     {"Label1(9)", "Décaler les couleurs vers le bas"},
                                     {"Label1(10)", "le patron !"},
                                     {"Label1(11)", "Précipiter la vorlan"},
                                     {"Label1(14)", "Montrer/Cacher la prochaine pièce"},
                                     {"Label1(12)", "Score"},
                                     {"score", "0"},
                                     {"Text1",
                                      "° Aligner 3 pions de même couleurs,\r\n"
                                      "horizontalement, verticalement  ou\r\n"
                                      "en diagonale.    Ces pions et ceux \r\n"
                                      "accolés,  de même couleurs, seront \r\n"
                                      "éliminés.\r\n"},
                                     {"Command1", "&Quitter"},
                                     {"Perdu", "Perdu"}};
    for (const auto &l : lignes)
        QTest::newRow(l[0]) << QString::fromUtf8(l[0]) << QString::fromUtf8(l[1]);
}

void TestDisposition::textes()
{
    QFETCH(QString, controle);
    QFETCH(QString, texte);
    if (controle != QLatin1String("Perdu")) {
        QCOMPARE(test::controle(*m_w, controle).texte, texte);
        return;
    }
    // Column 3 full from row 4 down, in two colours that make no line; the piece on the floor
    // of column 1 lands, and the draw sends the next one into column 3.
    Jeu &jeu = m_w->jeu();
    poser(jeu, {"v", "o", "f"});
    for (int ligne = 4; ligne <= RangeesDeJeu; ++ligne)
        jeu.setLbl(caseDe(ligne, 3), Jeu::Palette[std::size_t(ligne % 2)]);
    g_tirages.suite = {tirageColonne(3)};
    m_w->Timer1_Timer();
    QCOMPARE(m_boites, 1);
    QCOMPARE(m_texteBoite, texte);
}

void TestDisposition::couleurs_data()
{
    QTest::addColumn<Lecture>("lu");
    QTest::addColumn<Couleur>("valeur");
    const struct
    {
        const char *nom;
        Lecture lu;
        Couleur valeur;
    } lignes[] = {
            {"Jeu::Palette[0] rouge", [](VorlanFrm &) { return Jeu::Palette[0]; }, 0x000000FF},
            {"Jeu::Palette[1] bleu", [](VorlanFrm &) { return Jeu::Palette[1]; }, 0x00FF0000},
            {"Jeu::Palette[2] violet", [](VorlanFrm &) { return Jeu::Palette[2]; }, 0x00800080},
            {"Jeu::Palette[3] jaune", [](VorlanFrm &) { return Jeu::Palette[3]; }, 0x0000FFFF},
            {"Jeu::Palette[4] vert", [](VorlanFrm &) { return Jeu::Palette[4]; }, 0x0000C000},
            {"Jeu::Palette[5] orange", [](VorlanFrm &) { return Jeu::Palette[5]; }, 0x000080FF},
            {"Jeu::Palette[6] rouge sombre", [](VorlanFrm &) { return Jeu::Palette[6]; },
             0x00000040},
            {"Jeu::Marque, blanc", [](VorlanFrm &) { return Jeu::Marque; }, 0x00FFFFFF},
            {"couleurs::FaceBouton", [](VorlanFrm &) { return couleurs::FaceBouton; }, 0x8000000F},
            {"couleurs::TexteBouton", [](VorlanFrm &) { return couleurs::TexteBouton; },
             0x80000012},
            {"couleurs::FondFenetre", [](VorlanFrm &) { return couleurs::FondFenetre; },
             0x80000005},
            {"couleurs::TexteFenetre", [](VorlanFrm &) { return couleurs::TexteFenetre; },
             0x80000008},
            {"fond de la fenetre", [](VorlanFrm &w) { return w.BackColor(); }, 0x8000000F},
            {"avant-plan de la fenetre", [](VorlanFrm &w) { return w.ForeColor(); }, 0x80000012},
            {"fond de l'horloge", [](VorlanFrm &w) { return w.Picture1().BackColor(); },
             0x80000005},
            {"trait de l'horloge", [](VorlanFrm &w) { return w.Picture1().ForeColor(); },
             0x80000008},
            {"case du mur", [](VorlanFrm &w) { return w.lbl().BackColor(0); }, 0x80000012},
            {"case vide", [](VorlanFrm &w) { return w.lbl().BackColor(208); }, 0x8000000F},
    };
    for (const auto &l : lignes)
        QTest::newRow(l.nom) << l.lu << l.valeur;
}

void TestDisposition::couleurs()
{
    QFETCH(Lecture, lu);
    QFETCH(Couleur, valeur);
    QCOMPARE(lu(*m_w), valeur);
}

// A cell painted exactly like an empty one, but holding an RGB value, is not empty: the piece
// above it lands instead of falling.
void TestDisposition::rgbDeLaFaceNEstPasVide()
{
    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    const QColor face = resoudre(couleurs::FaceBouton, w.palette());
    const int p = jeu.Position();
    const int dessous = p + Jeu::Dessous;
    jeu.setLbl(dessous, rgb(face.red(), face.green(), face.blue()));
    w.miroir();
    const QImage vue = w.grab().toImage();
    QCOMPARE(vue.pixelColor(centreCase(w, dessous)),
             vue.pixelColor(centreCase(w, dessous + Jeu::Colonnes)));
    g_tirages.apparition(6);
    w.Timer1_Timer();
    QCOMPARE(jeu.Position(), caseDe(1, 6));
    QCOMPARE(jeu.lbl(dessous - Jeu::Colonnes), Jeu::Palette[2]);
}

QTEST_MAIN(TestDisposition)
#include "tst_disposition.moc"
