// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Lines in the picture box as a clock draws them, over and over: every line sets exactly the
// pixels of Qt's own aliased round-capped stroke, drawn for the first time or again at the same
// place, and the screen ends up showing the box's image whatever was erased and drawn again
// in between.

#include "boiteimage.h"
#include "peinture.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QtTest>
#include <random>

using namespace vl;

namespace {

struct Trace
{
    float x1, y1, x2, y2;
    std::int16_t largeur;
    Couleur couleur;
};

// The same line stroked by QPainter straight onto a copy of the image.
void tracerReference(QImage &image, const BoiteImage &boite, const Trace &t)
{
    QPainter p(&image);
    p.setPen(QPen(resoudre(t.couleur, boite.palette()), t.largeur, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawLine(QPointF(t.x1 / TwipsParPixel, t.y1 / TwipsParPixel),
               QPointF(t.x2 / TwipsParPixel, t.y2 / TwipsParPixel));
}

} // namespace

class TestTraits : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commeQPainter_data();
    void commeQPainter();
    void lEcranSuit_data();
    void lEcranSuit();

private:
    // The drawing area as the screen shows it.
    QImage ecran() const;
    // Whether the screen comes to show the box's image within two seconds.
    bool aLEcran() const;

    std::unique_ptr<QWidget> m_fenetre;
    BoiteImage *m_boite = nullptr;
};

void TestTraits::init()
{
    m_fenetre = std::make_unique<QWidget>();
    m_fenetre->resize(200, 200);
    m_boite = new BoiteImage(m_fenetre.get());
    m_boite->setPlacement({150, 150, 2200, 2100});
    m_boite->setBackColor(couleurs::FondFenetre);
    m_fenetre->show();
    QVERIFY2(QTest::qWaitForWindowExposed(m_fenetre.get(), 5000), "the window was never exposed");
}

void TestTraits::cleanup()
{
    m_fenetre.reset();
    m_boite = nullptr;
}

QImage TestTraits::ecran() const
{
    const QImage tout = m_fenetre->screen()->grabWindow(m_fenetre->winId()).toImage();
    const qreal dpr = m_boite->image().devicePixelRatio();
    const QRect zone(((m_boite->geometry().topLeft() + QPoint(1, 1)) * dpr),
                     m_boite->image().size());
    return tout.copy(zone).convertToFormat(QImage::Format_RGB32);
}

bool TestTraits::aLEcran() const
{
    return QTest::qWaitFor(
            [this] { return ecran() == m_boite->image().convertToFormat(QImage::Format_RGB32); },
            2000);
}

void TestTraits::commeQPainter_data()
{
    QTest::addColumn<int>("graine");
    QTest::addColumn<float>("etendue");
    QTest::newRow("aiguilles depuis le centre") << 1 << 0.0f;
    QTest::newRow("traits quelconques dans la boite") << 2 << 0.0f;
    QTest::newRow("traits qui debordent de la boite") << 3 << 600.0f;
}

// Random lines of widths 1 to 9, each drawn once and then again in another colour (the
// second time from what the box remembers), against QPainter on a copy of the image.
void TestTraits::commeQPainter()
{
    QFETCH(int, graine);
    QFETCH(float, etendue);

    std::mt19937 g {unsigned(graine)};
    std::uniform_real_distribution<float> coord(-etendue, 2200 + etendue);
    std::uniform_int_distribution<int> largeur(1, 9);
    QImage reference = m_boite->image().copy();
    for (int n = 0; n < 400; ++n) {
        Trace t {coord(g),
                 coord(g),
                 coord(g),
                 coord(g),
                 std::int16_t(largeur(g)),
                 Couleur(g() & 0xFFFFFF)};
        if (graine == 1) {
            t.x1 = 1085;
            t.y1 = 955;
        }
        for (const Couleur c : {t.couleur, couleurs::FondFenetre, t.couleur ^ 0x00808080}) {
            t.couleur = c;
            m_boite->setDrawWidth(t.largeur);
            m_boite->Line(t.x1, t.y1, t.x2, t.y2, t.couleur);
            tracerReference(reference, *m_boite, t);
            if (m_boite->image() != reference)
                QFAIL(qPrintable(QString::asprintf("line %d (%g, %g)-(%g, %g) width %d", n, t.x1,
                                                   t.y1, t.x2, t.y2, t.largeur)));
        }
    }
}

void TestTraits::lEcranSuit_data()
{
    QTest::addColumn<bool>("bouge");
    QTest::addColumn<bool>("autreDessin");
    QTest::newRow("aiguilles effacees et redessinees au meme endroit") << false << false;
    QTest::newRow("une aiguille qui avance") << true << false;
    QTest::newRow("boite videe et point pose entre deux tics") << false << true;
}

// Ticks of a clock: the three hands erased and drawn again, one of them moving now and then,
// other drawing in between; after the event loop has run, the screen shows the image.
void TestTraits::lEcranSuit()
{
    QFETCH(bool, bouge);
    QFETCH(bool, autreDessin);

    struct Aiguille
    {
        float x, y;
        std::int16_t largeur;
        Couleur couleur;
    };
    Aiguille aiguilles[] = {{1900, 900, 2, rgb(0, 160, 0)},
                            {600, 300, 3, rgb(0, 0, 160)},
                            {1100, 1700, 4, rgb(160, 0, 0)}};
    const auto dessiner = [&](bool effacer) {
        for (const Aiguille &a : aiguilles) {
            m_boite->setDrawWidth(a.largeur);
            m_boite->Line(1085, 955, a.x, a.y, effacer ? m_boite->BackColor() : a.couleur);
        }
    };
    dessiner(false);
    for (int tic = 0; tic < 30; ++tic) {
        if (autreDessin && tic % 4 == 0) {
            // Cleared, a dot away from the hands, and all shown before the hands come back at
            // the same places: they must show again.
            m_boite->Cls();
            m_boite->setDrawWidth(5);
            m_boite->PSet(150, 1950, 0x0000FFFF);
            QCoreApplication::processEvents();
            QVERIFY2(aLEcran(),
                     qPrintable(QStringLiteral("the screen never showed the box cleared at tick %1")
                                        .arg(tic)));
        }
        dessiner(true);
        if (bouge)
            aiguilles[tic % 3].x = 300 + 57.0f * float(tic);
        dessiner(false);
        // The event loop runs between ticks.
        QCoreApplication::processEvents();
        QVERIFY2(aLEcran(),
                 qPrintable(
                         QStringLiteral("the screen never showed the hands of tick %1").arg(tic)));
    }
}

QTEST_MAIN(TestTraits)
#include "tst_traits.moc"
