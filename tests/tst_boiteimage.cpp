// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The picture box on its own: its drawing area in twips, the pen width it refuses, the
// background it keeps and clears to, and the shape of its dots, lines and circles in the
// image pixels. CTest runs it a second time on a double-density screen (QT_SCALE_FACTOR=2),
// where every expectation is scaled by the device pixel ratio.

#include "boiteimage.h"

#include <QApplication>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

using namespace vl;

namespace {

constexpr Couleur Noir = 0x00000000;
constexpr Couleur Blanc = 0x00FFFFFF;

// A picture box of 100 x 100 logical pixels of drawing area, cleared to white.
struct Surface
{
    QWidget parent;
    BoiteImage *boite = new BoiteImage(&parent);

    Surface()
    {
        boite->setPlacement({0, 0, 102 * TwipsParPixel, 102 * TwipsParPixel});
        boite->setBackColor(Blanc);
        boite->Cls();
    }
    const QImage &image() const { return boite->image(); }
    double dpr() const { return image().devicePixelRatio(); }
    // A position in twips as a position in image pixels.
    double enImage(double twips) const { return twips / TwipsParPixel * dpr(); }
    bool noir(int i, int j) const { return image().pixel(i, j) == qRgb(0, 0, 0); }
    // The smallest rectangle holding every black pixel.
    QRect emprise() const
    {
        QRect r;
        for (int j = 0; j < image().height(); ++j)
            for (int i = 0; i < image().width(); ++i)
                if (noir(i, j))
                    r |= QRect(i, j, 1, 1);
        return r;
    }
    // Whether every image pixel has colour c.
    bool uni(const QColor &c) const
    {
        QImage uni = image();
        uni.fill(c);
        return image() == uni;
    }
};

} // namespace

class TestBoiteImage : public QObject
{
    Q_OBJECT
private slots:
    void surface_data();
    void surface();
    void largeurPlume_data();
    void largeurPlume();
    void couleurFond_data();
    void couleurFond();
    void point_data();
    void point();
    void pointHorsImage_data();
    void pointHorsImage();
    void ligne_data();
    void ligne();
    void cercle_data();
    void cercle();
};

void TestBoiteImage::surface_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("scaleWidth");
    QTest::addColumn<double>("scaleHeight");
    QTest::addColumn<QSize>("zonePixels"); // logical pixels inside the border

    QTest::newRow("boite de 2200 x 2100: 2170 x 2070 twips")
            << 6405 << 5355 << 2200 << 2100 << 2170.0 << 2070.0 << QSize(145, 138);
    QTest::newRow("largeur et hauteur impaires: 2171 x 2071 twips")
            << 0 << 0 << 2201 << 2101 << 2171.0 << 2071.0 << QSize(145, 138);
    QTest::newRow("petite boite 330 x 240: 300 x 210 twips")
            << 150 << 150 << 330 << 240 << 300.0 << 210.0 << QSize(20, 14);
}

// The drawing area is measured inside the one-pixel border; the image holds it at the
// device pixel ratio of the screen, so that drawings stay sharp on a dense screen.
void TestBoiteImage::surface()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, scaleWidth);
    QFETCH(double, scaleHeight);
    QFETCH(QSize, zonePixels);

    QWidget parent;
    auto *boite = new BoiteImage(&parent);
    boite->setPlacement({left, top, width, height});
    QCOMPARE(boite->ScaleWidth(), scaleWidth);
    QCOMPARE(boite->ScaleHeight(), scaleHeight);
    QCOMPARE(boite->size(), zonePixels + QSize(2, 2));

    boite->Cls();
    // The device pixel ratio that this process was started for.
    const double dpr = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QCOMPARE(boite->devicePixelRatioF(), dpr);
    QCOMPARE(boite->image().devicePixelRatio(), dpr);
    QCOMPARE(boite->image().size(), zonePixels * dpr);
}

void TestBoiteImage::largeurPlume_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<bool>("refusee");

    QTest::newRow("0 refusee") << 0 << true;
    QTest::newRow("-1 refusee") << -1 << true;
    QTest::newRow("-32768 refusee") << -32768 << true;
    QTest::newRow("1 acceptee") << 1 << false;
    QTest::newRow("12 acceptee") << 12 << false;
}

// A width below 1 is refused with an exception that names the width and the rule, and the
// width in force stays as it was.
void TestBoiteImage::largeurPlume()
{
    QFETCH(int, largeur);
    QFETCH(bool, refusee);

    Surface s;
    s.boite->setDrawWidth(3);
    try {
        s.boite->setDrawWidth(std::int16_t(largeur));
        QVERIFY2(!refusee, "the width was accepted");
    } catch (const std::invalid_argument &e) {
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(refusee, e.what());
        QVERIFY2(message.contains(QString::number(largeur)), e.what());
        QVERIFY2(message.contains(QStringLiteral("at least 1")), e.what());
    }
    QCOMPARE(s.boite->DrawWidth(), std::int16_t(refusee ? 3 : largeur));
}

void TestBoiteImage::couleurFond_data()
{
    QTest::addColumn<uint>("fond");
    QTest::addColumn<QColor>("peinte");

    const QPalette p = QApplication::palette();
    QTest::newRow("reference fond de fenetre, peinte en Base")
            << uint(couleurs::FondFenetre) << p.color(QPalette::Base);
    QTest::newRow("reference face de bouton, peinte en Button")
            << uint(couleurs::FaceBouton) << p.color(QPalette::Button);
    QTest::newRow("rgb 0x00336699, rouge dans l'octet bas")
            << uint(0x00336699) << QColor(0x99, 0x66, 0x33);
}

// BackColor returns the value as it was set (a desktop reference stays a reference); Cls
// covers whatever was drawn with the colour that value resolves to.
void TestBoiteImage::couleurFond()
{
    QFETCH(uint, fond);
    QFETCH(QColor, peinte);

    Surface s;
    s.boite->setDrawWidth(9);
    s.boite->Line(150, 150, 1200, 1300, Noir);
    s.boite->PSet(750, 750, Noir);
    s.boite->setBackColor(fond);
    QCOMPARE(s.boite->BackColor(), Couleur(fond));
    s.boite->Line(150, 150, 1200, 1300, Noir);
    s.boite->Cls();
    QCOMPARE(s.boite->BackColor(), Couleur(fond));
    QVERIFY(!s.image().isNull());
    QVERIFY2(s.uni(peinte), qPrintable(peinte.name()));
}

void TestBoiteImage::point_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<double>("x"); // twips
    QTest::addColumn<double>("y");

    QTest::newRow("largeur 1 sur un coin de pixel") << 1 << 150.0 << 300.0;
    QTest::newRow("largeur 1 dans un pixel") << 1 << 156.0 << 309.0;
    QTest::newRow("largeur 2 dans un pixel") << 2 << 156.0 << 309.0;
    QTest::newRow("largeur 2 au milieu d'un pixel") << 2 << 157.5 << 307.5;
    QTest::newRow("largeur 3 sur un coin de pixel") << 3 << 150.0 << 300.0;
    QTest::newRow("largeur 3 dans un pixel") << 3 << 157.0 << 296.0;
    QTest::newRow("largeur 4 dans un pixel") << 4 << 163.0 << 302.0;
    QTest::newRow("largeur 5 sur un coin de pixel") << 5 << 150.0 << 300.0;
    QTest::newRow("largeur 8 au milieu d'un pixel") << 8 << 652.5 << 442.5;
    QTest::newRow("largeur 11 dans un pixel") << 11 << 700.0 << 701.0;
}

// A dot of width w is a round dot w pixels across (w times the device pixel ratio in image
// pixels), centred on its point within half a pixel and covering the pixel that holds it.
void TestBoiteImage::point()
{
    QFETCH(int, largeur);
    QFETCH(double, x);
    QFETCH(double, y);

    Surface s;
    s.boite->setDrawWidth(std::int16_t(largeur));
    s.boite->PSet(float(x), float(y), Noir);

    const int d = int(std::lround(largeur * s.dpr()));
    const QRect r = s.emprise();
    QCOMPARE(r.width(), d);
    QCOMPARE(r.height(), d);
    const double px = s.enImage(x);
    const double py = s.enImage(y);
    QVERIFY2(std::abs(r.left() + d / 2.0 - px) <= 0.5, qPrintable(QString::number(r.left())));
    QVERIFY2(std::abs(r.top() + d / 2.0 - py) <= 0.5, qPrintable(QString::number(r.top())));
    QVERIFY(s.noir(int(std::floor(px)), int(std::floor(py))));

    // Round and whole: symmetric about both axes and the diagonal, full middle row, and each
    // row one unbroken run.
    for (int j = 0; j < d; ++j) {
        int premier = d;
        int dernier = -1;
        int nombre = 0;
        for (int i = 0; i < d; ++i) {
            const bool n = s.noir(r.left() + i, r.top() + j);
            QCOMPARE(n, s.noir(r.right() - i, r.top() + j));
            QCOMPARE(n, s.noir(r.left() + i, r.bottom() - j));
            QCOMPARE(n, s.noir(r.left() + j, r.top() + i));
            if (n) {
                premier = std::min(premier, i);
                dernier = i;
                ++nombre;
            }
        }
        QVERIFY(nombre > 0);
        QCOMPARE(nombre, dernier - premier + 1);
    }
    for (int i = 0; i < d; ++i)
        QVERIFY(s.noir(r.left() + i, r.top() + d / 2));
}

void TestBoiteImage::pointHorsImage_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("coinNoir"); // pixel 0,0 covered

    QTest::newRow("sur le coin haut gauche: un quart de point") << 0.0 << 0.0 << true;
    QTest::newRow("loin a gauche") << -1e9 << 300.0 << false;
    QTest::newRow("loin en bas a droite") << 3e38 << 3e38 << false;
    QTest::newRow("pas un nombre") << std::numeric_limits<double>::quiet_NaN() << 300.0 << false;
}

// A dot partly or wholly off the drawing area is clipped; nothing else is touched.
void TestBoiteImage::pointHorsImage()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, coinNoir);

    Surface s;
    s.boite->setDrawWidth(5);
    s.boite->PSet(float(x), float(y), Noir);
    QCOMPARE(s.noir(0, 0), coinNoir);
    if (coinNoir) {
        const QRect r = s.emprise();
        QCOMPARE(r.topLeft(), QPoint(0, 0));
        QVERIFY(r.width() <= int(std::lround(5 * s.dpr())) / 2 + 1);
    } else {
        QVERIFY(s.uni(Qt::white));
    }
}

void TestBoiteImage::ligne_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<QLineF>("segment"); // twips
    QTest::addColumn<char>("coupe"); // 'v' measured across a column, 'h' across a row, '-' not

    QTest::newRow("horizontale largeur 1, y dans un pixel")
            << 1 << QLineF(300, 609, 1200, 609) << 'v';
    QTest::newRow("horizontale largeur 1, y sur un bord")
            << 1 << QLineF(300, 600, 1200, 600) << 'v';
    QTest::newRow("horizontale largeur 2") << 2 << QLineF(300, 606, 1200, 606) << 'v';
    QTest::newRow("horizontale largeur 3") << 3 << QLineF(300, 612, 1200, 612) << 'v';
    QTest::newRow("verticale largeur 4") << 4 << QLineF(754, 150, 754, 1300) << 'h';
    QTest::newRow("oblique largeur 1") << 1 << QLineF(200, 170, 1330, 1010) << '-';
    QTest::newRow("oblique largeur 4") << 4 << QLineF(1330, 170, 210, 1409) << '-';
    QTest::newRow("oblique largeur 9") << 9 << QLineF(500, 1400, 900, 200) << '-';
}

// A line of width w follows its segment (w pixels across, centred within half a pixel, from
// one end to the other), and the same line drawn in the background colour erases it to the
// last pixel.
void TestBoiteImage::ligne()
{
    QFETCH(int, largeur);
    QFETCH(QLineF, segment);
    QFETCH(char, coupe);

    Surface s;
    s.boite->setDrawWidth(std::int16_t(largeur));
    const auto trace = [&](Couleur c) {
        s.boite->Line(float(segment.x1()), float(segment.y1()), float(segment.x2()),
                      float(segment.y2()), c);
    };
    trace(Noir);

    const int d = int(std::lround(largeur * s.dpr()));
    const auto pixel = [&](QPointF twips) {
        return QPoint(int(std::floor(s.enImage(twips.x()))), int(std::floor(s.enImage(twips.y()))));
    };
    QVERIFY(s.noir(pixel(segment.p1()).x(), pixel(segment.p1()).y()));
    QVERIFY(s.noir(pixel(segment.p2()).x(), pixel(segment.p2()).y()));
    const QPoint milieu = pixel(segment.center());
    QVERIFY(s.noir(milieu.x(), milieu.y()));

    if (coupe != '-') {
        const bool colonne = coupe == 'v';
        int premier = -1;
        int nombre = 0;
        const int n = colonne ? s.image().height() : s.image().width();
        for (int k = 0; k < n; ++k)
            if (colonne ? s.noir(milieu.x(), k) : s.noir(k, milieu.y())) {
                if (premier < 0)
                    premier = k;
                ++nombre;
            }
        QCOMPARE(nombre, d);
        const double axe = s.enImage(colonne ? segment.y1() : segment.x1());
        QVERIFY2(std::abs(premier + d / 2.0 - axe) <= 0.5, qPrintable(QString::number(premier)));
    }

    trace(Blanc);
    QVERIFY(s.uni(Qt::white));
}

void TestBoiteImage::cercle_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("r");

    QTest::newRow("largeur 1") << 1 << 750.0 << 750.0 << 600.0;
    QTest::newRow("largeur 4, centre hors grille") << 4 << 757.0 << 743.0 << 452.0;
    QTest::newRow("largeur 2, rayon d'une case") << 2 << 740.0 << 760.0 << 300.0;
}

// A circle is a closed ring of the pen's width on the circle line.
void TestBoiteImage::cercle()
{
    QFETCH(int, largeur);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, r);

    Surface s;
    s.boite->setDrawWidth(std::int16_t(largeur));
    s.boite->Circle(float(x), float(y), float(r), Noir);

    const double cx = s.enImage(x);
    const double cy = s.enImage(y);
    const double rayon = s.enImage(r);
    const double d = largeur * s.dpr();
    // On the circle line, as wide as the pen: the ring covers about its length times the width.
    const QImage &im = s.image();
    int nombre = 0;
    for (int j = 0; j < im.height(); ++j)
        for (int i = 0; i < im.width(); ++i)
            if (s.noir(i, j)) {
                const double ecart = std::hypot(i + 0.5 - cx, j + 0.5 - cy) - rayon;
                QVERIFY2(std::abs(ecart) <= d / 2 + 1,
                         qPrintable(QStringLiteral("%1,%2 off by %3").arg(i).arg(j).arg(ecart)));
                ++nombre;
            }
    const double rapport = nombre / (2 * M_PI * rayon * d);
    QVERIFY2(rapport > 0.75 && rapport < 1.4, qPrintable(QString::number(rapport)));
    // Closed: a ring pixel at or next to every point of the circle line, degree by degree.
    for (int degres = 0; degres < 360; ++degres) {
        const double a = degres * M_PI / 180;
        const int i = int(std::floor(cx + rayon * std::cos(a)));
        const int j = int(std::floor(cy + rayon * std::sin(a)));
        bool trouve = false;
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di)
                trouve = trouve || s.noir(i + di, j + dj);
        QVERIFY2(trouve, qPrintable(QStringLiteral("gap at %1 degrees").arg(degres)));
    }
}

QTEST_MAIN(TestBoiteImage)
#include "tst_boiteimage.moc"
