// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"
#include "rafraichissement.h"
#include "touches.h"
#include "visibilite.h"

#include <QSet>
#include <QWidget>

namespace vl {

// A top-level window laid out in twips: caption, client area, background and foreground
// colour values, a window state that can be set and read, a load event run once before it
// is first shown, and key-down events with key preview (it sees every key press before the
// control that has the focus), carrying a key code of touches.h and its modifier bits.
class Fenetre : public QWidget
{
    Q_OBJECT
public:
    // The desktop's three window states. The game only minimises its window and asks whether
    // it is minimised; maximised is there for any other window.
    enum class EtatFenetre { Normal, Minimise, Maximise };

    // A window of its own on the desktop, whether or not a parent owns it.
    explicit Fenetre(QWidget *parent = nullptr);
    ~Fenetre() override;

    void setCaption(const QString &texte) { setWindowTitle(texte); }
    QString Caption() const { return windowTitle(); }
    // Sizes the client area, in twips.
    void setTailleClient(int largeur, int hauteur);
    void setBackColor(Couleur c);
    Couleur BackColor() const { return m_back; }
    // The foreground colour value, kept for whoever reads it; the window paints only its
    // background.
    void setForeColor(Couleur c) { m_fore = c; }
    Couleur ForeColor() const { return m_fore; }
    void setEtatFenetre(EtatFenetre e);
    // Minimise whenever the player cannot see the window (see Visibilite).
    EtatFenetre etatFenetre() const;
    void setKeyPreview(bool oui) { m_keyPreview = oui; }
    bool KeyPreview() const { return m_keyPreview; }
    // What holds the window's repaints to the screen's pace.
    Rafraichissement &rafraichissement() { return m_rafraichissement; }

    // Runs Form_Load unless it has run already. Showing the window does it too.
    void charger();
    void setVisible(bool visible) override;

    // Ends the program at once: every window closes and the event loop stops.
    static void End();

protected:
    // The load event.
    virtual void Form_Load() { }
    // A key press that the window previews, with the modifier bits of touches.h in Shift;
    // returns true when the key was acted on, which keeps it from the focused control.
    virtual bool Form_KeyDown(int KeyCode, int Shift);

    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    Visibilite m_visibilite {*this};
    Couleur m_back = couleurs::FaceBouton;
    Couleur m_fore = couleurs::TexteBouton;
    QSet<int> m_touchesPrises; // keys whose press was acted on, until they are released
    bool m_keyPreview = false;
    bool m_charge = false;
    Rafraichissement m_rafraichissement {this};
};

} // namespace vl
