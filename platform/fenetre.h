// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"
#include "rafraichissement.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vl {

// A top-level window laid out in twips: caption, client area, background and foreground
// colour values, a window state that can be set and read, a load event run once before it
// is first shown, and key-down events with key preview (it sees every key press before the
// control that has the focus).
class Fenetre : public QWidget
{
    Q_OBJECT
public:
    enum class Etat { Normal, Minimise, Maximise };
    // Virtual-key codes of the keys a window may act on; every other key has code 0.
    enum Touche {
        ToucheEntree = 13,
        ToucheEchap = 27,
        ToucheEspace = 32,
        ToucheGauche = 37,
        ToucheHaut = 38,
        ToucheDroite = 39,
        ToucheBas = 40
    };
    // Modifier bits of a key event.
    enum Modificateur { Maj = 1, Ctrl = 2, Alt = 4 };

    Fenetre();
    ~Fenetre() override;

    void setCaption(const QString &texte) { setWindowTitle(texte); }
    QString caption() const { return windowTitle(); }
    // Sizes the client area, in twips.
    void setTailleClient(int largeur, int hauteur);
    void setBackColor(Couleur c);
    Couleur BackColor() const { return m_back; }
    void setForeColor(Couleur c) { m_fore = c; }
    Couleur ForeColor() const { return m_fore; }
    void setEtat(Etat e);
    // Minimise whenever the player cannot see the window: reported minimised, shown but not
    // exposed by the desktop, or asked to minimise and not yet hidden and shown again.
    Etat etat() const;
    void setKeyPreview(bool oui) { m_keyPreview = oui; }
    // What holds the window's repaints to the screen's pace.
    Rafraichissement &rafraichissement() { return m_rafraichissement; }
    bool keyPreview() const { return m_keyPreview; }

    // Runs Form_Load unless it has run already. Showing the window does it too.
    void charger();
    void setVisible(bool visible) override;

    // The virtual-key code of a Qt key, or 0 for a key without one.
    static int codeVirtuel(int qtKey);
    // The modifier bits of Qt modifiers.
    static int bitsModificateurs(Qt::KeyboardModifiers m);

    // Ends the program at once: every window closes and the event loop stops.
    static void End();
    // Replaces how a window learns whether the desktop shows it (QWindow::isExposed), for the
    // tests; an empty function restores it.
    static void remplacerExposition(std::function<bool(const QWindow &)> exposee);

protected:
    // The load event.
    virtual void Form_Load() { }
    // A key press that the window previews; returns true when the key was acted on, which
    // keeps it from the focused control.
    virtual bool Form_KeyDown(int KeyCode, int Shift);

    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    // The program's own minimise request: Wayland has no minimised state to report, so the
    // window keeps the request until the desktop has hidden it and shown it again.
    enum class Reduction { Aucune, Demandee, Cachee };
    bool cachee() const;
    // Follows the desktop hiding and showing the window while a request stands.
    void exposition();
    // One step of the wait for the desktop to hide the window; the last one gives up.
    void attente();

    Reduction m_reduction = Reduction::Aucune;
    QTimer m_attente; // the wait for the desktop to hide the window
    QDeadlineTimer m_finAttente;
    Couleur m_back = couleurs::FaceBouton;
    Couleur m_fore = couleurs::TexteBouton;
    QSet<int> m_touchesPrises; // keys whose press was acted on, until they are released
    bool m_keyPreview = false;
    bool m_charge = false;
    Rafraichissement m_rafraichissement {this};
};

} // namespace vl
