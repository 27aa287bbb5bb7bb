// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology sees of the game window, through Qt's accessibility interfaces:
// a French name (and a description where it helps) on every control, the score's value as
// it changes, and the focus going to the clock box first, then to Quit, never to the rules.

#include "fenetretest.h"

#include <QAccessible>
#include <QtTest>

using namespace vl;
using namespace vl::test;

Q_DECLARE_METATYPE(QAccessible::Role)

namespace {

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

class TestAccessibilite : public FenetreTest
{
    Q_OBJECT
private slots:
    void noms_data();
    void noms();
    void chaqueControleANom();
    void legendesLues();
    void focus();
};

void TestAccessibilite::noms_data()
{
    QTest::addColumn<QString>("controle"); // as fenetretest.h's controle() names it
    QTest::addColumn<QString>("nom"); // none: the control's own text
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<bool>("decrit");
    const auto ligne = [](const char *quoi, const char *controle, const char *nom,
                          QAccessible::Role r, bool decrit) {
        QTest::newRow(quoi) << QString::fromLatin1(controle)
                            << (nom ? QString::fromUtf8(nom) : QString()) << r << decrit;
    };
    ligne("la fenetre", "VorlanFrm", nullptr, QAccessible::Client, false);
    ligne("le plateau", "lbl", "Plateau de jeu", QAccessible::Client, true);
    ligne("le cadre du plateau", "Frame1", "Cadre du plateau", QAccessible::Border, false);
    ligne("la fleche gauche", "Label1(0)", "Flèche gauche", QAccessible::StaticText, false);
    ligne("la fleche bas", "Label1(3)", "Flèche bas", QAccessible::StaticText, false);
    ligne("une action lue par son texte", "Label1(6)", nullptr, QAccessible::StaticText, false);
    ligne("l'action a la ligne", "Label1(14)", nullptr, QAccessible::StaticText, false);
    ligne("le titre du score", "Label1(12)", nullptr, QAccessible::StaticText, false);
    ligne("le score", "score", "Score", QAccessible::StaticText, true);
    ligne("l'apercu en haut", "Label2(0)", "Prochaine pièce, en haut", QAccessible::StaticText,
          true);
    ligne("l'apercu en bas", "Label2(2)", "Prochaine pièce, en bas", QAccessible::StaticText, true);
    ligne("la regle", "Text1", "Règle du jeu", QAccessible::EditableText, false);
    ligne("le bouton Quitter", "Command1", "Quitter", QAccessible::Button, true);
    ligne("l'horloge", "Picture1", "Horloge", QAccessible::Client, true);
}

void TestAccessibilite::noms()
{
    QFETCH(QString, controle);
    QFETCH(QString, nom);
    QFETCH(QAccessible::Role, role);
    QFETCH(bool, decrit);
    const Controle c = test::controle(*m_w, controle);
    QAccessibleInterface *i = interfaceDe(*c.widget);
    QVERIFY(i && i->isValid());
    QCOMPARE(i->text(QAccessible::Name), nom.isNull() ? c.texte : nom);
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
    // All of them: the window's children and the frame's.
    QCOMPARE(controles,
             m_w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size()
                     + m_w->Frame1().findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size());
}

// The score reads as its number, under its own name; a label without a name of its own
// reads as its caption.
void TestAccessibilite::legendesLues()
{
    QAccessibleInterface *score = interfaceDe(m_w->score());
    const QString nom = score->text(QAccessible::Name); // its own, checked by noms
    QCOMPARE(score->text(QAccessible::Value), m_w->score().Caption());
    m_w->score().setCaption(QStringLiteral("12"));
    QCOMPARE(score->text(QAccessible::Value), QStringLiteral("12"));
    QCOMPARE(score->text(QAccessible::Name), nom);

    QAccessibleInterface *aide = interfaceDe(m_w->Label1(10));
    QCOMPARE(aide->text(QAccessible::Name), m_w->Label1(10).Caption());
    m_w->Label1(10).setCaption(QStringLiteral("  la patronne  "));
    QCOMPARE(aide->text(QAccessible::Name), QStringLiteral("la patronne"));
    QCOMPARE(aide->text(QAccessible::Value), QStringLiteral("  la patronne  "));
}

// The focus as assistive technology follows it: the clock box first, then Quit; the rules
// box is disabled, and the labels and the board can never take it.
void TestAccessibilite::focus()
{
    VorlanFrm &w = *m_w;
    QVERIFY2(activer(w), "the window never became active");
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
