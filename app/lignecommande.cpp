// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lignecommande.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <string_view>

namespace vl {

namespace {

using namespace std::string_view_literals;

// Qt's options, as QGuiApplication and QApplication document them: those followed by a value,
// those that stand alone, and those that take theirs after '='. Qt takes each with one dash
// or two.
constexpr std::array OptionsQtAvecValeur
        = {"platform"sv,        "platformpluginpath"sv, "platformtheme"sv, "plugin"sv,
           "qwindowgeometry"sv, "qwindowicon"sv,        "qwindowtitle"sv,  "session"sv,
           "display"sv,         "geometry"sv,           "style"sv,         "stylesheet"sv};
constexpr std::array OptionsQtSeules = {"reverse"sv, "widgetcount"sv};
constexpr std::array OptionsQtEgal = {"style="sv, "stylesheet="sv, "qmljsdebugger="sv};

// The option's name without its dashes, or an empty view when ARGUMENT is not an option.
std::string_view nomOption(std::string_view argument)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    if (argument.size() < 2 || argument.front() != '-')
        return {};
    return argument.substr(1);
}

bool dans(const auto &noms, std::string_view nom)
{
    return std::find(noms.begin(), noms.end(), nom) != noms.end();
}

bool optionQtEgal(std::string_view nom)
{
    return std::any_of(OptionsQtEgal.begin(), OptionsQtEgal.end(),
                       [nom](std::string_view debut) { return nom.starts_with(debut); });
}

} // namespace

LigneCommande::LigneCommande(int argc, const char *const argv[])
{
    assert(argc >= 1);
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::string_view nom = nomOption(argument);
        const bool aide = argument == "-h" || argument == "--help";
        const bool version = argument == "-v" || argument == "--version";
        if (aide || version) {
            if (m_demande != Demande::Aide && m_demande != Demande::Version)
                m_demande = aide ? Demande::Aide : Demande::Version;
        } else if (dans(OptionsQtAvecValeur, nom) && i + 1 < argc) {
            const char *valeur = argv[++i];
            if (nom == "platform")
                m_plateforme = valeur;
            else if (nom == "display")
                m_affichage = valeur;
        } else if (!dans(OptionsQtSeules, nom) && !optionQtEgal(nom) && !m_refuse) {
            m_refuse = argv[i];
            m_valeurManquante = dans(OptionsQtAvecValeur, nom);
            if (m_demande == Demande::Jouer)
                m_demande = Demande::Refus;
        }
    }
}

const char *LigneCommande::aide()
{
    return "Usage : vorlan [OPTION]...\n"
           "Ouvre la fenêtre du jeu : aligner trois pions de même couleur dans un puits muré.\n"
           "\n"
           "  -h, --help      afficher cette aide et quitter\n"
           "  -v, --version   afficher la version et quitter\n"
           "\n"
           "Les options de Qt, comme -platform, -display ou -style, sont aussi acceptées.\n"
           "Les touches sont décrites dans la fenêtre du jeu et dans la page de manuel\n"
           "vorlan(6) : man 6 vorlan\n";
}

std::string LigneCommande::version()
{
    return std::string("vorlan ") + VORLAN_VERSION + '\n';
}

std::string LigneCommande::refus(const char *argument, bool valeurManquante)
{
    std::string raison;
    if (valeurManquante)
        raison = std::string("l'option « ") + argument + " » attend une valeur";
    else if (!nomOption(argument).empty())
        raison = std::string("option inconnue « ") + argument + " »";
    else
        raison = std::string("argument inattendu « ") + argument + " »";
    return "vorlan : " + raison + "\nSaisissez « vorlan --help » pour plus d'informations.\n";
}

} // namespace vl
