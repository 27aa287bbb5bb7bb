// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the tests of the game window share: scripted draws for start-up, palettes that set the
// four roles the game's desktop colours resolve through, the window as the screen shows it,
// waits with a bound, and FenetreTest, a test class with a new window for each test function.

#include "boiteimage.h"
#include "bouton.h"
#include "cadre.h"
#include "etiquette.h"
#include "plateautest.h"
#include "systeme.h"
#include "tableaucases.h"
#include "touches.h"
#include "visibilite.h"
#include "vorlanfrm.h"
#include "zonetexte.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>
#include <optional>

namespace vl::test {

// The draws still to come, which the tests write down.
inline Tirages g_tirages;

// Draws for start-up: the first piece red, blue, purple in column col, the next piece the same.
// The first spawn only fills the preview: its column is any.
inline void tiragesDeDepart(int col = 4)
{
    g_tirages.suite.clear();
    g_tirages.apparition(1);
    g_tirages.apparition(col);
}

// The application's palette with button face, button text, base and window text replaced.
inline QPalette schema(QColor face, QColor texteBouton, QColor fond, QColor texte)
{
    QPalette p = QApplication::palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Button, face);
        p.setColor(g, QPalette::Window, face);
        p.setColor(g, QPalette::ButtonText, texteBouton);
        p.setColor(g, QPalette::Base, fond);
        p.setColor(g, QPalette::WindowText, texte);
        p.setColor(g, QPalette::Text, texte);
    }
    return p;
}

// Makes w the active window, as the desktop would on a click; false if it did not become so
// within five seconds.
[[nodiscard]] inline bool activer(QWidget &w)
{
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w, 5000);
}

// The window as the screen shows it: what the last repaint that went through left there.
inline QImage ecran(QWidget &w)
{
    return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether the screen comes to show w as w paints itself now within two seconds: a change waits
// a refresh period at most, and a busy machine gets the rest.
[[nodiscard]] inline bool aLEcran(QWidget &w)
{
    return QTest::qWaitFor(
            [&] { return ecran(w) == w.grab().toImage().convertToFormat(QImage::Format_RGB32); },
            2000);
}

// Whether a new game window reaches the screen, and then a change of it. A window that does
// not repaint fails every check of the screen for that one cause: the test programs check
// this first, and stop there.
[[nodiscard]] inline bool repeinte()
{
    tiragesDeDepart();
    VorlanFrm w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w, 5000) || !aLEcran(w))
        return false;
    w.Form_KeyDown(ToucheEntree, 0); // shows the preview
    return aLEcran(w);
}

// The centre of board cell i, in window coordinates.
inline QPoint centreCase(const VorlanFrm &w, int i)
{
    return w.Frame1().geometry().topLeft() + w.lbl().placement(i).enPixels().center();
}

// A control as the window gives it by its name ("Frame1", "lbl", "Label1(12)", "score"), or
// the window itself for any other name: the widget, its place and its text.
struct Controle
{
    QWidget *widget;
    RectTwips place;
    QString texte;
};

inline Controle controle(VorlanFrm &w, const QString &nom)
{
    const int i = nom.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
    const auto etiquette = [](Etiquette &e) {
        return Controle {&e, e.placement(), e.Caption()};
    };
    if (nom == QLatin1String("Frame1"))
        return {&w.Frame1(), w.Frame1().placement(), {}};
    if (nom == QLatin1String("lbl"))
        return {&w.lbl(), {}, {}};
    if (nom.startsWith(QLatin1String("Label1")))
        return etiquette(w.Label1(i));
    if (nom.startsWith(QLatin1String("Label2")))
        return etiquette(w.Label2(i));
    if (nom.startsWith(QLatin1String("Label3")))
        return etiquette(w.Label3(i));
    if (nom == QLatin1String("score"))
        return etiquette(w.score());
    if (nom == QLatin1String("Text1"))
        return {&w.Text1(), w.Text1().placement(), w.Text1().Text()};
    if (nom == QLatin1String("Command1"))
        return {&w.Command1(), w.Command1().placement(), w.Command1().Caption()};
    if (nom == QLatin1String("Picture1"))
        return {&w.Picture1(), w.Picture1().placement(), {}};
    return {&w, {}, w.Caption()};
}

// Runs the application's own event loop with `action` queued: the loop's exit code, or none
// when nothing ended it within five seconds.
inline std::optional<int> executer(const std::function<void()> &action)
{
    QTimer::singleShot(0, qApp, action);
    QObject garde; // its timer goes with it
    bool expire = false;
    QTimer::singleShot(5000, &garde, [&expire] {
        expire = true;
        QCoreApplication::exit();
    });
    const int code = QCoreApplication::exec();
    return expire ? std::nullopt : std::optional(code);
}

// A test of the game window: before each test function a new window, shown, its start-up
// drawn by tiragesDeDepart(4), the clock at 10:08:37 and silent; the message boxes counted,
// and the desktop's view of the window set by exposer(). The program stops at its start when
// a window does not repaint. A test class may extend init and cleanup, calling these.
class FenetreTest : public QObject
{
    Q_OBJECT
protected:
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

protected slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Vorlan"));
        Systeme::doublures().Rnd = std::ref(g_tirages);
        Systeme::doublures().heure = [] {
            return Systeme::Lecture {10, 8, 37, 0};
        };
        Systeme::doublures().Beep = [] {
        };
        Visibilite::remplacerExposition(
                [this](const QWindow &f) { return m_exposee && f.isExposed(); });
        compterBoites();
        QVERIFY2(repeinte(),
                 "a new window's changes never reached the screen: it does not repaint");
    }

    void init()
    {
        tiragesDeDepart(4);
        m_boites = 0;
        m_exposee = true;
        m_w = std::make_unique<VorlanFrm>();
        m_w->show();
        QVERIFY2(QTest::qWaitForWindowExposed(m_w.get(), 5000), "the window was never exposed");
    }

    void cleanup() { m_w.reset(); }
};

} // namespace vl::test
