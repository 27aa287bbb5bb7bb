// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fenetre.h"
#include "horloge.h"
#include "jeu.h"
#include "minuterie.h"

#include <array>
#include <memory>

namespace vl {

class BoiteImage;
class Bouton;
class Cadre;
class Etiquette;
class TableauCases;
class ZoneTexte;

// The game window: the board, key help, rules, score, preview, Quit button and clock box at
// their fixed places. It runs the rules of Jeu on its timer and keyboard and mirrors their
// state into its controls. It is the program's main window: closing it ends the program.
class VorlanFrm : public Fenetre
{
    Q_OBJECT
public:
    // The window as laid out, before Form_Load starts the game; a parent, if given, owns it.
    explicit VorlanFrm(QWidget *parent = nullptr);
    ~VorlanFrm() override;

    // The timer's tick: nothing while minimised; otherwise one step of the game, then the
    // speed, the score and the clock.
    void Timer1_Timer();
    // Quit: ends the program at once.
    void Command1_Click();
    // Runs what the key of KeyCode does (clavier.h); true when it was one of the game's. Shift
    // is not read: a key does the same with any modifiers.
    bool Form_KeyDown(int KeyCode, int Shift) override;

    // The clock's settings: a yellow dial, blue minute and red hour marks, a green second,
    // blue minute and red hour hand; the radius and the hands' lengths are the clock's own.
    static constexpr Horloge::Reglages ReglagesHorloge1 = {
            .CouleurCercle = rgb(255, 255, 0),
            .TicTac = 0, // the second hand drawn, no beep
            .TailleRepereMinutes = 2,
            .CouleurRepereMinutes = rgb(0, 0, 255),
            .TailleRepereHeures = 3,
            .CouleurRepereHeures = rgb(255, 0, 0),
            .LongueurRayon = 0,
            .LongueurAiguilleSecondes = 0,
            .TailleAiguilleSecondes = 2,
            .CouleurAiguilleSecondes = rgb(0, 255, 0),
            .LongueurAiguilleMinutes = 0,
            .TailleAiguilleMinutes = 3,
            .CouleurAiguilleMinutes = rgb(0, 0, 255),
            .LongueurAiguilleHeures = 0,
            .TailleAiguilleHeures = 4,
            .CouleurAiguilleHeures = rgb(255, 0, 0),
    };

    // The rules and the controls that show them, by their names.
    const Jeu &jeu() const { return m_jeu; }
    Jeu &jeu() { return m_jeu; }
    Cadre &Frame1() const { return *m_Frame1; }
    TableauCases &lbl() const { return *m_lbl; }
    Etiquette &Label1(int i) const { return *m_Label1.at(i); }
    Etiquette &Label2(int i) const { return *m_Label2.at(i); }
    Etiquette &Label3(int k) const { return *m_Label3.at(k); }
    Etiquette &score() const { return *m_score; }
    ZoneTexte &Text1() const { return *m_Text1; }
    Bouton &Command1() const { return *m_Command1; }
    BoiteImage &Picture1() const { return *m_Picture1; }
    const Minuterie &Timer1() const { return m_Timer1; }
    const Horloge *Horloge1() const { return m_Horloge1.get(); }
    Horloge *Horloge1() { return m_Horloge1.get(); }
    // Brings the controls in line with the rules: the board, the preview, the score caption,
    // and the timer's interval and switch. Start-up, the tick, a key and the loss call it, and
    // nothing else copies the rules' state.
    void miroir();

    // The rules text that Text1 shows: five lines, each ended by a carriage return and a line
    // feed.
    static const QString TexteRegles;

protected:
    void Form_Load() override;
    void closeEvent(QCloseEvent *e) override;

private:
    void creeControles();
    void creeAide();
    void Perdu();

    Jeu m_jeu;
    Minuterie m_Timer1;
    std::unique_ptr<Horloge> m_Horloge1;
    Cadre *m_Frame1 = nullptr;
    TableauCases *m_lbl = nullptr;
    std::array<Etiquette *, 15> m_Label1 {};
    std::array<Etiquette *, 3> m_Label2 {};
    std::array<Etiquette *, 7> m_Label3 {};
    Etiquette *m_score = nullptr;
    ZoneTexte *m_Text1 = nullptr;
    Bouton *m_Command1 = nullptr;
    BoiteImage *m_Picture1 = nullptr;
};

} // namespace vl
