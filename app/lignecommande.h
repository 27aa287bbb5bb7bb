// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace vl {

// The command line as a terminal user expects it. -h/--help and -v/--version are answered
// before anything else, for Qt's application needs a display and these must work without
// one. Qt's own options (-platform, -display, -style...) are Qt's: it takes them out of argv
// when the application is made, and whatever it leaves is refused there.
class LigneCommande
{
public:
    enum class Demande { Jouer, Aide, Version };

    // Reads main's arguments before Qt has seen them; argv[0] is the program's name.
    LigneCommande(int argc, const char *const argv[]);

    // Aide or Version when one of their options is given (the first one given wins), else
    // Jouer.
    Demande demande() const { return m_demande; }
    // The value of Qt's -platform option, which overrides QT_QPA_PLATFORM; null when absent.
    const char *plateforme() const { return m_plateforme; }
    // The value of Qt's -display option, which overrides DISPLAY; null when absent.
    const char *affichage() const { return m_affichage; }

    // The usage that --help prints, in lines that each end with a line feed.
    static const char *aide();
    // The line that --version prints: "vorlan " and the release's version, and a line feed.
    static std::string version();
    // The two lines printed for an argument that neither the game nor Qt takes: what is
    // wrong with it, and where the usage is.
    static std::string refus(const char *argument);

private:
    Demande m_demande = Demande::Jouer;
    const char *m_plateforme = nullptr;
    const char *m_affichage = nullptr;
};

} // namespace vl
