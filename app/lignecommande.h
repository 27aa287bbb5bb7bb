// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace vl {

// The command line as a terminal user expects it, read before Qt exists: -h/--help and
// -v/--version must work without a display, and an argument that is neither the game's nor
// one of Qt's documented options is refused at once, display or not. Qt's own options
// (-platform, -display, -style...) are Qt's to take out of argv when the application is made.
class LigneCommande
{
public:
    enum class Demande { Jouer, Aide, Version, Refus };

    // Reads main's arguments before Qt has seen them; argv[0] is the program's name.
    LigneCommande(int argc, const char *const argv[]);

    // Aide or Version when one of their options is given (the first one given wins), else
    // Refus when an argument is neither the game's nor Qt's, else Jouer.
    Demande demande() const { return m_demande; }
    // The first argument refused, when demande() is Refus; else null.
    const char *refuse() const { return m_refuse; }
    // Whether that argument is a Qt option that lacks its value, the last argument.
    bool valeurManquante() const { return m_valeurManquante; }
    // The value of Qt's -platform option, which overrides QT_QPA_PLATFORM; null when absent.
    const char *plateforme() const { return m_plateforme; }
    // The value of Qt's -display option, which overrides DISPLAY; null when absent.
    const char *affichage() const { return m_affichage; }

    // The usage that --help prints, in lines that each end with a line feed.
    static const char *aide();
    // The line that --version prints: "vorlan " and the release's version, and a line feed.
    static std::string version();
    // The two lines printed for an argument refused: what is wrong with it (an unknown
    // option, an operand, or an option without its value), and where the usage is.
    static std::string refus(const char *argument, bool valeurManquante = false);

private:
    Demande m_demande = Demande::Jouer;
    const char *m_refuse = nullptr;
    bool m_valeurManquante = false;
    const char *m_plateforme = nullptr;
    const char *m_affichage = nullptr;
};

} // namespace vl
