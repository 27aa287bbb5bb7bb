// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology sees of the game window, through Qt's accessibility interfaces:
// a French name (and a description where it helps) on every control, the score's value as
// it changes, and the focus going to the clock box first, then to Quit, never to the rules.

#include "boiteimage.h"
#include "bouton.h"
#include "cadre.h"
#include "demarragetest.h"
#include "etiquette.h"
#include "systeme.h"
#include "tableaucases.h"
#include "vorlanfrm.h"
#include "zonetexte.h"

#include <QAccessible>
#include <QApplication>
#include <QWindow>
#include <QtTest>

using namespace vl;

Q_DECLARE_METATYPE(QAccessible::Role)

namespace {

using Acces = std::function<QWidget &(VorlanFrm &)>;

QAccessibleInterface *interfaceDe(QWidget &w)
{
    return QAccessible::queryAccessibleInterface(&w);
}

// Every interface below i, depth first.
void descendants(QAccessibleInterface *i, QList<QAccessibleInterface *> &tous)
{
    for (int k = 0; k < i->childCount(); ++k) {
        QAccessibleInterface *enfant = i->child(k);
        tous << enfant;
        descendants(enfant, tous);
    }
}

} // namespace

Q_DECLARE_METATYPE(Acces)

class TestAccessibilite : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noms_data();
    void noms();
    void chaqueControleANom();
    void legendesLues();
    void focus();

private:
    std::unique_ptr<VorlanFrm> m_w;
};

void TestAccessibilite::initTestCase()
{
    Systeme::doublures().Rnd = [] {
        return 0.25f;
    };
}

void TestAccessibilite::init()
{
    m_w = std::make_unique<VorlanFrm>();
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
}

void TestAccessibilite::cleanup()
{
    m_w.reset();
}

void TestAccessibilite::noms_data()
{
    QTest::addColumn<Acces>("controle");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<bool>("decrit");

    const auto ligne
            = [](const char *quoi, Acces a, const char *nom, QAccessible::Role r, bool decrit) {
                  QTest::newRow(quoi) << a << QString::fromUtf8(nom) << r << decrit;
              };
    ligne(
            "la fenetre", [](VorlanFrm &w) -> QWidget & { return w; }, "Vorlan",
            QAccessible::Client, false);
    ligne(
            "le plateau", [](VorlanFrm &w) -> QWidget & { return w.lbl(); }, "Plateau de jeu",
            QAccessible::Client, true);
    ligne(
            "le cadre du plateau", [](VorlanFrm &w) -> QWidget & { return w.Frame1(); },
            "Cadre du plateau", QAccessible::Border, false);
    ligne(
            "la fleche gauche", [](VorlanFrm &w) -> QWidget & { return w.Label1(0); },
            "Flèche gauche", QAccessible::StaticText, false);
    ligne(
            "la fleche bas", [](VorlanFrm &w) -> QWidget & { return w.Label1(3); }, "Flèche bas",
            QAccessible::StaticText, false);
    ligne(
            "une action lue par son texte", [](VorlanFrm &w) -> QWidget & { return w.Label1(6); },
            "Déplacer vers la gauche", QAccessible::StaticText, false);
    ligne(
            "l'action a la ligne", [](VorlanFrm &w) -> QWidget & { return w.Label1(14); },
            "Montrer/Cacher la prochaine pièce", QAccessible::StaticText, false);
    ligne(
            "le titre du score", [](VorlanFrm &w) -> QWidget & { return w.Label1(12); }, "Score",
            QAccessible::StaticText, false);
    ligne(
            "le score", [](VorlanFrm &w) -> QWidget & { return w.score(); }, "Score",
            QAccessible::StaticText, true);
    ligne(
            "l'apercu en haut", [](VorlanFrm &w) -> QWidget & { return w.Label2(0); },
            "Prochaine pièce, en haut", QAccessible::StaticText, true);
    ligne(
            "l'apercu en bas", [](VorlanFrm &w) -> QWidget & { return w.Label2(2); },
            "Prochaine pièce, en bas", QAccessible::StaticText, true);
    ligne(
            "la regle", [](VorlanFrm &w) -> QWidget & { return w.Text1(); }, "Règle du jeu",
            QAccessible::EditableText, false);
    ligne(
            "le bouton Quitter", [](VorlanFrm &w) -> QWidget & { return w.Command1(); }, "Quitter",
            QAccessible::Button, true);
    ligne(
            "l'horloge", [](VorlanFrm &w) -> QWidget & { return w.Picture1(); }, "Horloge",
            QAccessible::Client, true);
}

void TestAccessibilite::noms()
{
    QFETCH(Acces, controle);
    QFETCH(QString, nom);
    QFETCH(QAccessible::Role, role);
    QFETCH(bool, decrit);
    QAccessibleInterface *i = interfaceDe(controle(*m_w));
    QVERIFY(i && i->isValid());
    QCOMPARE(i->text(QAccessible::Name), nom);
    QCOMPARE(i->role(), role);
    QCOMPARE(!i->text(QAccessible::Description).isEmpty(), decrit);
}

// Every control of the window and of the board's frame, shown or hidden, has a name.
void TestAccessibilite::chaqueControleANom()
{
    QAccessibleInterface *fenetre = interfaceDe(*m_w);
    QList<QAccessibleInterface *> tous;
    descendants(fenetre, tous);
    // The rules box's own parts (its viewport, its scroll bars) are read through the box.
    int controles = 0;
    for (QAccessibleInterface *i : tous) {
        QWidget *w = qobject_cast<QWidget *>(i->object());
        if (!w || (w->parentWidget() != m_w.get() && w->parentWidget() != &m_w->Frame1()))
            continue;
        ++controles;
        QVERIFY2(!i->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
    }
    // Frame1 and the board, 15 key-help labels, the score, 3 + 7 swatches, the rules, Quit
    // and the clock.
    QCOMPARE(controles, 2 + 15 + 1 + 10 + 3);
}

// The score reads as its number, under its own name; a label without a name of its own
// reads as its caption.
void TestAccessibilite::legendesLues()
{
    QAccessibleInterface *score = interfaceDe(m_w->score());
    QCOMPARE(score->text(QAccessible::Value), QStringLiteral("0"));
    m_w->score().setCaption(QStringLiteral("12"));
    QCOMPARE(score->text(QAccessible::Value), QStringLiteral("12"));
    QCOMPARE(score->text(QAccessible::Name), QStringLiteral("Score"));

    QAccessibleInterface *aide = interfaceDe(m_w->Label1(10));
    QCOMPARE(aide->text(QAccessible::Name), QStringLiteral("le patron !"));
    m_w->Label1(10).setCaption(QStringLiteral("  la patronne  "));
    QCOMPARE(aide->text(QAccessible::Name), QStringLiteral("la patronne"));
    QCOMPARE(aide->text(QAccessible::Value), QStringLiteral("  la patronne  "));
}

// The focus as assistive technology follows it: the clock box first, then Quit; the rules
// box is disabled, and the labels and the board can never take it.
void TestAccessibilite::focus()
{
    VorlanFrm &w = *m_w;
    QVERIFY(test::activer(w));
    QAccessibleInterface *fenetre = interfaceDe(w);
    QCOMPARE(fenetre->focusChild(), interfaceDe(w.Picture1()));
    QVERIFY(interfaceDe(w.Picture1())->state().focused);
    QVERIFY(interfaceDe(w.Picture1())->state().focusable);
    QVERIFY(interfaceDe(w.Command1())->state().focusable);
    QVERIFY(interfaceDe(w.Text1())->state().disabled);
    for (QWidget *nonFocus : std::initializer_list<QWidget *> {&w.lbl(), &w.score(), &w.Label1(6),
                                                               &w.Label2(0), &w.Frame1()})
        QVERIFY2(!interfaceDe(*nonFocus)->state().focusable, nonFocus->metaObject()->className());

    QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
    QCOMPARE(fenetre->focusChild(), interfaceDe(w.Command1()));
    QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
    QCOMPARE(fenetre->focusChild(), interfaceDe(w.Picture1()));
    QTest::keyClick(w.windowHandle(), Qt::Key_Backtab);
    QCOMPARE(fenetre->focusChild(), interfaceDe(w.Command1()));
}

QTEST_MAIN(TestAccessibilite)
#include "tst_accessibilite.moc"
