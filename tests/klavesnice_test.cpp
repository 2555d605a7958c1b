// The window with the keyboard alone and through a screen reader's eyes:
// every control named, Tab reaching every one, the keys that act.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "okno_support.h"
#include "pristupnost_seznamu.h"
#include "tisk.h"

namespace {

std::vector<std::pair<int, QString>> gOhlasy;  // (line, what it now says)

void zaznamenejOhlas(QAccessibleEvent* udalost)
{
    if (udalost->type() == QAccessible::DescriptionChanged)
        gOhlasy.emplace_back(udalost->child(), udalost->accessibleInterface()->text(QAccessible::Description));
}

class Klavesnice : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu(W("Alfa\tJed\tOheň\tVoda\t\t pozn\n"
                       "Beta\tOheň\tJed\t\t\t[T]\n"
                       "Gama\tVoda\t\tJed\t\t[B] " + std::string(80, 'm') + "\n"
                       "Delta\tOheň\tVzduch\t\t\t\n"));
        QApplication::setActiveWindow(okno.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
        NastavPozorovateleSeznamu(zaznamenejOhlas);
        gOhlasy.clear();
    }
    void TearDown() override
    {
        NastavPozorovateleSeznamu(nullptr);
        OknoTest::TearDown();
    }
    void stiskni(Qt::Key klavesa, Qt::KeyboardModifiers s = {}) { QTest::keyClick(QApplication::focusWidget(), klavesa, s); }
    // Every control shown: the lists' effect, two ingredients in the potion and
    // a third with a long note selected.
    void ukazVse()
    {
        f().Tefekty->setFocus();
        f().Tefekty->ZvolRadek(f().Tefekty->RadekSOdkazem(&Efekt(seznam(), W("Jed"))));
        for (const char* jmeno : {"Alfa", "Beta", "Gama"}) {
            f().Tprisady->ZvolRadek(f().Tprisady->RadekSOdkazem(&Prisada(seznam(), jmeno)));
            if (std::string(jmeno) != "Gama")
                f().TpPridat->click();
        }
    }
};

struct TStranka {
    const char* Nazev;
    int Index;
    bool UkazVse;
};

class Stranky : public Klavesnice, public ::testing::WithParamInterface<TStranka> {};

// Every control shown on the page has a name, its own with its description,
// and Tab from the first control reaches every control that takes the focus.
TEST_P(Stranky, EveryControlIsNamedAndTabReachesIt)
{
    QWidget* stranka = f().Pages->widget(GetParam().Index);
    f().Pages->setCurrentWidget(stranka);
    if (GetParam().UkazVse)
        ukazVse();
    std::set<std::pair<QString, QString>> nazvy;
    std::vector<QWidget*> zaostritelne;
    for (QWidget* w : stranka->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || !w->isVisibleTo(stranka))
            continue;
        SCOPED_TRACE(w->objectName().toStdString());
        // The search page's effect and stock lists are named by their own model.
        if (w->objectName() != QLatin1String("Hefekty") && w->objectName() != QLatin1String("Hprisady")) {
            QAccessibleInterface* rozhrani = QAccessible::queryAccessibleInterface(w);
            const QString jmeno = rozhrani->text(QAccessible::Name);
            EXPECT_FALSE(jmeno.trimmed().isEmpty());
            if (!w->accessibleName().isEmpty())
                EXPECT_EQ(jmeno.toStdString(), w->accessibleName().toStdString());
            EXPECT_TRUE(nazvy.emplace(jmeno.trimmed(), rozhrani->text(QAccessible::Description)).second)
                << jmeno.toStdString();
        }
        // Of radio buttons Tab reaches the checked one; arrows move among them.
        const bool tlacitko = qobject_cast<QAbstractButton*>(w) != nullptr;
        if ((tlacitko || (w->focusPolicy() & Qt::TabFocus)) && w->isEnabled() && !qobject_cast<QRadioButton*>(w))
            zaostritelne.push_back(w);
    }
    ASSERT_FALSE(zaostritelne.empty());
    QWidget* prvni = stranka->nextInFocusChain();
    while (!zaostritelne.empty() && std::find(zaostritelne.begin(), zaostritelne.end(), prvni) == zaostritelne.end())
        prvni = prvni->nextInFocusChain();
    prvni->setFocus(Qt::TabFocusReason);
    std::set<QWidget*> dosazene;
    for (int i = 0; i < 60 && dosazene.insert(QApplication::focusWidget()).second; ++i)
        stiskni(Qt::Key_Tab);
    for (QWidget* w : zaostritelne)
        EXPECT_TRUE(dosazene.count(w)) << w->objectName().toStdString() << " not reached";
}

INSTANTIATE_TEST_SUITE_P(
    Okno, Stranky,
    ::testing::Values(TStranka{"Tvorba", 0, true}, TStranka{"Vypis", 1, false}, TStranka{"Zapisnik", 2, false},
                      TStranka{"OProgramu", 3, false}, TStranka{"Hledani", 4, false}),
    [](const auto& info) { return std::string(info.param.Nazev); });

TEST_F(Klavesnice, CtrlTabTurnsPagesFromTheColourBoxAndTheEditorWhereTabTypes)
{
    f().Pages->setCurrentIndex(2);
    struct TRadek {
        QWidget* Odkud;
        Qt::KeyboardModifiers Modifikatory;
        int Stranka;
    } const radky[] = {{f().Zcolor, Qt::ControlModifier, 3},
                       {f().Ztext, Qt::ControlModifier | Qt::ShiftModifier, 1},
                       {f().Zsize, Qt::ControlModifier, 3}};
    for (const TRadek& r : radky) {
        f().Pages->setCurrentIndex(2);
        r.Odkud->setFocus();
        stiskni(Qt::Key_Tab, r.Modifikatory);
        EXPECT_EQ(f().Pages->currentIndex(), r.Stranka) << r.Odkud->objectName().toStdString();
    }
    f().Pages->setCurrentIndex(2);
    f().Ztext->setFocus();
    stiskni(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f().Ztext);
    EXPECT_TRUE(f().Ztext->toPlainText().endsWith(QLatin1Char('\t')));
}

TEST_F(Klavesnice, EnterAndSpaceActAsDoubleClicksAndSayWhatTheyDid)
{
    ukazVse();  // Alfa and Beta in the potion, Gama selected
    f().Tprisady->setFocus();
    stiskni(Qt::Key_Return);
    EXPECT_EQ(tvorba().Lektvar.Prisady[2], &Prisada(seznam(), "Gama"));
    EXPECT_THAT(gOhlasy, ::testing::Contains(std::pair(f().Tprisady->currentRow(),
                                                       QStringLiteral("Gama přidána do lektvaru jako přísada 3"))));
    EXPECT_EQ(f().TlPrisada3->accessibleName(), QStringLiteral("Přísada 3: Gama"));
    EXPECT_EQ(f().TlEfektZP1->accessibleName(), QStringLiteral("Přísady efektu lektvaru 1: 1, 2 a 3"));

    // A designer's name opens its ingredient, a removed one leaves its slot empty.
    f().TlPrisada1->setFocus();
    stiskni(Qt::Key_Space);
    EXPECT_EQ(tvorba().VybranaPrisada, &Prisada(seznam(), "Alfa"));
    f().TlVyjmi3->setFocus();
    stiskni(Qt::Key_Space);
    EXPECT_EQ(f().TlPrisada3->accessibleName(), QStringLiteral("Přísada 3: prázdná"));

    // Space on a found potion loads it; the creation page takes the focus and says so.
    f().Pages->setCurrentIndex(1);
    f().Vlist->setFocus();
    f().Vlist->VyberRadek(0);
    gOhlasy.clear();
    stiskni(Qt::Key_Space);
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f().Tprisady);
    ASSERT_FALSE(gOhlasy.empty());
    EXPECT_THAT(gOhlasy.back().second.toStdString(), ::testing::StartsWith("Tvorba lektvarů: vybraná přísada"));
}

// Prints counted instead of sent.
struct TPocitanaTiskarna : TTiskarna {
    int* Tisky;
    explicit TPocitanaTiskarna(int* tisky) : Tisky(tisky) {}
    QPageLayout Rozvrzeni() override { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}); }
    void Odesli(const QString&, const QString&) override { ++*Tisky; }
};

TEST_F(Klavesnice, CtrlSSavesAndCtrlPPrintsTheNotebookFromItsPage)
{
    int tisky = 0;
    zapisnik().NastavTiskarnu(std::make_unique<TPocitanaTiskarna>(&tisky));
    int dialogy = 0;
    TAplikace::Instance()->NastavOdpovidaceDialogu([&](QFileDialog& dialog) {
        ++dialogy;
        dialog.selectFile(QString::fromStdString((slozka.cesta() / "poznamky").string()));
        return true;
    });
    f().Tprisady->setFocus();
    stiskni(Qt::Key_S, Qt::ControlModifier);  // not on another page
    f().Pages->setCurrentIndex(2);
    f().Zcolor->setFocus();
    stiskni(Qt::Key_S, Qt::ControlModifier);
    stiskni(Qt::Key_P, Qt::ControlModifier);
    TAplikace::Instance()->NastavOdpovidaceDialogu(nullptr);
    EXPECT_EQ(dialogy, 1);
    EXPECT_TRUE(std::filesystem::exists(slozka.cesta() / "poznamky.rtf"));
    EXPECT_EQ(tisky, 1);
}

} // namespace
