// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a dense screen, at the scale factor QT_SCALE_FACTOR gives (1 without it; CTest
// runs it at 1, 1.25, 1.5 and 2): the layout keeps its proportions, the cell borders are single
// sharp device pixels, no text is cut off, and the clock is drawn at the screen's full
// resolution. Each run leaves its screenshot, captures/echelle-<factor>.png, beside the test.

#include "disposition.h"
#include "fenetretest.h"

#include <QDir>
#include <QPainter>
#include <QTextBlock>
#include <QtTest>
#include <cmath>

using namespace vl;

namespace {

// Colours set apart so that every painted thing can be told from its neighbours.
const QColor Face(0xef, 0xef, 0xef); // empty cells, the window, label backgrounds
const QColor Mur(0x00, 0x00, 0x00); // walls
const QColor Trait(0x00, 0x00, 0x80); // cell borders, label text, the clock box's border
const QColor Fond(0xff, 0xff, 0xff); // the clock's background

// The device-pixel rectangle that a logical rectangle covers at factor s.
QRect enAppareil(const QRect &r, qreal s)
{
    return QRect(QPoint(qRound(r.left() * s), qRound(r.top() * s)),
                 QPoint(qRound((r.right() + 1) * s) - 1, qRound((r.bottom() + 1) * s) - 1));
}

// The bounding box, within zone, of the pixels that garde() holds for.
QRect boite(const QImage &i, const QRect &zone, const std::function<bool(QRgb)> &garde)
{
    QRect b;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (garde(i.pixel(x, y)))
                b |= QRect(x, y, 1, 1);
    return b;
}

} // namespace

// The window at the scale factor this process runs at.
class TestEchelle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void taille();
    void proportions_data();
    void proportions();
    void bordsNets_data();
    void bordsNets();
    void texteEntier_data();
    void texteEntier();
    void reglesEntieres();
    void horlogePleineResolution();

private:
    qreal m_s = 1;
    std::unique_ptr<VorlanFrm> m_w;
    QImage m_vue;
};

void TestEchelle::initTestCase()
{
    m_s = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QVERIFY(m_s >= 1);
    QApplication::setPalette(test::schema(Face, Mur, Fond, Trait));
    test::tiragesDeDepart();
    Systeme::doublures().Rnd = std::ref(test::g_tirages);
    Systeme::doublures().heure = [] {
        return Systeme::Lecture {10, 8, 37, 0};
    };
    Systeme::doublures().Beep = [] {
    };
    m_w = std::make_unique<VorlanFrm>();
    m_w->show();
    QVERIFY2(QTest::qWaitForWindowExposed(m_w.get(), 5000), "the window was never exposed");
    QCOMPARE(m_w->devicePixelRatioF(), m_s);
    // One tick draws the clock's hands; Enter shows the preview with its bordered swatches.
    m_w->Timer1_Timer();
    m_w->Form_KeyDown(ToucheEntree, 0);
    m_vue = m_w->grab().toImage();
    QCOMPARE(m_vue.devicePixelRatio(), m_s);
    const QString dossier = QCoreApplication::applicationDirPath() + QStringLiteral("/captures");
    QVERIFY(QDir().mkpath(dossier));
    QVERIFY(m_vue.save(dossier + QStringLiteral("/echelle-%1.png").arg(m_s)));
}

// The screenshot covers the client area at the device's resolution.
void TestEchelle::taille()
{
    const QSize client = m_w->size();
    QCOMPARE(m_vue.size(),
             QSize(int(std::ceil(client.width() * m_s)), int(std::ceil(client.height() * m_s))));
}

void TestEchelle::proportions_data()
{
    QTest::addColumn<QString>("quoi");
    QTest::newRow("les murs du plateau") << "plateau";
    QTest::newRow("le cadre de l'horloge") << "horloge";
    QTest::newRow("les cases de l'apercu") << "apercu";
}

// Painted things stand where the layout puts them, scaled: each edge within a device pixel
// of the logical edge times the factor.
void TestEchelle::proportions()
{
    QFETCH(QString, quoi);
    const VorlanFrm &w = *m_w;
    QRect logique = w.Label2(0).geometry() | w.Label2(2).geometry();
    QColor couleur = Trait;
    if (quoi == QLatin1String("plateau")) {
        logique = w.lbl().geometry().translated(w.Frame1().pos());
        couleur = Mur;
    } else if (quoi == QLatin1String("horloge")) {
        logique = w.Picture1().geometry();
    }
    QCOMPARE(logique.size().isEmpty(), false);
    const QRect attendu = enAppareil(logique, m_s);
    const QRect vu = boite(m_vue, attendu.adjusted(-3, -3, 3, 3),
                           [&](QRgb p) { return p == couleur.rgb(); });
    QString message;
    QDebug(&message) << "expected" << attendu << "seen" << vu;
    QVERIFY2(std::abs(vu.left() - attendu.left()) <= 1 && std::abs(vu.top() - attendu.top()) <= 1
                     && std::abs(vu.right() - attendu.right()) <= 1
                     && std::abs(vu.bottom() - attendu.bottom()) <= 1,
             qPrintable(message));
}

void TestEchelle::bordsNets_data()
{
    QTest::addColumn<bool>("enLigne");
    QTest::addColumn<int>("rang");
    for (int ligne = 1; ligne <= test::RangeesDeJeu; ++ligne)
        QTest::addRow("ligne %d du plateau", ligne) << true << ligne;
    for (int colonne = 1; colonne <= test::ColonnesDeJeu; ++colonne)
        QTest::addRow("colonne %d du plateau", colonne) << false << colonne;
    QTest::newRow("colonne de l'apercu") << false << -1;
}

// Across a row or down a column of cells: each cell's border is one device pixel on each
// side, so two neighbours make a line of two, and every pixel is a cell's, a border's or a
// wall's own colour, never a blend.
void TestEchelle::bordsNets()
{
    QFETCH(bool, enLigne);
    QFETCH(int, rang);
    const VorlanFrm &w = *m_w;
    int cases = 3;
    QRect r = w.Label2(0).geometry() | w.Label2(2).geometry();
    if (rang > 0) {
        using test::caseDe;
        cases = enLigne ? test::ColonnesDeJeu : test::RangeesDeJeu;
        const QRect premiere
                = w.lbl().placement(enLigne ? caseDe(rang, 1) : caseDe(1, rang)).enPixels();
        const QRect derniere
                = w.lbl().placement(enLigne ? caseDe(rang, cases) : caseDe(cases, rang)).enPixels();
        r = (premiere | derniere).translated(w.Frame1().pos());
    }
    r = enAppareil(r, m_s);
    const QPoint m = r.center();
    const QList<QRgb> pixels = enLigne
            ? test::ligneDePixels(m_vue, QPoint(r.left() - 2, m.y()), QPoint(r.right() + 2, m.y()))
            : test::ligneDePixels(m_vue, QPoint(m.x(), r.top() - 2), QPoint(m.x(), r.bottom() + 2));
    QCOMPARE(test::courses(pixels, [](QRgb p) { return p == Trait.rgb(); }),
             QStringLiteral("1") + QStringLiteral(" 2").repeated(cases - 1) + QStringLiteral(" 1"));

    QList<QRgb> permises {Face.rgb(), Trait.rgb(), Mur.rgb()};
    for (Couleur c : Jeu::Palette)
        permises << test::enRgb(c);
    for (QRgb p : pixels)
        QVERIFY2(permises.contains(p), qPrintable(QColor(p).name()));
}

void TestEchelle::texteEntier_data()
{
    QTest::addColumn<int>("indice"); // -1 for the score
    for (const test::disposition::EtiquetteAuto &e : test::disposition::Etiquettes)
        QTest::newRow(qPrintable(e.nom())) << e.indice;
}

// A label sized to its text shows all of it: the text drawn at the screen's resolution
// without any clipping leaves no ink outside the label.
void TestEchelle::texteEntier()
{
    QFETCH(int, indice);
    const Etiquette &e = indice < 0 ? m_w->score() : m_w->Label1(indice);
    const QSize marge(60, 30);
    QImage libre((e.size() + marge) * m_s, QImage::Format_RGB32);
    libre.setDevicePixelRatio(m_s);
    libre.fill(Qt::white);
    {
        QPainter p(&libre);
        p.setFont(e.font());
        p.setPen(Qt::black);
        const QRect place(0, 0, e.WordWrap() ? e.width() : e.width() + marge.width(),
                          e.height() + marge.height());
        p.drawText(place, Qt::AlignLeft | Qt::AlignTop | (e.WordWrap() ? Qt::TextWordWrap : 0),
                   e.Caption());
    }
    const QRect noire = boite(libre, libre.rect(), [](QRgb p) { return p != qRgb(255, 255, 255); });
    QVERIFY2(!noire.isEmpty(), qPrintable(e.Caption()));
    const QSize dispo(int(std::floor(e.width() * m_s)), int(std::floor(e.height() * m_s)));
    QString message;
    QDebug(&message) << e.Caption() << "last ink at" << noire.bottomRight() << "label" << dispo;
    QVERIFY2(noire.right() < dispo.width() && noire.bottom() < dispo.height(), qPrintable(message));
}

// The rules box shows its five lines whole, none wrapped.
void TestEchelle::reglesEntieres()
{
    const ZoneTexte &t = m_w->Text1();
    int lignes = 0;
    for (QTextBlock b = t.document()->begin(); b.isValid(); b = b.next())
        lignes += b.layout()->lineCount();
    QCOMPARE(lignes, 5);
    QTextCursor fin(t.document());
    fin.movePosition(QTextCursor::End);
    QVERIFY(t.cursorRect(fin).bottom() < t.viewport()->height());
}

// The clock's image has one pixel per device pixel, and the screen shows it pixel for pixel
// (at fractional factors the box's edge may fall inside a device pixel: its outermost row
// and column of the image may be cut).
void TestEchelle::horlogePleineResolution()
{
    const BoiteImage &b = m_w->Picture1();
    const QImage &image = b.image();
    QCOMPARE(image.devicePixelRatio(), m_s);
    const QSize zone = b.size() - QSize(2, 2);
    QCOMPARE(image.size(),
             QSize(int(std::ceil(zone.width() * m_s)), int(std::ceil(zone.height() * m_s))));
    const QPoint origine = b.pos() + QPoint(1, 1);
    const QPoint approche(int(std::floor(origine.x() * m_s)), int(std::floor(origine.y() * m_s)));
    const QRect interieur = image.rect().adjusted(1, 1, -1, -1);
    int meilleur = interieur.width() * interieur.height();
    for (int dy = 0; dy <= 1; ++dy)
        for (int dx = 0; dx <= 1; ++dx) {
            int differents = 0;
            for (int y = interieur.top(); y <= interieur.bottom(); ++y)
                for (int x = interieur.left(); x <= interieur.right(); ++x)
                    differents
                            += m_vue.pixel(approche + QPoint(x + dx, y + dy)) != image.pixel(x, y);
            meilleur = std::min(meilleur, differents);
        }
    QCOMPARE(meilleur, 0);
}

QTEST_MAIN(TestEchelle)
#include "tst_echelle.moc"
