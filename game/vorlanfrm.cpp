// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "vorlanfrm.h"

#include "boiteimage.h"
#include "bouton.h"
#include "cadre.h"
#include "etiquette.h"
#include "horloge.h"
#include "police.h"
#include "systeme.h"
#include "tableaucases.h"
#include "zonetexte.h"

namespace vl {

const QString VorlanFrm::TexteRegles = QStringLiteral("° Aligner 3 pions de même couleurs,\r\n"
                                                      "horizontalement, verticalement  ou\r\n"
                                                      "en diagonale.    Ces pions et ceux \r\n"
                                                      "accolés,  de même couleurs, seront \r\n"
                                                      "éliminés.\r\n");

namespace {

constexpr int LargeurCase = 300;

struct LigneAide
{
    int indice;
    int top;
    const char *texte;
};

// The key help: key symbols at Left 4095, their actions at Left 4935.
constexpr LigneAide Touches[]
        = {{0, 315, "←"},       {1, 630, "→"},       {2, 945, "↑"},       {3, 1260, "↓"},
           {4, 1575, "Escape"}, {5, 1890, "Espace"}, {13, 2205, "Entrée"}};
constexpr LigneAide Actions[] = {{6, 315, "Déplacer vers la gauche"},
                                 {7, 630, "Déplacer vers la droite"},
                                 {8, 945, "Décaler les couleurs vers le haut"},
                                 {9, 1260, "Décaler les couleurs vers le bas"},
                                 {10, 1575, "le patron !"},
                                 {11, 1890, "Précipiter la vorlan"},
                                 {14, 2205, "Montrer/Cacher la prochaine pièce"},
                                 {12, 2205, "Score"}};

} // namespace

VorlanFrm::VorlanFrm()
    : m_jeu(couleurs::FaceBouton, couleurs::TexteBouton)
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
    // The rules' empty and wall colours are the window's background and foreground.
    setBackColor(m_jeu.vide());
    setForeColor(m_jeu.mur());
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

    // The arrow keys' symbols: the Unicode arrows in a face that has them.
    const QFont fleches = police(QStringLiteral("DejaVu Sans"), 8.25);
    const QFont aide = police(QStringLiteral("Courier New"), 9, true);
    const auto creeAide = [this](const LigneAide &l, int left, const QFont &f) {
        auto *e = new Etiquette(this);
        e->setPolice(f);
        e->setForeColor(couleurs::TexteFenetre);
        e->setBackColor(couleurs::FaceBouton);
        e->setAutoSize(true);
        e->setCaption(QString::fromUtf8(l.texte));
        e->setPlacement({left, l.top, 0, 0});
        m_Label1.at(l.indice) = e;
    };
    for (const LigneAide &l : Touches)
        creeAide(l, 4095, l.indice < 4 ? fleches : aide);
    for (const LigneAide &l : Actions)
        creeAide(l, l.indice == 12 ? 7770 : 4935, aide);
    // The arrows read as the names of their keys; the other labels read as their text.
    const QString nomsFleches[] = {QStringLiteral("Flèche gauche"), QStringLiteral("Flèche droite"),
                                   QStringLiteral("Flèche haut"), QStringLiteral("Flèche bas")};
    for (int i = 0; i < 4; ++i)
        m_Label1[i]->setAccessibleName(nomsFleches[i]);
    m_Label1[12]->setPolice(police(QStringLiteral("Courier New"), 9, true, true));
    m_Label1[14]->setWordWrap(true);
    m_Label1[14]->setPlacement({4935, 2205, 1995, 0});

    m_score = new Etiquette(this);
    m_score->setForeColor(couleurs::TexteBouton);
    m_score->setBackColor(couleurs::FaceBouton);
    m_score->setAutoSize(true);
    m_score->setCaption(QStringLiteral("0"));
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
        m_Label3[k]->setBackColor(Jeu::Palette.at(k));
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

void VorlanFrm::Form_Load()
{
    Systeme::Randomize();
    m_Horloge1 = std::make_unique<Horloge>();
    m_Horloge1->HorlogeDeb(*m_Picture1, 0x0000FFFF, 0, 2, 0x00FF0000, 3, 0x000000FF, 0, 0, 2,
                           0x0000FF00, 0, 3, 0x00FF0000, 0, 4, 0x000000FF);
    m_jeu.RemplitDirection();

    m_jeu.PrepareTableau();
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        const int ligne = i / Jeu::Colonnes;
        const int colonne = i % Jeu::Colonnes;
        m_lbl->setPlacement(
                i,
                {colonne * LargeurCase + 300, (ligne + 1) * LargeurCase, LargeurCase, LargeurCase});
        m_lbl->setBordure(i, m_jeu.lbl(i) != m_jeu.mur());
    }

    m_jeu.VideApercu();
    for (Etiquette *e : m_Label2)
        e->hide();
    for (Etiquette *e : m_Label3)
        e->hide();
    miroir();

    m_jeu.NouvellePiece();
    m_jeu.NouvellePiece();
    miroir();

    m_jeu.DemarreTimer();
    m_Timer1.setInterval(m_jeu.Interval());
    m_Timer1.setEnabled(m_jeu.Enabled());
}

void VorlanFrm::miroir()
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        m_lbl->setBackColor(i, m_jeu.lbl(i));
    for (int i = 0; i < 3; ++i) {
        m_Label2[i]->setBackColor(m_jeu.Label2(i));
        m_Label2[i]->setVisible(m_jeu.Montrer() != 0);
    }
}

// A blocked spawn: the timer stops before the box opens, so that no tick runs under it, and the
// screen shows the landing that ended the game, without waiting for the next refresh.
void VorlanFrm::Perdu()
{
    m_Timer1.setEnabled(false);
    miroir();
    rafraichissement().peindre();
    Systeme::MsgBox(this, QStringLiteral("Perdu"));
}

void VorlanFrm::Timer1_Timer()
{
    if (etat() == Etat::Minimise)
        return;
    m_jeu.Tic();
    m_Timer1.setInterval(m_jeu.Interval());
    m_Timer1.setEnabled(m_jeu.Enabled());
    m_score->setCaption(QString::number(m_jeu.score()));
    miroir();
    m_Horloge1->HorlogeDes(*m_Picture1);
}

void VorlanFrm::Command1_Click()
{
    End();
}

bool VorlanFrm::Form_KeyDown(int KeyCode, int)
{
    const Jeu::Commande c = Jeu::commande(KeyCode);
    if (c == Jeu::Commande::Aucune)
        return false;
    if (c == Jeu::Commande::Minimise)
        setEtat(Etat::Minimise);
    else
        m_jeu.Execute(c);
    miroir();
    return true;
}

} // namespace vl
