// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "vorlanfrm.h"

#include "boiteimage.h"
#include "bouton.h"
#include "cadre.h"
#include "clavier.h"
#include "etiquette.h"
#include "police.h"
#include "systeme.h"
#include "tableaucases.h"
#include "zonetexte.h"

#include <QCloseEvent>

namespace vl {

const QString VorlanFrm::TexteRegles = QStringLiteral("° Aligner 3 pions de même couleurs,\r\n"
                                                      "horizontalement, verticalement  ou\r\n"
                                                      "en diagonale.    Ces pions et ceux \r\n"
                                                      "accolés,  de même couleurs, seront \r\n"
                                                      "éliminés.\r\n");

namespace {
constexpr int LargeurCase = 300;
} // namespace

// The rules' empty and wall colours are the window's own background and foreground.
VorlanFrm::VorlanFrm(QWidget *parent)
    : Fenetre(parent)
    , m_jeu(BackColor(), ForeColor())
{
    creeControles();
    m_jeu.setTirage(&Systeme::Rnd);
    m_jeu.setPerdu([this] { Perdu(); });
    m_Timer1.setTic([this] { Timer1_Timer(); });
}

VorlanFrm::~VorlanFrm() = default;

// The window as laid out at design time, before Form_Load runs.
void VorlanFrm::creeControles()
{
    setCaption(QStringLiteral("Vorlan"));
    setTailleClient(8745, 7650);
    setFont(police(QStringLiteral("Courier New"), 8.25, true));
    setKeyPreview(true);

    m_Frame1 = new Cadre(this);
    m_Frame1->setPlacement({105, 210, 3690, 7260});
    m_Frame1->setAccessibleName(QStringLiteral("Cadre du plateau"));
    m_lbl = new TableauCases(m_Frame1, Jeu::NombreCases);
    m_lbl->setForeColor(couleurs::TexteFenetre);
    m_lbl->setAccessibleName(QStringLiteral("Plateau de jeu"));
    m_lbl->setAccessibleDescription(QStringLiteral(
            "Puits de 8 colonnes sur 20 lignes entouré d'un mur ; la pièce qui tombe "
            "occupe trois cases d'une colonne."));

    creeAide();

    m_score = new Etiquette(this);
    m_score->setForeColor(couleurs::TexteBouton);
    m_score->setBackColor(couleurs::FaceBouton);
    m_score->setAutoSize(true);
    m_score->setPlacement({7770, 2625, 0, 0});
    m_score->setAccessibleName(QStringLiteral("Score"));
    m_score->setAccessibleDescription(
            QStringLiteral("Millisecondes gagnées sur la durée d'un pas depuis le début"));

    const auto creeCase = [this](int left, int top) {
        auto *e = new Etiquette(this);
        e->setBordure(true);
        e->setCaption(QStringLiteral(" "));
        e->setPlacement({left, top, LargeurCase, LargeurCase});
        return e;
    };
    const QString placesApercu[]
            = {QStringLiteral("en haut"), QStringLiteral("au milieu"), QStringLiteral("en bas")};
    for (int i = 0; i < 3; ++i) {
        m_Label2[i] = creeCase(6930, 2205 + 300 * i);
        m_Label2[i]->setAccessibleName(QStringLiteral("Prochaine pièce, ") + placesApercu[i]);
        m_Label2[i]->setAccessibleDescription(
                QStringLiteral("Montrée ou cachée par la touche Entrée"));
    }
    for (int k = 0; k < 7; ++k) {
        m_Label3[k] = creeCase(3990, 4725 + 315 * k);
        m_Label3[k]->setBackColor(m_jeu.Label3(k));
        m_Label3[k]->setAccessibleName(QStringLiteral("Couleur %1 de la palette").arg(k + 1));
    }

    m_Text1 = new ZoneTexte(this);
    m_Text1->setPlacement({4410, 3255, 3795, 1170});
    m_Text1->setText(TexteRegles);
    m_Text1->setEnabled(false);
    m_Text1->setAccessibleName(QStringLiteral("Règle du jeu"));

    m_Command1 = new Bouton(this);
    m_Command1->setPlacement({4620, 4620, 1380, 750});
    m_Command1->setCaption(QStringLiteral("&Quitter"));
    m_Command1->setClick([this] { Command1_Click(); });
    m_Command1->setAccessibleName(QStringLiteral("Quitter"));
    m_Command1->setAccessibleDescription(QStringLiteral("Termine le jeu"));

    m_Picture1 = new BoiteImage(this);
    m_Picture1->setPlacement({6405, 5355, 2200, 2100});
    m_Picture1->setBackColor(couleurs::FondFenetre);
    m_Picture1->setForeColor(couleurs::TexteFenetre);
    m_Picture1->setAccessibleName(QStringLiteral("Horloge"));
    m_Picture1->setAccessibleDescription(
            QStringLiteral("Horloge à aiguilles qui donne l'heure locale"));

    setTabOrder(m_Picture1, m_Command1);
    m_Picture1->setFocus();
}

// The key help, a row for each key of the keyboard table, and the "Score" heading.
void VorlanFrm::creeAide()
{
    // The arrow keys' symbols: the Unicode arrows in a face that has them.
    const QFont fleches = police(QStringLiteral("DejaVu Sans"), 8.25);
    const QFont aide = police(QStringLiteral("Courier New"), 9, true);
    const auto creeEtiquette
            = [this](int indice, const char *texte, RectTwips place, const QFont &f) {
                  auto *e = new Etiquette(this);
                  e->setPolice(f);
                  e->setForeColor(couleurs::TexteFenetre);
                  e->setBackColor(couleurs::FaceBouton);
                  e->setAutoSize(true);
                  e->setWordWrap(place.width > 0);
                  e->setCaption(QString::fromUtf8(texte));
                  e->setPlacement(place);
                  m_Label1.at(indice) = e;
                  return e;
              };
    for (const ToucheJeu &t : Clavier) {
        // A symbol reads as the name of its key; the other labels read as their text.
        Etiquette *touche = creeEtiquette(t.indiceTouche, t.touche, {4095, t.top, 0, 0},
                                          t.nom ? fleches : aide);
        if (t.nom)
            touche->setAccessibleName(QString::fromUtf8(t.nom));
        creeEtiquette(t.indiceAction, t.action, {4935, t.top, t.largeurAction, 0}, aide);
    }
    creeEtiquette(12, "Score", {7770, 2205, 0, 0},
                  police(QStringLiteral("Courier New"), 9, true, true));
}

void VorlanFrm::Form_Load()
{
    Systeme::Randomize();
    m_Horloge1 = std::make_unique<Horloge>();
    m_Horloge1->HorlogeDeb(*m_Picture1, ReglagesHorloge1);

    m_jeu.Demarre();
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        const int rangee = i / Jeu::Colonnes;
        const int colonne = i % Jeu::Colonnes;
        m_lbl->setPlacement(i,
                            {colonne * LargeurCase + 300, (rangee + 1) * LargeurCase, LargeurCase,
                             LargeurCase});
        m_lbl->setBordure(i, !Jeu::estMur(i));
    }
    for (Etiquette *e : m_Label3)
        e->hide();
    miroir();
}

// Each control is only marked for repainting when its value changes, and the timer only moves
// its ticks when its settings change: a key, which changes none of them, leaves the ticks where
// they fall.
void VorlanFrm::miroir()
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        m_lbl->setBackColor(i, m_jeu.lbl(i));
    for (int i = 0; i < 3; ++i) {
        m_Label2[i]->setBackColor(m_jeu.Label2(i));
        m_Label2[i]->setVisible(m_jeu.Montrer() != 0);
    }
    m_score->setCaption(QString::number(m_jeu.score()));
    m_Timer1.setInterval(m_jeu.Interval());
    m_Timer1.setEnabled(m_jeu.Enabled());
}

// A blocked spawn, the rules' timer already off: the window's timer stops before the box opens,
// so that no tick runs under it, and the screen shows the landing that ended the game, without
// waiting for the next refresh.
void VorlanFrm::Perdu()
{
    miroir();
    rafraichissement().peindre();
    Systeme::MsgBox(this, QStringLiteral("Perdu"));
}

void VorlanFrm::Timer1_Timer()
{
    if (etatFenetre() == EtatFenetre::Minimise)
        return;
    m_jeu.Tic();
    miroir();
    m_Horloge1->HorlogeDes(*m_Picture1);
}

void VorlanFrm::Command1_Click()
{
    End();
}

void VorlanFrm::closeEvent(QCloseEvent *e)
{
    e->accept();
    End();
}

bool VorlanFrm::Form_KeyDown(int KeyCode, int)
{
    const ToucheJeu *touche = toucheJeu(KeyCode);
    if (!touche)
        return false;
    if (touche->commande)
        m_jeu.Execute(*touche->commande);
    else
        setEtatFenetre(EtatFenetre::Minimise);
    miroir();
    return true;
}

} // namespace vl
