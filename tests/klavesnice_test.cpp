// The window with the keyboard alone and through a screen reader's eyes:
// every control named, Tab reaching every one, the keys that act.
#include <gmock/gmock.h>

#include <QRadioButton>
#include <QTest>
#include <set>

#include "okno_support.h"
#include "pristupnost_seznamu.h"
#include "tisk.h"

namespace {

std::vector<std::pair<int, QString>> gOhlasy;  // (line, what it now says)

class Klavesnice : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu(W("Alfa\tJed\tOheň\tVoda\t\t pozn\nBeta\tOheň\tJed\t\t\t[T]\n"
                       "Gama\tVoda\t\tJed\t\t[B] " + std::string(80, 'm') + "\nDelta\tOheň\tVzduch\t\t\t\n"));
        QApplication::setActiveWindow(okno.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
        gOhlasy.clear();
        NastavPozorovateleSeznamu([](QAccessibleEvent* u) {
            if (u->type() == QAccessible::DescriptionChanged)
                gOhlasy.emplace_back(u->child(), u->accessibleInterface()->text(QAccessible::Description));
        });
        // Every control shown: an effect chosen, Alfa and Beta in the potion,
        // Gama with its long note selected.
        f().Tefekty->ZvolRadek(f().Tefekty->RadekSOdkazem(&Efekt(seznam(), W("Jed"))));
        tvorba().NahrajLektvar({&Prisada(seznam(), "Alfa"), &Prisada(seznam(), "Beta"), nullptr, nullptr});
        f().Tprisady->ZvolRadek(f().Tprisady->RadekSOdkazem(&Prisada(seznam(), "Gama")));
    }
    void TearDown() override { NastavPozorovateleSeznamu(nullptr); OknoTest::TearDown(); }
    void stiskni(Qt::Key klavesa, Qt::KeyboardModifiers s = {}) { QTest::keyClick(QApplication::focusWidget(), klavesa, s); }
};

class Stranky : public Klavesnice, public ::testing::WithParamInterface<int> {};

// Every control shown on the page has a name, its own with its description;
// Tab from its first control reaches every button and every other control
// that takes the focus (of radio buttons the checked one: arrows move on).
TEST_P(Stranky, EveryControlIsNamedAndTabReachesIt)
{
    QWidget* stranka = f().Pages->widget(GetParam());
    f().Pages->setCurrentWidget(stranka);
    std::set<std::pair<QString, QString>> nazvy;
    std::vector<QWidget*> zaostritelne;
    for (QWidget* w : stranka->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || !w->isVisibleTo(stranka))
            continue;
        QAccessibleInterface* rozhrani = QAccessible::queryAccessibleInterface(w);
        const QString jmeno = rozhrani->text(QAccessible::Name);
        EXPECT_FALSE(jmeno.trimmed().isEmpty()) << w->objectName().toStdString();
        EXPECT_EQ(jmeno, w->accessibleName().isEmpty() ? jmeno : w->accessibleName()) << jmeno.toStdString();
        EXPECT_TRUE(nazvy.emplace(jmeno.trimmed(), rozhrani->text(QAccessible::Description)).second)
            << jmeno.toStdString();
        if ((qobject_cast<QAbstractButton*>(w) || (w->focusPolicy() & Qt::TabFocus)) && w->isEnabled() &&
            !qobject_cast<QRadioButton*>(w))
            zaostritelne.push_back(w);
    }
    ASSERT_FALSE(zaostritelne.empty());
    zaostritelne.front()->setFocus(Qt::TabFocusReason);
    std::set<QWidget*> dosazene;
    for (int i = 0; i < 60 && dosazene.insert(QApplication::focusWidget()).second; ++i)
        stiskni(Qt::Key_Tab);
    for (QWidget* w : zaostritelne)
        EXPECT_TRUE(dosazene.count(w)) << w->objectName().toStdString() << " not reached";
}

INSTANTIATE_TEST_SUITE_P(Okno, Stranky, ::testing::Range(0, 5));

// Prints counted instead of sent.
struct TPocitanaTiskarna : TTiskarna {
    int& Tisky;
    explicit TPocitanaTiskarna(int& tisky) : Tisky(tisky) {}
    QPageLayout Rozvrzeni() override { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}); }
    void Odesli(const QString&, const QString&) override { ++Tisky; }
};

// Ctrl+Tab leaves the colour box and the editor, where Tab types a tab;
// Ctrl+S and Ctrl+P save and print while the notebook is shown.
TEST_F(Klavesnice, NotebookKeys)
{
    int tisky = 0, dialogy = 0;
    zapisnik().NastavTiskarnu(std::make_unique<TPocitanaTiskarna>(tisky));
    TAplikace::Instance()->NastavOdpovidaceDialogu([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString((slozka.cesta() / "poznamky").string()));
        return ++dialogy > 0;
    });
    const auto ctrl = Qt::ControlModifier;
    using TRadek = std::tuple<int, QWidget*, Qt::Key, Qt::KeyboardModifiers, int, int, int>;
    for (const auto& [odkud, ovladac, klavesa, s, stranka, ulozeno, vytisteno] :
         {TRadek{2, f().Zcolor, Qt::Key_Tab, ctrl, 3, 0, 0}, TRadek{2, f().Ztext, Qt::Key_Tab, ctrl | Qt::ShiftModifier, 1, 0, 0},
          TRadek{2, f().Ztext, Qt::Key_Tab, {}, 2, 0, 0}, TRadek{2, f().Zcolor, Qt::Key_S, ctrl, 2, 1, 0},
          TRadek{2, f().Ztext, Qt::Key_P, ctrl, 2, 1, 1}, TRadek{0, f().Tprisady, Qt::Key_S, ctrl, 0, 1, 1}}) {
        f().Pages->setCurrentIndex(odkud);
        ovladac->setFocus();
        stiskni(klavesa, s);
        EXPECT_EQ(f().Pages->currentIndex(), stranka) << ovladac->objectName().toStdString();
        EXPECT_EQ(dialogy, ulozeno);
        EXPECT_EQ(tisky, vytisteno);
    }
    EXPECT_TRUE(f().Ztext->toPlainText().endsWith(QLatin1Char('\t')));
    EXPECT_TRUE(std::filesystem::exists(slozka.cesta() / "poznamky.rtf"));
}

TEST_F(Klavesnice, EnterAndSpaceActAsDoubleClicksAndSayWhatTheyDid)
{
    EXPECT_EQ(f().TlPrisada3->accessibleName(), QStringLiteral("Přísada 3: prázdná"));
    f().Tprisady->setFocus();
    stiskni(Qt::Key_Return);
    EXPECT_EQ(tvorba().Lektvar.Prisady[2], &Prisada(seznam(), "Gama"));
    EXPECT_THAT(gOhlasy, ::testing::Contains(std::pair(f().Tprisady->currentRow(),
                                                       QStringLiteral("Gama přidána do lektvaru jako přísada 3"))));
    EXPECT_EQ(f().TlPrisada3->accessibleName(), QStringLiteral("Přísada 3: Gama"));
    EXPECT_EQ(f().TlEfektZP1->accessibleName(), QStringLiteral("Přísady efektu lektvaru 1: 1, 2 a 3"));
    // A designer's name opens its ingredient.
    f().TlPrisada1->setFocus();
    stiskni(Qt::Key_Space);
    EXPECT_EQ(tvorba().VybranaPrisada, &Prisada(seznam(), "Alfa"));

    // Space on a found potion loads it; the creation page takes the focus and says so.
    f().Pages->setCurrentIndex(1);
    f().Vlist->setFocus();
    f().Vlist->VyberRadek(0);
    stiskni(Qt::Key_Space);
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f().Tprisady);
    EXPECT_THAT(gOhlasy.back().second.toStdString(), ::testing::StartsWith("Tvorba lektvarů: efekt Jed, vybraná přísada"));
}

} // namespace
