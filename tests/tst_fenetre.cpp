// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game window with its real widgets, offscreen: the layout in twips, the colour values
// and their painting, start-up, the blocked spawn with its "Perdu" box, the keyboard as a
// real key press travels (through the window, whichever control has the focus), and ending.

#include "boiteimage.h"
#include "bouton.h"
#include "cadre.h"
#include "demarragetest.h"
#include "etiquette.h"
#include "peinture.h"
#include "plateautest.h"
#include "rafraichissement.h"
#include "systeme.h"
#include "tableaucases.h"
#include "visibilite.h"
#include "vorlanfrm.h"
#include "zonetexte.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>
#include <QtTest>
#include <deque>

using namespace vl;
using namespace vl::test;

Q_DECLARE_METATYPE(vl::RectTwips)

namespace {

// What happens to the window, as a desktop or the player does it, and whether the tick that
// follows moves the piece.
enum class Evenement {
    Echap, // the key, through the window
    Reduite, // the desktop reports the window minimised (X11)
    Restauree, // ... and normal again
    Maximisee,
    Cachee, // shown, but no longer exposed (a hidden or suspended Wayland surface, an unmapped X11
            // window)
    Montree, // exposed again
    EtatSansReduction, // the state re-reported without "minimised", as Qt's xdg-shell plugin does
    Derriere, // another window becomes the active one
    Attente, // a while: past the wait for the desktop to hide the window
};
struct Pas
{
    Evenement evenement;
    bool avance;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Pas>)

namespace {

// Runs the application's own event loop with `action` queued; returns the loop's exit code
// (7 if nothing ended it within five seconds).
int executer(const std::function<void()> &action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer garde;
    garde.setSingleShot(true);
    QObject::connect(&garde, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    garde.start(5000);
    return QCoreApplication::exec();
}

// The window as the screen shows it: what the last repaint that went through left there.
QImage ecran(QWidget &w)
{
    return w.screen()->grabWindow(w.winId()).toImage();
}

// The colour painted at a point of the window, in logical pixels.
QColor pixel(QWidget &w, QPoint p)
{
    return w.grab().toImage().pixelColor(p);
}

// The centre of board cell i in window coordinates.
QPoint centreCase(VorlanFrm &w, int i)
{
    const RectTwips r = w.lbl().placement(i);
    const RectTwips cadre = w.Frame1().placement();
    return QPoint(enPixels(cadre.left + r.left + r.width / 2),
                  enPixels(cadre.top + r.top + r.height / 2));
}

// The columns (1 to 8) whose rows 1 to 3 hold a piece colour, other playing cells empty.
QList<int> colonnesDePiece(const Jeu &jeu)
{
    QList<int> cols;
    for (int i = 11; i <= 208; ++i) {
        if (jeu.lbl(i) == jeu.vide() || jeu.lbl(i) == jeu.mur())
            continue;
        if (i / 10 > 3)
            return {-1};
        if (!cols.contains(i % 10))
            cols << i % 10;
    }
    return cols;
}

} // namespace

class TestFenetre : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void disposition_data();
    void disposition();
    void etiquettesAuto_data();
    void etiquettesAuto();
    void polices();
    void cases();
    void couleursStockees();
    void couleursPeintes();
    void demarrage();
    void focus();

    void presentation_data();
    void presentation();
    void scoreAffiche_data();
    void scoreAffiche();
    void boitePerdu_data();
    void boitePerdu();
    void apparitionBloquee();
    void vraieBoiteMessage();

    void toucheAvecFocusSurQuitter_data();
    void toucheAvecFocusSurQuitter();
    void autresTouchesPassent();
    void modificateursEtRepetition();
    void echapArreteAussitot();
    void pause_data();
    void pause();
    void tickReelDuTimer();

    void quitterTermine_data();
    void quitterTermine();

private:
    // Replaces the message box by a counter of the boxes shown and their text.
    void compterBoites()
    {
        Systeme::doublures().MsgBox = [this](QWidget *, const QString &texte) {
            ++m_boites;
            m_texteBoite = texte;
        };
    }

    // The desktop's view of the window, as the platform plugin tells it with an expose event.
    void exposer(bool exposee)
    {
        m_exposee = exposee;
        QWindow *f = m_w->windowHandle();
        QExposeEvent e(exposee ? QRegion(QRect(QPoint(), f->size())) : QRegion());
        QCoreApplication::sendEvent(f, &e);
    }

    std::unique_ptr<VorlanFrm> m_w;
    bool m_exposee = true;
    int m_boites = 0;
    QString m_texteBoite;
};

void TestFenetre::initTestCase()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlan"));
    Systeme::doublures().Rnd = &tirer;
    Visibilite::remplacerExposition(
            [this](const QWindow &f) { return m_exposee && f.isExposed(); });
    compterBoites();
}

void TestFenetre::init()
{
    tiragesDeDepart(4);
    m_boites = 0;
    m_exposee = true;
    m_w = std::make_unique<VorlanFrm>();
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
}

void TestFenetre::cleanup()
{
    m_w.reset();
}

void TestFenetre::disposition_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<RectTwips>("place");
    QTest::addColumn<QString>("texte");
    QTest::newRow("Frame1") << "Frame1" << RectTwips {105, 210, 3690, 7260} << QString();
    QTest::newRow("Label2(0)") << "Label2(0)" << RectTwips {6930, 2205, 300, 300} << " ";
    QTest::newRow("Label2(1)") << "Label2(1)" << RectTwips {6930, 2505, 300, 300} << " ";
    QTest::newRow("Label2(2)") << "Label2(2)" << RectTwips {6930, 2805, 300, 300} << " ";
    for (int k = 0; k < 7; ++k)
        QTest::addRow("Label3(%d)", k) << QStringLiteral("Label3(%1)").arg(k)
                                       << RectTwips {3990, 4725 + 315 * k, 300, 300} << " ";
    QTest::newRow("Text1") << "Text1" << RectTwips {4410, 3255, 3795, 1170}
                           << VorlanFrm::TexteRegles;
    QTest::newRow("Command1") << "Command1" << RectTwips {4620, 4620, 1380, 750} << "&Quitter";
    QTest::newRow("Picture1") << "Picture1" << RectTwips {6405, 5355, 2200, 2100} << QString();
}

void TestFenetre::disposition()
{
    QFETCH(QString, controle);
    QFETCH(RectTwips, place);
    QFETCH(QString, texte);
    VorlanFrm &w = *m_w;
    RectTwips vu;
    QString lu;
    QWidget *widget = nullptr;
    if (controle == QLatin1String("Frame1")) {
        vu = w.Frame1().placement();
        widget = &w.Frame1();
    } else if (controle.startsWith(QLatin1String("Label2"))) {
        Etiquette &e = w.Label2(controle.at(7).digitValue());
        vu = e.placement();
        lu = e.Caption();
        widget = &e;
        QVERIFY(e.bordure());
    } else if (controle.startsWith(QLatin1String("Label3"))) {
        Etiquette &e = w.Label3(controle.at(7).digitValue());
        vu = e.placement();
        lu = e.Caption();
        widget = &e;
        QVERIFY(e.bordure());
    } else if (controle == QLatin1String("Text1")) {
        vu = w.Text1().placement();
        lu = w.Text1().Text();
        widget = &w.Text1();
    } else if (controle == QLatin1String("Command1")) {
        vu = w.Command1().placement();
        lu = w.Command1().Caption();
        widget = &w.Command1();
    } else {
        vu = w.Picture1().placement();
        widget = &w.Picture1();
    }
    QCOMPARE(vu, place);
    QCOMPARE(lu, texte);
    QCOMPARE(widget->geometry(), place.enPixels());
}

void TestFenetre::etiquettesAuto_data()
{
    QTest::addColumn<int>("indice"); // -1 for the score label
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("texte");
    const struct
    {
        int i, left, top;
        const char *texte;
    } lignes[] = {{0, 4095, 315, "←"},
                  {1, 4095, 630, "→"},
                  {2, 4095, 945, "↑"},
                  {3, 4095, 1260, "↓"},
                  {4, 4095, 1575, "Escape"},
                  {5, 4095, 1890, "Espace"},
                  {13, 4095, 2205, "Entrée"},
                  {6, 4935, 315, "Déplacer vers la gauche"},
                  {7, 4935, 630, "Déplacer vers la droite"},
                  {8, 4935, 945, "Décaler les couleurs vers le haut"},
                  {9, 4935, 1260, "Décaler les couleurs vers le bas"},
                  {10, 4935, 1575, "le patron !"},
                  {11, 4935, 1890, "Précipiter la vorlan"},
                  {14, 4935, 2205, "Montrer/Cacher la prochaine pièce"},
                  {12, 7770, 2205, "Score"},
                  {-1, 7770, 2625, "0"}};
    for (const auto &l : lignes)
        QTest::addRow("%s", l.i < 0 ? "score" : qPrintable(QStringLiteral("Label1(%1)").arg(l.i)))
                << l.i << l.left << l.top << QString::fromUtf8(l.texte);
}

void TestFenetre::etiquettesAuto()
{
    QFETCH(int, indice);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, texte);
    Etiquette &e = indice < 0 ? m_w->score() : m_w->Label1(indice);
    QCOMPARE(e.Caption(), texte);
    QCOMPARE(e.placement().left, left);
    QCOMPARE(e.placement().top, top);
    QVERIFY(e.AutoSize());
    QVERIFY(!e.bordure());
    QCOMPARE(e.BackColor(), couleurs::FaceBouton);
    QCOMPARE(e.ForeColor(), indice < 0 ? couleurs::TexteBouton : couleurs::TexteFenetre);
    // Sized to its text: the whole text fits, on one line unless it wraps within 1995 twips.
    const QFontMetrics fm(e.font());
    QCOMPARE(e.placement().height % TwipsParPixel, 0);
    if (indice == 14) {
        QVERIFY(e.WordWrap());
        QCOMPARE(e.placement().width, 1995);
        QVERIFY(e.height() >= 2 * fm.height());
    } else {
        QVERIFY(e.width() >= fm.horizontalAdvance(texte));
        QVERIFY(e.width() <= fm.horizontalAdvance(texte) + 1);
        QVERIFY(e.height() >= fm.height() && e.height() <= fm.height() + 1);
    }
}

void TestFenetre::polices()
{
    VorlanFrm &w = *m_w;
    const QFont fenetre = w.font();
    QCOMPARE(fenetre.family(), QStringLiteral("Courier New"));
    QCOMPARE(fenetre.pixelSize(), 11); // 8.25 pt at 96 dpi
    QVERIFY(fenetre.bold());
    // fontconfig gives the metric-compatible face for the name.
    QCOMPARE(QFontInfo(fenetre).family(), QStringLiteral("Liberation Mono"));
    for (QWidget *herite :
         {static_cast<QWidget *>(&w.score()), static_cast<QWidget *>(&w.Command1()),
          static_cast<QWidget *>(&w.Text1())})
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

void TestFenetre::cases()
{
    TableauCases &lbl = m_w->lbl();
    QCOMPARE(lbl.count(), 220);
    for (int i = 0; i < 220; ++i) {
        const RectTwips attendu {(i % 10) * 300 + 300, (i / 10 + 1) * 300, 300, 300};
        QCOMPARE(lbl.placement(i), attendu);
        QCOMPARE(lbl.bordure(i), !Jeu::estMur(i));
    }
    // The cells cover Left 300 to 3300 and Top 300 to 6900 inside the frame.
    QCOMPARE(lbl.geometry(), QRect(20, 20, 200, 440));
}

void TestFenetre::couleursStockees()
{
    VorlanFrm &w = *m_w;
    QCOMPARE(w.BackColor(), Couleur(0x8000000F));
    QCOMPARE(w.ForeColor(), Couleur(0x80000012));
    QCOMPARE(w.Picture1().BackColor(), Couleur(0x80000005));
    QCOMPARE(w.Picture1().ForeColor(), Couleur(0x80000008));
    for (int i = 0; i < 220; ++i)
        QCOMPARE(w.lbl().BackColor(i), w.jeu().lbl(i));
    QCOMPARE(w.lbl().BackColor(0), Couleur(0x80000012));
    QCOMPARE(w.lbl().BackColor(208), Couleur(0x8000000F));
    const Couleur attendues[]
            = {0x000000FF, 0x00FF0000, 0x00800080, 0x0000FFFF, 0x0000C000, 0x000080FF, 0x00000040};
    for (int k = 0; k < 7; ++k)
        QCOMPARE(w.Label3(k).BackColor(), attendues[k]);
    // A cell painted exactly like an empty one, but holding an RGB value, is not empty: the
    // piece above it lands instead of falling.
    Jeu &jeu = w.jeu();
    const QColor face = resoudre(couleurs::FaceBouton, w.palette());
    const int p = jeu.Position();
    jeu.setLbl(p + 30, rgb(face.red(), face.green(), face.blue()));
    w.miroir();
    QCOMPARE(pixel(w, centreCase(w, p + 30)), pixel(w, centreCase(w, p + 40)));
    g_tirages = {0.9f, 0.0f, 0.0f, 0.0f};
    w.Timer1_Timer();
    QCOMPARE(jeu.Position(), 18);
    QCOMPARE(jeu.lbl(p + 20), Jeu::Palette[2]);
}

void TestFenetre::couleursPeintes()
{
    VorlanFrm &w = *m_w;
    const QPalette &p = w.palette();
    QCOMPARE(pixel(w, centreCase(w, 208)), p.color(QPalette::Button));
    QCOMPARE(pixel(w, centreCase(w, 0)), p.color(QPalette::ButtonText));
    const int piece = w.jeu().Position();
    QCOMPARE(pixel(w, centreCase(w, piece)), resoudre(w.jeu().lbl(piece), p));
    // A playing cell shows its one-pixel border in the window-text colour.
    const QRect cellule
            = w.lbl().placement(208).enPixels().translated(w.Frame1().pos() + QPoint(0, 0));
    QCOMPARE(pixel(w, cellule.topLeft() + QPoint(10, 0)), p.color(QPalette::WindowText));
    QCOMPARE(pixel(w, cellule.topLeft() + QPoint(10, 1)), p.color(QPalette::Button));
    // The clock box's drawing area starts in the window-background colour.
    const QPoint coin = w.Picture1().geometry().topLeft() + QPoint(3, 3);
    QCOMPARE(pixel(w, coin), p.color(QPalette::Base));
}

void TestFenetre::demarrage()
{
    VorlanFrm &w = *m_w;
    const Jeu &jeu = w.jeu();
    QCOMPARE(colonnesDePiece(jeu), QList<int>({4}));
    QCOMPARE(jeu.Position(), 14);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(jeu.lbl(14 + 10 * i), Jeu::Palette.at(std::size_t(i)));
    // The preview is hidden and already holds the next piece, drawn after the first.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!w.Label2(i).isVisible());
        QCOMPARE(w.Label2(i).BackColor(), Jeu::Palette.at(std::size_t(i)));
    }
    QVERIFY(g_tirages.empty());
    for (int k = 0; k < 7; ++k)
        QVERIFY(!w.Label3(k).isVisible());
    QCOMPARE(jeu.Montrer(), std::int16_t(0));
    QCOMPARE(w.Timer1().Interval(), 1000);
    QVERIFY(w.Timer1().Enabled());
    QCOMPARE(w.score().Caption(), QStringLiteral("0"));
    QCOMPARE(w.Caption(), QStringLiteral("Vorlan"));
    QCOMPARE(w.size(), QSize(583, 510));
    QVERIFY(w.KeyPreview());
    QVERIFY(!w.Text1().isEnabled());
}

void TestFenetre::focus()
{
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    QCOMPARE(QApplication::focusWidget(), &w.Picture1());
    QCOMPARE(w.Picture1().nextInFocusChain(), &w.Command1());
    QCOMPARE(w.Text1().focusPolicy() == Qt::NoFocus || !w.Text1().isEnabled(), true);
    QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &w.Command1());
    QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &w.Picture1());
}

void TestFenetre::presentation_data()
{
    QTest::addColumn<bool>("touche"); // the change: the Left key, or else a tick
    QTest::addColumn<double>("periodes"); // refresh periods on the pace's clock since the last
                                          // repaint
    QTest::addColumn<bool>("tenue"); // the repaint waits for the end of the refresh

    QTest::newRow("un tic juste après un rafraîchissement se montre au suivant")
            << false << 0.0 << true;
    QTest::newRow("une touche juste après un rafraîchissement se montre au suivant")
            << true << 0.0 << true;
    QTest::newRow("un tic à mi-période attend la fin de la période") << false << 0.5 << true;
    QTest::newRow("un tic à 99 % de la période attend encore") << false << 0.99 << true;
    QTest::newRow("un tic une période après le dernier rafraîchissement se montre aussitôt")
            << false << 1.0 << false;
    QTest::newRow("un tic une seconde après le dernier rafraîchissement se montre aussitôt")
            << false << 60.0 << false;
}

// A change reaches the screen with the first repaint that goes through after it, and not
// before: within a refresh period of a repaint, Qt's request waits for the end of that
// period; a period or more after one, it goes through at once. The pace's clock stands still,
// and the wait is checked from below only (a busy machine can only make it longer), so
// nothing here depends on how fast the machine runs.
void TestFenetre::presentation()
{
    QFETCH(bool, touche);
    QFETCH(double, periodes);
    QFETCH(bool, tenue);

    VorlanFrm &w = *m_w;
    Rafraichissement &r = w.rafraichissement();
    auto instant = Rafraichissement::Chrono::now();
    Rafraichissement::remplacerHorloge([&] { return instant; });
    const auto retablir = qScopeGuard([] { Rafraichissement::remplacerHorloge({}); });
    r.peindre();
    const auto ecart = std::chrono::duration_cast<std::chrono::nanoseconds>(r.periode() * periodes);
    instant += ecart;

    // The piece stands in rows 1 to 3 of column 4: a tick brings its bottom colour into row
    // 4, the key its top colour into column 3.
    const int p = w.jeu().Position();
    const int cible = touche ? p - 1 : p + 30;
    const QColor avant = ecran(w).pixelColor(centreCase(w, cible));
    std::vector<QColor> vues; // the cell on the screen after each repaint
    QElapsedTimer depuisDemande; // started before the request: it can only overstate the wait
    qint64 attente = -1; // ns from the request to the repaint
    connect(&r, &Rafraichissement::presente, this, [&] {
        attente = depuisDemande.nsecsElapsed();
        vues.push_back(ecran(w).pixelColor(centreCase(w, cible)));
    });
    const std::uint64_t n = r.presentations();
    depuisDemande.start();
    if (touche)
        QTest::keyClick(w.windowHandle(), Qt::Key_Left);
    else
        w.Timer1_Timer();
    const QColor apres = resoudre(w.jeu().lbl(cible), w.palette());
    QVERIFY(apres != avant);

    // Qt's request for the repaint, and no timer.
    QCoreApplication::sendPostedEvents(&w, QEvent::UpdateRequest);
    QCOMPARE(r.enAttente(), tenue);
    QCOMPARE(r.presentations(), n + (tenue ? 0 : 1));
    if (tenue)
        QCOMPARE(ecran(w).pixelColor(centreCase(w, cible)), avant);
    QTRY_COMPARE(r.presentations(), n + 1);
    QCOMPARE(vues.size(), std::size_t(1));
    QCOMPARE(vues.front(), apres);
    QVERIFY(!r.enAttente());
    // Never two repaints less than a period apart.
    if (tenue)
        QVERIFY2(ecart.count() + attente >= r.periode().count(),
                 qPrintable(QStringLiteral("repainted %1 ms after the request")
                                    .arg(double(attente) / 1e6)));
}

void TestFenetre::scoreAffiche_data()
{
    QTest::addColumn<int>("intervalle"); // before the tick, in ms
    QTest::addColumn<int>("intervalleApres");
    QTest::addColumn<QString>("score");

    QTest::newRow("5 cases éliminées à 1000 ms: 995 ms, score 5") << 1000 << 995 << "5";
    QTest::newRow("5 cases éliminées à 7 ms: 2 ms, score 998") << 7 << 2 << "998";
    QTest::newRow("5 cases éliminées à 4 ms: plancher de 1 ms, score 999") << 4 << 1 << "999";
}

// A landing that removes five cells: the score label shows the new score, on the screen.
void TestFenetre::scoreAffiche()
{
    QFETCH(int, intervalle);
    QFETCH(int, intervalleApres);
    QFETCH(QString, score);

    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    test::poser(jeu, {"R.......", "RR......", "RR......"});
    jeu.setPosition(181);
    jeu.setInterval(intervalle);
    w.miroir();
    w.rafraichissement().peindre();
    const QRect place = w.score().geometry();
    const QImage avant = ecran(w).copy(place);

    w.Timer1_Timer();
    QCOMPARE(test::lire(jeu, 3), QStringList({"........", "........", "........"}));
    QCOMPARE(w.Timer1().Interval(), intervalleApres);
    QCOMPARE(w.score().Caption(), score);
    w.rafraichissement().peindre();
    const QImage vue = ecran(w).copy(w.score().geometry());
    QCOMPARE(vue, w.score().grab().toImage().convertToFormat(vue.format()));
    QVERIFY(vue != avant);
}

void TestFenetre::boitePerdu_data()
{
    QTest::addColumn<int>("pleine"); // the column full from row 4 down
    QTest::addColumn<QStringList>("avant"); // rows 16 to 20, the full column included
    QTest::addColumn<int>("position"); // the piece's top cell, drawn in `avant`
    QTest::addColumn<QStringList>("apres");
    QTest::addColumn<QString>("score");

    // The full column alternates blue and red, red in the odd rows.
    QTest::newRow("atterrissage sans ligne, puis pièce bloquée en colonne 1")
            << 1 << QStringList {"B.......", "R.......", "BP......", "RJ......", "BV......"} << 182
            << QStringList {"B.......", "R.......", "BP......", "RJ......", "BV......"} << "0";
    QTest::newRow("atterrissage avec cascade, puis pièce bloquée en colonne 8")
            << 8 << QStringList {"J......B", "R......R", "R......B", "RJJ....R", "VOP....B"} << 161
            << QStringList {".......B", ".......R", ".......B", ".......R", "VOP....B"} << "6";
}

// The piece lands and the draw sends the next one into a full column: "Perdu". When the box
// opens, the screen already shows the board as the landing left it, lines removed and columns
// settled; no tick runs under the box; the game is over but keys still act.
void TestFenetre::boitePerdu()
{
    QFETCH(int, pleine);
    QFETCH(QStringList, avant);
    QFETCH(int, position);
    QFETCH(QStringList, apres);
    QFETCH(QString, score);

    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    test::poser(jeu, avant);
    for (int ligne = 4; ligne < 16; ++ligne)
        jeu.setLbl(ligne * 10 + pleine, Jeu::Palette[std::size_t(ligne % 2 ? 0 : 1)]);
    jeu.setPosition(position);
    w.miroir();
    const QStringList haut = test::lire(jeu).mid(0, 15);
    const Couleur apercu = jeu.Label2(0);

    bool tictacPendantBoite = true;
    Systeme::doublures().MsgBox = [&](QWidget *parent, const QString &texte) {
        ++m_boites;
        m_texteBoite = texte;
        QCOMPARE(parent, &w);
        tictacPendantBoite = w.Timer1().Enabled();
        // Every playing cell on the screen shows the board that the landing left.
        const QImage vue = ecran(w);
        for (int i = 11; i <= 208; ++i)
            if (i % 10 != 0 && i % 10 != 9)
                QVERIFY2(vue.pixelColor(centreCase(w, i)) == resoudre(w.jeu().lbl(i), w.palette()),
                         qPrintable(QStringLiteral("cell %1").arg(i)));
        // While the box is open, the event loop runs: no tick may move anything.
        const QStringList avant = test::lire(w.jeu());
        QTest::qWait(50);
        QCOMPARE(test::lire(w.jeu()), avant);
    };
    g_tirages = {(float(pleine) - 0.5f) / 8};
    w.Timer1_Timer();
    compterBoites();

    QCOMPARE(m_boites, 1);
    QCOMPARE(m_texteBoite, QStringLiteral("Perdu"));
    QVERIFY(!tictacPendantBoite);
    QVERIFY(!w.Timer1().Enabled());
    QCOMPARE(jeu.Position(), 10 + pleine);
    QCOMPARE(test::lire(jeu).mid(0, 15), haut);
    QCOMPARE(test::lire(jeu, 5), apres);
    QCOMPARE(jeu.Label2(0), apercu);
    QCOMPARE(w.score().Caption(), score);
    // Keys still act after the game is lost, and none restarts the timer.
    QTest::keyClick(w.windowHandle(), Qt::Key_Return);
    QVERIFY(w.Label2(0).isVisible());
    const QStringList plateau = test::lire(jeu);
    QTest::keyClick(w.windowHandle(), Qt::Key_Space);
    QCOMPARE(test::lire(jeu), plateau);
    QVERIFY(!w.Timer1().Enabled());
}

// The first spawn never fails; a full column only ends the game if the draw picks it.
void TestFenetre::apparitionBloquee()
{
    VorlanFrm &w = *m_w;
    Jeu &jeu = w.jeu();
    test::poser(jeu, {});
    for (int ligne = 4; ligne <= 20; ++ligne)
        jeu.setLbl(ligne * 10 + 8, Jeu::Palette[std::size_t(ligne % 2 ? 3 : 4)]);
    jeu.setPosition(181);
    for (int i = 0; i < 3; ++i)
        jeu.setLbl(181 + 10 * i, Jeu::Palette[std::size_t(i)]);
    w.miroir();
    g_tirages = {0.3f, 0.1f, 0.1f, 0.1f}; // column 3
    w.Timer1_Timer();
    QCOMPARE(m_boites, 0);
    QVERIFY(w.Timer1().Enabled());
    QCOMPARE(jeu.Position(), 13);
    QCOMPARE(w.lbl().BackColor(13), jeu.lbl(13));
}

// The real box: modal, "Perdu", one OK button, no icon, the application's name as caption.
void TestFenetre::vraieBoiteMessage()
{
    Systeme::doublures().MsgBox = {};
    QString titre, texte;
    int boutons = -1;
    QMessageBox::Icon icone = QMessageBox::Warning;
    bool modale = false;
    QTimer::singleShot(0, this, [&] {
        auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(boite);
        titre = boite->windowTitle();
        texte = boite->text();
        boutons = int(boite->buttons().size());
        icone = boite->icon();
        modale = boite->isModal();
        boite->button(QMessageBox::Ok)->click();
    });
    Systeme::MsgBox(m_w.get(), QStringLiteral("Perdu"));
    compterBoites();
    QCOMPARE(titre, QStringLiteral("Vorlan"));
    QCOMPARE(texte, QStringLiteral("Perdu"));
    QCOMPARE(boutons, 1);
    QCOMPARE(icone, QMessageBox::NoIcon);
    QVERIFY(modale);
}

void TestFenetre::toucheAvecFocusSurQuitter_data()
{
    QTest::addColumn<int>("touche");
    QTest::newRow("Espace precipite sans cliquer Quitter") << int(Qt::Key_Space);
    QTest::newRow("Entree montre l'apercu sans cliquer Quitter") << int(Qt::Key_Return);
    QTest::newRow("Entree du pave numerique aussi") << int(Qt::Key_Enter);
    QTest::newRow("fleche gauche deplace sans bouger le focus") << int(Qt::Key_Left);
    QTest::newRow("fleche droite deplace sans bouger le focus") << int(Qt::Key_Right);
    QTest::newRow("fleche haut tourne sans bouger le focus") << int(Qt::Key_Up);
    QTest::newRow("fleche bas tourne sans bouger le focus") << int(Qt::Key_Down);
}

void TestFenetre::toucheAvecFocusSurQuitter()
{
    QFETCH(int, touche);
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    w.Command1().setFocus();
    QCOMPARE(QApplication::focusWidget(), &w.Command1());
    const QStringList avant = test::lire(w.jeu());
    const int position = w.jeu().Position();
    QSignalSpy clics(&w.Command1(), &QPushButton::clicked);

    QTest::keyClick(w.windowHandle(), Qt::Key(touche));

    QCOMPARE(clics.count(), 0);
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), &w.Command1());
    switch (touche) {
    case Qt::Key_Space:
        QCOMPARE(w.jeu().Position(), 184);
        QCOMPARE(w.lbl().BackColor(204), w.jeu().lbl(204));
        QVERIFY(w.jeu().lbl(204) != w.jeu().vide());
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        QVERIFY(w.Label2(0).isVisible() && w.Label2(2).isVisible());
        break;
    case Qt::Key_Left:
        QCOMPARE(w.jeu().Position(), position - 1);
        break;
    case Qt::Key_Right:
        QCOMPARE(w.jeu().Position(), position + 1);
        break;
    default:
        QVERIFY(test::lire(w.jeu()) != avant);
        QCOMPARE(w.lbl().BackColor(position), w.jeu().lbl(position));
        break;
    }
}

// Keys that are not commands reach the focused control: Alt+Q clicks Quit, Tab moves on.
void TestFenetre::autresTouchesPassent()
{
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    const QStringList avant = test::lire(w.jeu());
    QTest::keyClick(w.windowHandle(), Qt::Key_A);
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    QCOMPARE(test::lire(w.jeu()), avant);
    QCOMPARE(QApplication::focusWidget(), &w.Picture1());
    QSignalSpy clics(&w.Command1(), &QPushButton::clicked);
    // Alt+Q, the button's access key, as the focused control receives it: the program ends.
    QCOMPARE(executer([&] { QTest::keyClick(&w.Picture1(), Qt::Key_Q, Qt::AltModifier); }), 0);
    QCOMPARE(clics.count(), 1);
    QVERIFY(!w.isVisible());
}

void TestFenetre::modificateursEtRepetition()
{
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    const int p = w.jeu().Position();
    QTest::keyClick(w.windowHandle(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(w.windowHandle(), Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(w.windowHandle(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(w.jeu().Position(), p - 3);
    // An auto-repeated press acts like any other.
    QTest::sendKeyEvent(QTest::Press, w.windowHandle(), Qt::Key_Right, QString(), Qt::NoModifier);
    QKeyEvent repetition(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(w.windowHandle(), &repetition);
    QTest::sendKeyEvent(QTest::Release, w.windowHandle(), Qt::Key_Right, QString(), Qt::NoModifier);
    QCOMPARE(w.jeu().Position(), p - 1);
}

void TestFenetre::echapArreteAussitot()
{
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
    QVERIFY(w.windowState() & Qt::WindowMinimized);
    QCOMPARE(w.etatFenetre(), Fenetre::EtatFenetre::Minimise);
    const QStringList avant = test::lire(w.jeu());
    w.Timer1_Timer();
    w.Timer1_Timer();
    QCOMPARE(test::lire(w.jeu()), avant);
    QCOMPARE(w.Timer1().Interval(), 1000);
    QCOMPARE(w.score().Caption(), QStringLiteral("0"));
    // Keys still act on a minimised window; Escape again changes nothing.
    const int p = w.jeu().Position();
    QTest::keyClick(w.windowHandle(), Qt::Key_Left);
    QCOMPARE(w.jeu().Position(), p - 1);
    QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
    QCOMPARE(w.etatFenetre(), Fenetre::EtatFenetre::Minimise);
}

void TestFenetre::pause_data()
{
    using E = Evenement;
    QTest::addColumn<std::vector<Pas>>("pas");
    QTest::newRow("minimised by the desktop, still until restored")
            << std::vector<Pas> {{E::Reduite, false}, {E::Restauree, true}};
    QTest::newRow("hidden by the compositor, still until shown")
            << std::vector<Pas> {{E::Cachee, false}, {E::Attente, false}, {E::Montree, true}};
    QTest::newRow("behind another window, plays on") << std::vector<Pas> {{E::Derriere, true}};
    QTest::newRow("maximised, plays on") << std::vector<Pas> {{E::Maximisee, true}};
    QTest::newRow("Escape on X11, still until unmapped and restored")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::Cachee, false},
                                 {E::Attente, false},
                                 {E::Restauree, false},
                                 {E::Montree, true}};
    QTest::newRow("Escape on Wayland, still until hidden and shown")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Cachee, false},
                                 {E::Attente, false},
                                 {E::Montree, true}};
    QTest::newRow("Escape, hidden and shown again within the wait")
            << std::vector<Pas> {{E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Cachee, false},
                                 {E::Montree, true}};
    QTest::newRow("Escape ignored by the compositor, a short pause") << std::vector<Pas> {
            {E::Echap, false}, {E::EtatSansReduction, false}, {E::Attente, true}};
    QTest::newRow("Escape on a hidden window, still until shown")
            << std::vector<Pas> {{E::Cachee, false},
                                 {E::Echap, false},
                                 {E::EtatSansReduction, false},
                                 {E::Montree, true}};
}

// The tick stands still exactly while the player cannot see the window, whatever the desktop
// reports; the events come in as the platform plugins deliver them.
void TestFenetre::pause()
{
    QFETCH(std::vector<Pas>, pas);
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    QWindow *fenetre = w.windowHandle();
    QWidget autre;
    QElapsedTimer depuisEchap; // started before the key: it can only overstate the pause
    for (std::size_t k = 0; k < pas.size(); ++k) {
        switch (pas[k].evenement) {
        case Evenement::Echap:
            depuisEchap.start();
            QTest::keyClick(fenetre, Qt::Key_Escape);
            break;
        case Evenement::Reduite:
            w.showMinimized();
            break;
        case Evenement::Restauree:
            w.showNormal();
            break;
        case Evenement::Maximisee:
            w.showMaximized();
            break;
        case Evenement::Cachee:
            exposer(false);
            break;
        case Evenement::Montree:
            exposer(true);
            break;
        case Evenement::EtatSansReduction:
            w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
            break;
        case Evenement::Derriere:
            autre.show();
            QVERIFY(test::activer(autre));
            QVERIFY(!w.isActiveWindow());
            break;
        case Evenement::Attente:
            // Waiting is no timing: the wait either has run out or it never ends.
            if (pas[k].avance) {
                QTRY_VERIFY_WITH_TIMEOUT(w.etatFenetre() != Fenetre::EtatFenetre::Minimise, 5000);
                // The wait for the desktop lasts half a second from the key, not one step.
                if (depuisEchap.isValid())
                    QVERIFY2(
                            depuisEchap.elapsed() >= 500,
                            qPrintable(
                                    QStringLiteral("over after %1 ms").arg(depuisEchap.elapsed())));
            } else
                QTest::qWait(1000);
            break;
        }
        const int p = w.jeu().Position();
        w.Timer1_Timer();
        QVERIFY2(w.jeu().Position() == (pas[k].avance ? p + 10 : p),
                 qPrintable(QStringLiteral("step %1").arg(k + 1)));
        QCOMPARE(w.etatFenetre() == Fenetre::EtatFenetre::Minimise, !pas[k].avance);
    }
}

// The real timer drives the game: the piece moves down on its own.
void TestFenetre::tickReelDuTimer()
{
    const int p = m_w->jeu().Position();
    QTRY_COMPARE_WITH_TIMEOUT(m_w->jeu().Position(), p + 10, 5000);
    QCOMPARE(m_w->lbl().BackColor(p), m_w->jeu().vide());
}

void TestFenetre::quitterTermine_data()
{
    QTest::addColumn<bool>("parLeBouton");
    QTest::newRow("le bouton Quitter termine le programme") << true;
    QTest::newRow("fermer la fenetre termine le programme") << false;
}

void TestFenetre::quitterTermine()
{
    QFETCH(bool, parLeBouton);
    QCOMPARE(executer([&] {
                 if (parLeBouton)
                     m_w->Command1().click();
                 else
                     m_w->close();
             }),
             0);
    QVERIFY(!m_w->isVisible());
}

QTEST_MAIN(TestFenetre)
#include "tst_fenetre.moc"
