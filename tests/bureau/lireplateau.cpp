// Reads the playing field from a screenshot of the game window's client area (583 x 510
// pixels, 15 twips per pixel) and prints it as 20 rows of 8 characters, top row first: the
// letter of a piece colour (R red, B blue, P purple, J yellow, V green, O orange, F dark red)
// or '.' for anything else. Exit status 1 when the image cannot be read or has another size.
//
// lireplateau CAPTURE.png

#include <QImage>
#include <QString>

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

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lireplateau CAPTURE.png\n");
        return 1;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.size() != QSize(583, 510)) {
        std::fprintf(stderr, "lireplateau: %s is not a 583 x 510 capture\n", argv[1]);
        return 1;
    }
    // The centre of cell (ligne, colonne): the frame at (105, 210) twips, the cell at
    // (colonne * 300 + 300, (ligne + 1) * 300) within it, 300 twips square.
    for (int ligne = 1; ligne <= 20; ++ligne) {
        char rang[9] = {};
        for (int colonne = 1; colonne <= 8; ++colonne)
            rang[colonne - 1] = lettre(
                    image.pixel((105 + colonne * 300 + 450) / 15, (210 + ligne * 300 + 450) / 15));
        std::printf("%s\n", rang);
    }
    return 0;
}
