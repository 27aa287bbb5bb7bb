// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every key, as a real key press travels: each Qt::Key value and a sample of other codes,
// under every combination of Shift, Ctrl, Alt and Meta, sent to the game window's QWindow.
// The game's keys do their command whatever the modifiers; every other key leaves
// the board, the piece, the preview, the timer, the score and the window state as they were.
// A key press reaches the window whichever control has the focus, and keys that are no command
// reach the control.

#include "clavier.h"
#include "fenetretest.h"
#include "plateautest.h"

#include <QMetaEnum>
#include <QtTest>
#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

using namespace vl;
using namespace vl::test;

using Effet = std::optional<Jeu::Commande>; // none: the window minimises itself
Q_DECLARE_METATYPE(Effet)

namespace {

// What a key could change, as the rules hold it and as the window shows it.
struct Etat
{
    std::array<Couleur, Jeu::NombreCases> cases {};
    std::array<Couleur, Jeu::NombreCases> affichees {};
    int position = 0;
    int montrer = 0;
    std::array<bool, 3> apercuVisible {};
    bool minimisee = false;
    bool visible = false;
    int intervalle = 0;
    int intervalleMinuterie = 0;
    bool minuterieActive = false;
    // Where the timer's ticks fall within its interval: only a change of its settings moves it
    // (or a stall of several intervals), never a key.
    std::chrono::nanoseconds phaseMinuterie {};
    QString score;
    const QWidget *focus = nullptr;

    bool operator==(const Etat &) const = default;
};

Etat lire(const VorlanFrm &w)
{
    Etat e;
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        e.cases[std::size_t(i)] = w.jeu().lbl(i);
        e.affichees[std::size_t(i)] = w.lbl().BackColor(i);
    }
    e.position = w.jeu().Position();
    e.montrer = w.jeu().Montrer();
    for (int i = 0; i < 3; ++i)
        e.apercuVisible[std::size_t(i)] = w.Label2(i).isVisible();
    e.minimisee = w.windowState() & Qt::WindowMinimized;
    e.visible = w.isVisible();
    e.intervalle = w.jeu().Interval();
    e.intervalleMinuterie = w.Timer1().Interval();
    e.minuterieActive = w.Timer1().Enabled();
    e.phaseMinuterie = w.Timer1().echeance().time_since_epoch()
            % std::chrono::milliseconds(w.Timer1().Interval());
    e.score = w.score().Caption();
    e.focus = QApplication::focusWidget();
    return e;
}

// What the key does to the state before it, worked out on a copy of the rules.
Etat attendu(const VorlanFrm &w, const Etat &avant, Effet effet)
{
    Etat e = avant;
    if (!effet) {
        e.minimisee = true;
        return e;
    }
    Jeu copie = w.jeu();
    copie.Execute(*effet);
    for (int i = 0; i < Jeu::NombreCases; ++i)
        e.cases[std::size_t(i)] = e.affichees[std::size_t(i)] = copie.lbl(i);
    e.position = copie.Position();
    e.montrer = copie.Montrer();
    e.apercuVisible.fill(copie.Montrer() != 0);
    return e;
}

// The game's keys, typed here once rather than taken from the window's own table: the Qt key,
// the code the window passes Form_KeyDown for it, and what it does.
struct ToucheDuJeu
{
    int qt;
    int code;
    Effet effet;
};
const ToucheDuJeu Touches[] = {
        {Qt::Key_Return, 13, Jeu::Commande::Apercu}, {Qt::Key_Enter, 13, Jeu::Commande::Apercu},
        {Qt::Key_Escape, 27, std::nullopt},          {Qt::Key_Space, 32, Jeu::Commande::Precipite},
        {Qt::Key_Left, 37, Jeu::Commande::Gauche},   {Qt::Key_Up, 38, Jeu::Commande::Haut},
        {Qt::Key_Right, 39, Jeu::Commande::Droite},  {Qt::Key_Down, 40, Jeu::Commande::Bas},
};

// The row of Touches for a Qt key, or nullptr for a key the game does not use.
const ToucheDuJeu *toucheDuJeu(int qt)
{
    const auto t = std::ranges::find(Touches, qt, &ToucheDuJeu::qt);
    return t == std::end(Touches) ? nullptr : t;
}

// The text a keyboard would send with the key: its character when it has a printable one,
// a letter in lower case without Shift.
QString texte(int touche, Qt::KeyboardModifiers m)
{
    const auto point = char32_t(touche);
    if (touche <= 0 || touche > 0x10FFFF || !QChar::isPrint(point))
        return QString();
    const QString t = QString::fromUcs4(&point, 1);
    return m & Qt::ShiftModifier ? t : t.toLower();
}

// The modifiers, as the rows name them.
const std::pair<Qt::KeyboardModifier, const char *> Modificateurs[]
        = {{Qt::ShiftModifier, "Maj"},
           {Qt::ControlModifier, "Ctrl"},
           {Qt::AltModifier, "Alt"},
           {Qt::MetaModifier, "Meta"}};

QString nomModificateurs(Qt::KeyboardModifiers m)
{
    QStringList noms;
    for (const auto &[modificateur, nom] : Modificateurs)
        if (m & modificateur)
            noms << QString::fromLatin1(nom);
    return noms.isEmpty() ? QStringLiteral("sans modificateur") : noms.join(QLatin1Char('+'));
}

QString nomTouche(int touche, Qt::KeyboardModifiers m)
{
    const char *nom = QMetaEnum::fromType<Qt::Key>().valueToKey(touche);
    return nomModificateurs(m) + QLatin1Char(' ')
            + (nom ? QString::fromLatin1(nom) : QStringLiteral("0x%1").arg(touche, 0, 16));
}

} // namespace

class TestTouches : public FenetreTest
{
    Q_OBJECT
private slots:
    // The game takes its window for hidden and stands still: no tick of its own timer then
    // comes between a key and what the test reads (a key press runs the event loop), and keys
    // act the same.
    void init()
    {
        FenetreTest::init();
        m_exposee = false;
    }

    void seulesLesTouchesDuJeuAgissent_data();
    void seulesLesTouchesDuJeuAgissent();
    void codesDesTouches_data();
    void codesDesTouches();
    void autresTouchesPassent();
    void repetitionAutomatique();

private:
    // Sends touche with m to the window as it was at depart, not minimised, the focus on
    // focus, and checks the outcome; an empty string when it was as expected.
    QString essayer(const Jeu &depart, QWidget &focus, int touche, Qt::KeyboardModifiers m);
};

QString TestTouches::essayer(const Jeu &depart, QWidget &focus, int touche, Qt::KeyboardModifiers m)
{
    VorlanFrm &w = *m_w;
    if (w.windowState() & Qt::WindowMinimized)
        w.showNormal();
    w.jeu() = depart;
    w.miroir();
    focus.setFocus();
    const ToucheDuJeu *commande = toucheDuJeu(touche);
    const Etat avant = lire(w);
    Etat voulu = commande ? attendu(w, avant, commande->effet) : avant;
    if (avant.focus != &focus)
        return nomTouche(touche, m) + QStringLiteral(": the focus is elsewhere");
    if (voulu == avant && commande)
        return nomTouche(touche, m) + QStringLiteral(": the test board does not show the command");
    QTest::sendKeyEvent(QTest::Click, w.windowHandle(), Qt::Key(touche), texte(touche, m), m);
    const Etat apres = lire(w);
    // A key that is no command reaches the focused control: Tab moves the focus on.
    if (!commande)
        voulu.focus = apres.focus;
    return apres == voulu ? QString() : nomTouche(touche, m);
}

void TestTouches::seulesLesTouchesDuJeuAgissent_data()
{
    QTest::addColumn<bool>("touchesQt");
    QTest::addColumn<Qt::KeyboardModifiers>("modificateurs");
    QTest::addColumn<bool>("surQuitter"); // the focus on the Quit button, else on the clock box
    for (const bool qt : {true, false})
        for (int bits = 0; bits < 32; ++bits) {
            Qt::KeyboardModifiers m;
            for (int k = 0; k < 4; ++k)
                m.setFlag(Modificateurs[k].first, (bits >> k) & 1);
            QTest::addRow("%s, %s, focus sur %s", qt ? "chaque Qt::Key" : "autres codes",
                          qPrintable(nomModificateurs(m)), bits & 16 ? "Quitter" : "l'horloge")
                    << qt << m << bool(bits & 16);
        }
}

// Only the game's keys act, and each acts the same under any modifiers, whichever control has
// the focus: none clicks Quit or moves the focus.
void TestTouches::seulesLesTouchesDuJeuAgissent()
{
    QFETCH(bool, touchesQt);
    QFETCH(Qt::KeyboardModifiers, modificateurs);
    QFETCH(bool, surQuitter);
    QVERIFY2(activer(*m_w), "the window never became active");
    QWidget &focus = surQuitter ? static_cast<QWidget &>(m_w->Command1()) : m_w->Picture1();

    QList<int> touches;
    if (touchesQt) {
        const QMetaEnum e = QMetaEnum::fromType<Qt::Key>();
        for (int i = 0; i < e.keyCount(); ++i)
            touches << e.value(i);
    } else {
        // Codes that are no Qt::Key: control characters, the virtual-key codes of Enter and
        // Escape read as characters (those of the arrows, 37 to 40, are % & ' ( in Qt and
        // come with the Qt::Key rows), Latin-1 and further Unicode letters, and unassigned
        // codes in Qt's function-key range.
        touches = {0x01,   0x08,    0x09,       0x0A,       0x0D,       0x1B,      0x1F,   0x7F,
                   0x80,   0x9F,    0xA1,       0xC0,       0xE9,       0x152,     0x20AC, 0x4E2D,
                   0xFFFD, 0x1F600, 0x01000100, 0x0100FFFE, 0x01200000, 0x01FFFFFE};
    }

    // A board on which every command changes something: a piece of three colours in the
    // middle of an empty field, with room on both sides and below.
    Jeu depart = m_w->jeu();
    poser(depart, {"...r", "...b", "...p", "", "", ""});

    QStringList fautes;
    for (int touche : touches) {
        // Alt+Q is the Quit button's access key, and Select clicks the focused button: they end
        // the program, as they should.
        if ((touche == Qt::Key_Q && (modificateurs & Qt::AltModifier))
            || (touche == Qt::Key_Select && surQuitter))
            continue;
        const QString faute = essayer(depart, focus, touche, modificateurs);
        if (!faute.isEmpty())
            fautes << faute;
    }
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.mid(0, 20).join(QStringLiteral(", "))));
}

void TestTouches::codesDesTouches_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("duJeu");
    QTest::addColumn<Effet>("effet");
    for (const ToucheDuJeu &t : Touches)
        QTest::newRow(QMetaEnum::fromType<Qt::Key>().valueToKey(t.qt)) << t.code << true << t.effet;
    QTest::newRow("Page precedente: rien") << 33 << false << Effet();
    QTest::newRow("Inser: rien") << 45 << false << Effet();
    QTest::newRow("lettre A: rien") << 65 << false << Effet();
    QTest::newRow("code nul: rien") << 0 << false << Effet();
}

// The key code a window passes for each key, and what the game makes of it.
void TestTouches::codesDesTouches()
{
    QFETCH(int, code);
    QFETCH(bool, duJeu);
    QFETCH(Effet, effet);
    const ToucheJeu *touche = toucheJeu(code);
    QCOMPARE(touche != nullptr, duJeu);
    if (touche)
        QVERIFY(touche->commande == effet);
}

// Keys that are not commands reach the focused control: Alt+Q clicks Quit, Tab moves on.
void TestTouches::autresTouchesPassent()
{
    VorlanFrm &w = *m_w;
    QVERIFY2(activer(w), "the window never became active");
    const QStringList avant = lire(w.jeu());
    QTest::keyClick(w.windowHandle(), Qt::Key_A);
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    QCOMPARE(lire(w.jeu()), avant);
    QCOMPARE(QApplication::focusWidget(), &w.Picture1());
    QSignalSpy clics(&w.Command1(), &QPushButton::clicked);
    // Alt+Q, the button's access key, as the focused control receives it: the program ends.
    const auto fin = executer([&] { QTest::keyClick(&w.Picture1(), Qt::Key_Q, Qt::AltModifier); });
    QVERIFY2(fin, "Alt+Q did not end the event loop within 5 s");
    QCOMPARE(*fin, 0);
    QCOMPARE(clics.count(), 1);
    QVERIFY(!w.isVisible());
}

void TestTouches::repetitionAutomatique()
{
    VorlanFrm &w = *m_w;
    QVERIFY2(activer(w), "the window never became active");
    const int p = w.jeu().Position();
    // An auto-repeated press acts like any other.
    QTest::sendKeyEvent(QTest::Press, w.windowHandle(), Qt::Key_Right, QString(), Qt::NoModifier);
    QKeyEvent repetition(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(w.windowHandle(), &repetition);
    QTest::sendKeyEvent(QTest::Release, w.windowHandle(), Qt::Key_Right, QString(), Qt::NoModifier);
    QCOMPARE(w.jeu().Position(), p + 2);
}

QTEST_MAIN(TestTouches)
#include "tst_touches.moc"
