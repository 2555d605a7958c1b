// Screen readers see every list: a list of items named by their lines, the
// current and selected line among their states, events as the user moves.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <numeric>
#include <vector>

#include "pristupnost_seznamu.h"
#include "seznamy.h"

namespace {

// An event as a reader would get it: what happened, to which line, and that
// line's name and state then.
struct TUdalost {
    QAccessible::Event Druh;
    int Radek;
    QString Jmeno;
    QAccessible::State Stav;
};
std::vector<TUdalost> gUdalosti;

void zaznamenej(QAccessibleEvent* udalost)
{
    QAccessibleInterface* radek = udalost->accessibleInterface();
    if (radek != nullptr)
        gUdalosti.push_back({udalost->type(), udalost->child(), radek->text(QAccessible::Name), radek->state()});
}

class Pristupnost : public ::testing::Test {
protected:
    void SetUp() override
    {
        gUdalosti.clear();
        NastavPozorovateleSeznamu(zaznamenej);
        seznam.show();
        QApplication::setActiveWindow(&seznam);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&seznam));
        // A million lines, of which only those asked for are made.
        std::vector<int> cisla(1000000);
        std::iota(cisla.begin(), cisla.end(), 0);
        seznam.NastavRadky<int>(std::move(cisla), [this](const int& i, std::size_t nejvic) {
            ++udelano;
            return ("radek " + std::to_string(i)).substr(0, nejvic);
        });
        rozhrani = QAccessible::queryAccessibleInterface(&seznam);
    }
    void TearDown() override { NastavPozorovateleSeznamu(nullptr); }

    // The first event of the kind; with none, one whose every check fails.
    TUdalost udalost(QAccessible::Event druh) const
    {
        for (const TUdalost& u : gUdalosti)
            if (u.Druh == druh)
                return u;
        return {druh, -1, QString(), QAccessible::State()};
    }

    int udelano = 0;
    TListBox seznam;
    QAccessibleInterface* rozhrani = nullptr;
};

TEST_F(Pristupnost, AListWhoseItemsAreItsLines)
{
    ASSERT_NE(rozhrani, nullptr);
    EXPECT_EQ(rozhrani->role(), QAccessible::List);
    EXPECT_EQ(rozhrani->childCount(), 1000000);
    for (const int i : {0, 1, 999999}) {
        QAccessibleInterface* radek = rozhrani->child(i);
        ASSERT_NE(radek, nullptr);
        EXPECT_EQ(radek->role(), QAccessible::ListItem);
        EXPECT_EQ(radek->text(QAccessible::Name), QStringLiteral("radek %1").arg(i));
        EXPECT_EQ(radek->parent(), rozhrani);
        EXPECT_EQ(rozhrani->indexOfChild(radek), i);
        EXPECT_EQ(rozhrani->child(i), radek);
    }
    EXPECT_EQ(rozhrani->child(1000000), nullptr);
    EXPECT_LT(udelano, 1000);
    const QPoint druhy = seznam.viewport()->mapToGlobal(seznam.visualRect(seznam.Index(1)).center());
    EXPECT_EQ(rozhrani->childAt(druhy.x(), druhy.y()), rozhrani->child(1));

    // The current line: selected, and focused while the list has the focus.
    seznam.setFocus();
    seznam.VyberRadek(2);
    EXPECT_TRUE(rozhrani->child(2)->state().selected);
    EXPECT_TRUE(rozhrani->child(2)->state().focused);
    EXPECT_FALSE(rozhrani->child(1)->state().selected);
    EXPECT_EQ(rozhrani->focusChild(), rozhrani->child(2));
    EXPECT_EQ(rozhrani->tableInterface()->selectedRows(), QList<int>{2});
    seznam.clearFocus();
    EXPECT_FALSE(rozhrani->child(2)->state().focused);

    // A refill retires the items of the old lines.
    const QAccessible::Id stary = QAccessible::uniqueId(rozhrani->child(999999));
    seznam.NastavRadky<int>({7}, [](const int&, std::size_t) { return std::string("jiny"); });
    EXPECT_EQ(rozhrani->child(0)->text(QAccessible::Name), QStringLiteral("jiny"));
    EXPECT_EQ(QAccessible::accessibleInterface(stary), nullptr);
}

TEST_F(Pristupnost, MovingChoosingAndTickingAreAnnounced)
{
    seznam.setFocus();
    seznam.VyberRadek(0);
    gUdalosti.clear();
    QTest::keyClick(&seznam, Qt::Key_Down);
    EXPECT_EQ(udalost(QAccessible::Focus).Jmeno, QStringLiteral("radek 1"));
    EXPECT_TRUE(udalost(QAccessible::Focus).Stav.focused);
    EXPECT_TRUE(udalost(QAccessible::Selection).Stav.selected);
    EXPECT_EQ(udalost(QAccessible::SelectionRemove).Radek, 0);
    // Coming back to the list tells where it stands.
    seznam.clearFocus();
    gUdalosti.clear();
    seznam.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(udalost(QAccessible::Focus).Radek, 1);

    // A reader's actions: press chooses a line, toggle ticks its box.
    std::vector<bool> zaskrtnute{false, true};
    TPravidlaRadku<int> pravidla;
    pravidla.Text = [](const int& i, std::size_t) { return "zasoba " + std::to_string(i); };
    pravidla.Zaskrtnuto = [&zaskrtnute](const int& i) { return static_cast<bool>(zaskrtnute[static_cast<std::size_t>(i)]); };
    seznam.NastavRadky<int>({0, 1}, std::move(pravidla));
    QObject::connect(&seznam, &TListBox::ZaskrtnutiRadku,
                     [&zaskrtnute](int radek, bool ano) { zaskrtnute[static_cast<std::size_t>(radek)] = ano; });
    QSignalSpy kliky(&seznam, &TListBox::Klik);
    QAccessibleInterface* prvni = rozhrani->child(0);
    EXPECT_TRUE(prvni->state().checkable);
    EXPECT_TRUE(rozhrani->child(1)->state().checked);
    gUdalosti.clear();
    prvni->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(prvni->state().checked);
    EXPECT_TRUE(udalost(QAccessible::StateChanged).Stav.checked);
    prvni->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(rozhrani->tableInterface()->selectRow(1));
    EXPECT_EQ(seznam.currentRow(), 1);
    EXPECT_EQ(kliky.count(), 2);
}

} // namespace
