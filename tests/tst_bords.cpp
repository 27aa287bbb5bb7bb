// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ending the program while the "Perdu" box is open, offscreen: the window closed from inside
// the box's own event loop, or every window closed at once as a session ends, stops the
// program's event loop with status 0, and the box, the window and the game's timer are all
// gone or stopped afterwards.

#include "systeme.h"
#include "vorlanfrm.h"

#include <QApplication>
#include <QMessageBox>
#include <QtTest>

using namespace vl;

class TestBords : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fermetureSousPerdu_data();
    void fermetureSousPerdu();
};

void TestBords::initTestCase()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlan"));
    Systeme::doublures().Rnd = [] {
        return 0.5f;
    };
    Systeme::doublures().MsgBox = {};
}

void TestBords::fermetureSousPerdu_data()
{
    QTest::addColumn<bool>("toutes");
    QTest::newRow("la fenetre fermee pendant Perdu") << false;
    QTest::newRow("toutes les fenetres fermees pendant Perdu") << true;
}

void TestBords::fermetureSousPerdu()
{
    QFETCH(bool, toutes);
    auto w = std::make_unique<VorlanFrm>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    // Rows 4 to 20 full, with no line of three anywhere, and the piece in rows 1 to 3 of
    // column 1: the next tick lands it and no new piece can come in.
    Jeu &jeu = w->jeu();
    for (int ligne = 1; ligne <= 20; ++ligne)
        for (int colonne = 1; colonne <= 8; ++colonne)
            jeu.setLbl(ligne * 10 + colonne,
                       ligne < 4 ? jeu.vide() : Jeu::Palette.at((ligne + 2 * colonne) % 5));
    for (int i = 0; i < 3; ++i)
        jeu.setLbl(11 + 10 * i, Jeu::Palette.at(5 + i % 2));
    jeu.setPosition(11);
    w->miroir();

    QString texteVu;
    bool tictacPendantBoite = true;
    QTimer::singleShot(0, w.get(), [&] { w->Timer1_Timer(); });
    QTimer::singleShot(200, w.get(), [&] {
        if (auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            texteVu = boite->text();
        tictacPendantBoite = w->Timer1().Enabled();
        if (toutes)
            QApplication::closeAllWindows();
        else
            w->close();
    });
    QTimer garde;
    garde.setSingleShot(true);
    connect(&garde, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    garde.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);

    QCOMPARE(texteVu, QStringLiteral("Perdu"));
    QVERIFY(!tictacPendantBoite);
    QVERIFY(!w->Timer1().Enabled());
    QVERIFY(!w->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (QWidget *fenetre : QApplication::topLevelWidgets())
        QVERIFY2(!fenetre->isVisible(), fenetre->metaObject()->className());
    w.reset();
}

QTEST_MAIN(TestBords)
#include "tst_bords.moc"
