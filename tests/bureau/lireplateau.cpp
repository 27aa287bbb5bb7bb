// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads the playing field from a screenshot of the game window's client area (583 x 510
// logical pixels, 15 twips per pixel, times the scale factor) and prints it as 20 rows of 8
// characters, top row first: the letter of a piece colour (R red, B blue, P purple, J yellow,
// V green, O orange, F dark red) or '.' for anything else. With --traits it then prints,
// for each of the 20 rows and then each of the 8 columns of the field, the lengths of the
// runs of dark pixels (cell borders) along the line through the cells' middle, from the
// first cell's outer edge to the last one's. Exit status 1 when the image cannot be read or
// has another size.
//
// lireplateau [--echelle FACTEUR] [--traits] CAPTURE.png

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdio>

namespace {

constexpr std::array<std::pair<QRgb, char>, 7> Palette = {{
        {0xFFFF0000, 'R'},
        {0xFF0000FF, 'B'},
        {0xFF800080, 'P'},
        {0xFFFFFF00, 'J'},
        {0xFF00C000, 'V'},
        {0xFFFF8000, 'O'},
        {0xFF400000, 'F'},
}};

char lettre(QRgb c)
{
    for (const auto &[valeur, l] : Palette)
        if (valeur == (c | 0xFF000000))
            return l;
    return '.';
}

bool sombre(QRgb c)
{
    return qRed(c) < 0x30 && qGreen(c) < 0x30 && qBlue(c) < 0x30;
}

// Left (or top) edge, in logical pixels, of the field's cell k (1 to 8 across, 1 to 20 down):
// the frame at 105 (210) twips, the cell at k * 300 + 300 within it.
int bord(int origine, int k)
{
    return (origine + k * 300 + 300) / 15;
}

} // namespace

int main(int argc, char *argv[])
{
    int echelle = 1;
    bool traits = false;
    QString fichier;
    const QStringList args = QStringList(argv + 1, argv + argc);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--echelle") && i + 1 < args.size())
            echelle = args[++i].toInt();
        else if (args[i] == QLatin1String("--traits"))
            traits = true;
        else
            fichier = args[i];
    }
    if (fichier.isEmpty() || echelle < 1) {
        std::fprintf(stderr, "usage: lireplateau [--echelle FACTEUR] [--traits] CAPTURE.png\n");
        return 1;
    }
    const QImage image(fichier);
    if (image.size() != QSize(583, 510) * echelle) {
        std::fprintf(stderr, "lireplateau: %s is not a %d x %d capture\n", qPrintable(fichier),
                     583 * echelle, 510 * echelle);
        return 1;
    }
    const auto pixel = [&](int x, int y) {
        return image.pixel(x, y);
    };
    for (int ligne = 1; ligne <= 20; ++ligne) {
        char rang[9] = {};
        for (int colonne = 1; colonne <= 8; ++colonne)
            rang[colonne - 1] = lettre(
                    pixel((bord(105, colonne) + 10) * echelle, (bord(210, ligne) + 10) * echelle));
        std::printf("%s\n", rang);
    }
    if (!traits)
        return 0;
    // The runs along one line of pixels, given its fixed coordinate and its span.
    const auto courses = [&](bool horizontale, int fixe, int debut, int fin) {
        QStringList longueurs;
        int n = 0;
        for (int k = debut; k <= fin; ++k) {
            if (sombre(horizontale ? pixel(k, fixe) : pixel(fixe, k))) {
                ++n;
            } else if (n > 0) {
                longueurs << QString::number(n);
                n = 0;
            }
        }
        if (n > 0)
            longueurs << QString::number(n);
        std::printf("%s\n", qPrintable(longueurs.join(QLatin1Char(' '))));
    };
    for (int ligne = 1; ligne <= 20; ++ligne)
        courses(true, (bord(210, ligne) + 10) * echelle, bord(105, 1) * echelle,
                bord(105, 9) * echelle - 1);
    for (int colonne = 1; colonne <= 8; ++colonne)
        courses(false, (bord(105, colonne) + 10) * echelle, bord(210, 1) * echelle,
                bord(210, 21) * echelle - 1);
    return 0;
}
