// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lignecommande.h"

#include <cassert>
#include <string_view>

namespace vl {

namespace {

// Qt takes its options with one dash or two, and so does this reading of them.
bool optionQt(std::string_view argument, std::string_view nom)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    return argument.size() == nom.size() + 1 && argument.front() == '-'
            && argument.substr(1) == nom;
}

} // namespace

LigneCommande::LigneCommande(int argc, const char *const argv[])
{
    assert(argc >= 1);
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (m_demande == Demande::Jouer && (argument == "-h" || argument == "--help"))
            m_demande = Demande::Aide;
        else if (m_demande == Demande::Jouer && (argument == "-v" || argument == "--version"))
            m_demande = Demande::Version;
        else if (optionQt(argument, "platform") && i + 1 < argc)
            m_plateforme = argv[++i];
        else if (optionQt(argument, "display") && i + 1 < argc)
            m_affichage = argv[++i];
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

std::string LigneCommande::refus(const char *argument)
{
    const bool option = argument[0] == '-';
    return std::string("vorlan : ") + (option ? "option inconnue « " : "argument inattendu « ")
            + argument + " »\nSaisissez « vorlan --help » pour plus d'informations.\n";
}

} // namespace vl
