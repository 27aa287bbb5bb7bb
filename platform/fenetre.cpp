// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fenetre.h"

#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

namespace vl {

namespace {

// Qt learns that a Wayland compositor hid a window only when a frame the window committed
// gets no frame callback, about 100 ms after the commit: while the game waits for its minimise
// request to be honoured, the window commits a frame at each step (one pixel of its own
// background is enough). A desktop that has not hidden it after the last step has ignored
// the request, as sway does.
constexpr int PasAttente = 100; // ms
constexpr int DelaiReduction = 500; // ms

std::function<bool(const QWindow &)> g_exposee;

} // namespace

Fenetre::Fenetre()
    : QWidget(nullptr)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Key preview: the window's own event filter sees key events before any of its controls.
    qApp->installEventFilter(this);
    m_attente.setInterval(PasAttente);
    connect(&m_attente, &QTimer::timeout, this, &Fenetre::attente);
}

Fenetre::~Fenetre()
{
    qApp->removeEventFilter(this);
}

void Fenetre::setTailleClient(int largeur, int hauteur)
{
    resize(enPixels(largeur), enPixels(hauteur));
}

void Fenetre::setBackColor(Couleur c)
{
    m_back = c;
    update();
}

void Fenetre::setEtat(Etat e)
{
    if (e != Etat::Minimise) {
        m_reduction = Reduction::Aucune;
        m_attente.stop();
    }
    switch (e) {
    case Etat::Normal:
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        break;
    case Etat::Minimise:
        setWindowState(windowState() | Qt::WindowMinimized);
        if (m_reduction != Reduction::Aucune)
            break;
        if (cachee()) {
            m_reduction = Reduction::Cachee;
            break;
        }
        m_reduction = Reduction::Demandee;
        m_finAttente.setRemainingTime(DelaiReduction);
        m_attente.start();
        update(QRect(0, 0, 1, 1));
        break;
    case Etat::Maximise:
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        break;
    }
}

Fenetre::Etat Fenetre::etat() const
{
    const Qt::WindowStates s = windowState();
    if (s & Qt::WindowMinimized || m_reduction != Reduction::Aucune || cachee())
        return Etat::Minimise;
    if (s & Qt::WindowMaximized)
        return Etat::Maximise;
    return Etat::Normal;
}

// Shown by the program, but not on screen: minimised, on another workspace, or suspended.
bool Fenetre::cachee() const
{
    const QWindow *w = windowHandle();
    return isVisible() && !(w && (g_exposee ? g_exposee(*w) : w->isExposed()));
}

void Fenetre::exposition()
{
    if (m_reduction == Reduction::Demandee && cachee()) {
        m_reduction = Reduction::Cachee;
        m_attente.stop();
    } else if (m_reduction == Reduction::Cachee && !cachee()) {
        m_reduction = Reduction::Aucune;
    }
}

void Fenetre::attente()
{
    if (!m_finAttente.hasExpired()) {
        update(QRect(0, 0, 1, 1));
        return;
    }
    m_attente.stop();
    m_reduction = Reduction::Aucune;
}

void Fenetre::charger()
{
    if (m_charge)
        return;
    m_charge = true;
    Form_Load();
}

void Fenetre::setVisible(bool visible)
{
    if (visible)
        charger();
    QWidget::setVisible(visible);
}

int Fenetre::codeVirtuel(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ToucheEntree;
    case Qt::Key_Escape:
        return ToucheEchap;
    case Qt::Key_Space:
        return ToucheEspace;
    case Qt::Key_Left:
        return ToucheGauche;
    case Qt::Key_Up:
        return ToucheHaut;
    case Qt::Key_Right:
        return ToucheDroite;
    case Qt::Key_Down:
        return ToucheBas;
    default:
        break;
    }
    // Letters and digits keep their own codes, as virtual keys do.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

int Fenetre::bitsModificateurs(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? Maj : 0) | (m & Qt::ControlModifier ? Ctrl : 0)
            | (m & Qt::AltModifier ? Alt : 0);
}

bool Fenetre::Form_KeyDown(int, int)
{
    return false;
}

void Fenetre::remplacerExposition(std::function<bool(const QWindow &)> exposee)
{
    g_exposee = std::move(exposee);
}

void Fenetre::End()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void Fenetre::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), resoudre(m_back, palette()));
}

void Fenetre::closeEvent(QCloseEvent *e)
{
    e->accept();
    QCoreApplication::exit(0);
}

// Key events reach the window's internal QWindow once, before the focused control: acting
// there is acting exactly once per key, whichever control has the focus.
bool Fenetre::eventFilter(QObject *objet, QEvent *e)
{
    if (objet != windowHandle())
        return false;
    if (e->type() == QEvent::Expose) {
        exposition(); // Qt has already updated isExposed()
        return false;
    }
    if (!m_keyPreview || (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease))
        return false;
    auto *touche = static_cast<QKeyEvent *>(e);
    if (e->type() == QEvent::KeyRelease)
        return touche->isAutoRepeat() ? m_touchesPrises.contains(touche->key())
                                      : m_touchesPrises.remove(touche->key());
    if (Form_KeyDown(codeVirtuel(touche->key()), bitsModificateurs(touche->modifiers()))) {
        m_touchesPrises.insert(touche->key());
        return true;
    }
    return false;
}

} // namespace vl
