// Screen readers see every list: a list of items named by their lines, the
// current and selected line among their states, events as the user moves.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "pristupnost_seznamu.h"
#include "seznamy.h"

namespace {

// Events as a screen reader would get them: what happened, to which line, and
// that line's name and state at the time.
struct TUdalost {
    QAccessible::Event Druh;
    int Radek;
    QString Jmeno;
    QAccessible::State Stav;
};

std::vector<TUdalost>* gUdalosti = nullptr;

void zaznamenej(QAccessibleEvent* udalost)
{
    if (gUdalosti == nullptr || udalost->object() == nullptr || !udalost->object()->inherits("TListBox"))
        return;
    QAccessibleInterface* radek = udalost->accessibleInterface();
    gUdalosti->push_back({udalost->type(), udalost->child(), radek ? radek->text(QAccessible::Name) : QString(),
                          radek ? radek->state() : QAccessible::State()});
}

class Pristupnost : public ::testing::Test {
protected:
    void SetUp() override
    {
        gUdalosti = &udalosti;
        predchozi_ = NastavPozorovateleSeznamu(zaznamenej);
        seznam.resize(160, 120);
        seznam.show();
        QApplication::setActiveWindow(&seznam);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&seznam));
    }
    void TearDown() override
    {
        NastavPozorovateleSeznamu(predchozi_);
        gUdalosti = nullptr;
    }

    // Lines "radek 0", "radek 1", ...; `udelano` counts the texts made.
    void napln(int pocet, std::shared_ptr<int> udelano = std::make_shared<int>(0))
    {
        std::vector<int> cisla(static_cast<std::size_t>(pocet));
        for (int i = 0; i < pocet; ++i)
            cisla[static_cast<std::size_t>(i)] = i;
        seznam.NastavRadky<int>(std::move(cisla), [udelano](const int& i, std::size_t nejvic) {
            ++*udelano;
            return ("radek " + std::to_string(i)).substr(0, nejvic);
        });
    }

    QAccessibleInterface* rozhrani() { return QAccessible::queryAccessibleInterface(&seznam); }

    std::vector<TUdalost> udalosti;
    TListBox seznam;

private:
    TPozorovatelSeznamu predchozi_ = nullptr;
};

TEST_F(Pristupnost, AListWhoseItemsAreItsLines)
{
    napln(3);
    QAccessibleInterface* seznamR = rozhrani();
    ASSERT_NE(seznamR, nullptr);
    EXPECT_EQ(seznamR->role(), QAccessible::List);
    EXPECT_EQ(seznamR->childCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* radek = seznamR->child(i);
        ASSERT_NE(radek, nullptr);
        EXPECT_EQ(radek->role(), QAccessible::ListItem);
        EXPECT_EQ(radek->text(QAccessible::Name), seznam.Text(i));
        EXPECT_EQ(radek->parent(), seznamR);
        EXPECT_EQ(seznamR->indexOfChild(radek), i);
        EXPECT_EQ(seznamR->child(i), radek);  // asked again, the same item
        EXPECT_TRUE(radek->state().selectable);
        EXPECT_FALSE(radek->state().selected);
    }
    EXPECT_EQ(seznamR->child(3), nullptr);
    EXPECT_EQ(seznamR->childAt(seznam.viewport()->mapToGlobal(seznam.visualRect(seznam.Index(1)).center()).x(),
                               seznam.viewport()->mapToGlobal(seznam.visualRect(seznam.Index(1)).center()).y()),
              seznamR->child(1));

    // The current line: selected, and focused while the list has the focus.
    seznam.setFocus();
    seznam.VyberRadek(2);
    EXPECT_TRUE(seznamR->child(2)->state().selected);
    EXPECT_TRUE(seznamR->child(2)->state().focused);
    EXPECT_EQ(seznamR->focusChild(), seznamR->child(2));
    QAccessibleTableInterface* tabulka = seznamR->tableInterface();
    ASSERT_NE(tabulka, nullptr);
    EXPECT_EQ(tabulka->rowCount(), 3);
    EXPECT_EQ(tabulka->selectedRows(), QList<int>{2});
    EXPECT_EQ(tabulka->cellAt(2, 0), seznamR->child(2));
    seznam.clearFocus();
    EXPECT_FALSE(seznamR->child(2)->state().focused);
}

TEST_F(Pristupnost, ItemsAreMadeOnlyForTheLinesAskedFor)
{
    auto udelano = std::make_shared<int>(0);
    napln(1000000, udelano);
    QAccessibleInterface* seznamR = rozhrani();
    EXPECT_EQ(seznamR->childCount(), 1000000);
    EXPECT_EQ(seznamR->child(999999)->text(QAccessible::Name), QStringLiteral("radek 999999"));
    EXPECT_LT(*udelano, 1000);
}

TEST_F(Pristupnost, ARefillRetiresTheOldItems)
{
    napln(2);
    QAccessibleInterface* stary = rozhrani()->child(1);
    ASSERT_NE(stary, nullptr);
    const QAccessible::Id id = QAccessible::uniqueId(stary);
    napln(1);
    EXPECT_EQ(rozhrani()->childCount(), 1);
    EXPECT_EQ(rozhrani()->child(1), nullptr);
    // The old item is gone from the registry, not left to answer for a line
    // that is no more.
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST_F(Pristupnost, MovingThroughTheListIsAnnounced)
{
    napln(5);
    rozhrani();
    seznam.setFocus();
    seznam.VyberRadek(0);
    udalosti.clear();
    QTest::keyClick(&seznam, Qt::Key_Down);
    const auto najdi = [this](QAccessible::Event druh) -> const TUdalost* {
        for (const TUdalost& u : udalosti)
            if (u.Druh == druh)
                return &u;
        return nullptr;
    };
    const TUdalost* zamereni = najdi(QAccessible::Focus);
    ASSERT_NE(zamereni, nullptr);
    EXPECT_EQ(zamereni->Radek, 1);
    EXPECT_EQ(zamereni->Jmeno, QStringLiteral("radek 1"));
    EXPECT_TRUE(zamereni->Stav.focused);
    const TUdalost* vyber = najdi(QAccessible::Selection);
    ASSERT_NE(vyber, nullptr);
    EXPECT_EQ(vyber->Radek, 1);
    EXPECT_TRUE(vyber->Stav.selected);
    const TUdalost* zruseni = najdi(QAccessible::SelectionRemove);
    ASSERT_NE(zruseni, nullptr);
    EXPECT_EQ(zruseni->Radek, 0);

    // Coming back to the list tells where it stands.
    seznam.clearFocus();
    udalosti.clear();
    seznam.setFocus(Qt::TabFocusReason);
    ASSERT_NE(najdi(QAccessible::Focus), nullptr);
    EXPECT_EQ(najdi(QAccessible::Focus)->Radek, 1);
}

TEST_F(Pristupnost, ChecksAndChoicesWorkFromTheScreenReader)
{
    std::vector<bool> zaskrtnute{false, true};
    TPravidlaRadku<int> pravidla;
    pravidla.Text = [](const int& i, std::size_t) { return "zasoba " + std::to_string(i); };
    pravidla.Zaskrtnuto = [&zaskrtnute](const int& i) { return zaskrtnute[static_cast<std::size_t>(i)]; };
    seznam.NastavRadky<int>({0, 1}, std::move(pravidla));
    QObject::connect(&seznam, &TListBox::ZaskrtnutiRadku,
                     [&zaskrtnute](int radek, bool ano) { zaskrtnute[static_cast<std::size_t>(radek)] = ano; });
    QSignalSpy kliky(&seznam, &TListBox::Klik);
    QAccessibleInterface* prvni = rozhrani()->child(0);
    EXPECT_TRUE(prvni->state().checkable);
    EXPECT_FALSE(prvni->state().checked);
    EXPECT_TRUE(rozhrani()->child(1)->state().checked);

    udalosti.clear();
    prvni->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(zaskrtnute[0]);
    EXPECT_TRUE(prvni->state().checked);
    ASSERT_FALSE(udalosti.empty());
    EXPECT_EQ(udalosti.back().Druh, QAccessible::StateChanged);
    EXPECT_EQ(udalosti.back().Radek, 0);

    prvni->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(seznam.currentRow(), 0);
    EXPECT_EQ(kliky.count(), 1);
    EXPECT_TRUE(rozhrani()->tableInterface()->selectRow(1));
    EXPECT_EQ(seznam.currentRow(), 1);
    EXPECT_EQ(kliky.count(), 2);
}

} // namespace
