// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fenetre.h"

#include "peinture.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <utility>

namespace vl {

namespace {

// The key code of a Qt key: its virtual-key code, or 0 for a key without one.
int codeVirtuel(int qtKey)
{
    static constexpr std::pair<int, Touche> Codes[]
            = {{Qt::Key_Return, ToucheEntree}, {Qt::Key_Enter, ToucheEntree},
               {Qt::Key_Escape, ToucheEchap},  {Qt::Key_Space, ToucheEspace},
               {Qt::Key_Left, ToucheGauche},   {Qt::Key_Up, ToucheHaut},
               {Qt::Key_Right, ToucheDroite},  {Qt::Key_Down, ToucheBas}};
    for (const auto &[qt, code] : Codes)
        if (qt == qtKey)
            return code;
    // Letters and digits keep their own codes, as virtual keys do.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

int bitsModificateurs(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? Maj : 0) | (m & Qt::ControlModifier ? Ctrl : 0)
            | (m & Qt::AltModifier ? Alt : 0);
}

} // namespace

Fenetre::Fenetre(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Fenetre::~Fenetre() = default;

void Fenetre::setTailleClient(int largeur, int hauteur)
{
    resize(enPixels(largeur), enPixels(hauteur));
}

void Fenetre::setBackColor(Couleur c)
{
    m_back = c;
    update();
}

void Fenetre::setEtatFenetre(EtatFenetre e)
{
    switch (e) {
    case EtatFenetre::Normal:
        m_visibilite.retirer();
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        break;
    case EtatFenetre::Minimise:
        setWindowState(windowState() | Qt::WindowMinimized);
        m_visibilite.reduire();
        break;
    case EtatFenetre::Maximise:
        m_visibilite.retirer();
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        break;
    }
}

Fenetre::EtatFenetre Fenetre::etatFenetre() const
{
    if (m_visibilite.cachee())
        return EtatFenetre::Minimise;
    return windowState() & Qt::WindowMaximized ? EtatFenetre::Maximise : EtatFenetre::Normal;
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
    // Key preview and the expose events: the window's internal QWindow, which exists once the
    // window has been shown, receives both before any control. (Installing again is harmless.)
    if (visible && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool Fenetre::Form_KeyDown(int, int)
{
    return false;
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

// Key events reach the window's internal QWindow once, before the focused control: acting
// there is acting exactly once per key, whichever control has the focus.
bool Fenetre::eventFilter(QObject *objet, QEvent *e)
{
    if (objet != windowHandle()) // a QWindow of this window's that Qt has since replaced
        return false;
    if (e->type() == QEvent::Expose) {
        m_visibilite.exposition();
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
