// The brewing rule of a potion.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lektvar.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

using Sloty = std::array<bool, 4>;

class Vareni : public ::testing::Test {
protected:
    TSeznam seznam;
    TLektvar lektvar;

    void SetUp() override
    {
        NaplnZRadku(seznam, {"A\tX\tY\tZ\tW\t", "B\tY\tQ\tX\t\t", "C\tQ\tR\tZ\tS\t", "D\tW\tR\t\t\t",
                             "T\tX\t\t\t\t[T]", "M\tX\tY\t\t\t[B]", "Dvoji\tX\tX\t\t\t", "Nic\tN\t"});
    }
    void napln(std::initializer_list<const char*> jmena)
    {
        lektvar.Prisady = {};
        std::size_t k = 0;
        for (const char* jmeno : jmena) {
            if (jmeno != nullptr)
                lektvar.Prisady[k] = &Prisada(seznam, jmeno);
            ++k;
        }
        SpocitejLektvar(lektvar);
    }
    std::vector<std::string> jmenaEfektu() const
    {
        std::vector<std::string> jmena;
        for (const auto& zaznam : lektvar.Efekty)
            jmena.emplace_back(zaznam.Efekt ? zaznam.Efekt->Jmeno : "-");
        return jmena;
    }
};

TEST_F(Vareni, WorkedExampleKeepsFirstFourInOrderOfAppearance)
{
    napln({"A", "B", "C", "D"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("X", "Y", "Z", "W"));
    EXPECT_EQ(lektvar.Efekty[0].ZPrisady, (Sloty{true, true, false, false}));
    EXPECT_EQ(lektvar.Efekty[2].ZPrisady, (Sloty{true, false, true, false}));
    EXPECT_EQ(lektvar.Efekty[3].ZPrisady, (Sloty{true, false, false, true}));
    napln({"A", "B", "C"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("X", "Y", "Z", "Q"));
    EXPECT_EQ(lektvar.Efekty[3].ZPrisady, (Sloty{false, true, true, false}));
}

TEST_F(Vareni, FewerThanTwoSharingSlotsGiveNothing)
{
    napln({});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("-", "-", "-", "-"));
    EXPECT_FALSE(lektvar.Tribunal || lektvar.Bloodmoon);
    napln({"T"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("-", "-", "-", "-"));
    EXPECT_TRUE(lektvar.Tribunal);
    napln({"A", "Nic"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("-", "-", "-", "-"));
    // One ingredient naming an effect twice counts once.
    napln({"Dvoji", "C"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("-", "-", "-", "-"));
    for (const auto& zaznam : lektvar.Efekty)
        EXPECT_EQ(zaznam.ZPrisady, (Sloty{}));
}

TEST_F(Vareni, SharedEffectsFollowSlotOneAndKeepGaps)
{
    napln({"B", "A"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("Y", "X", "-", "-"));
    napln({"C", nullptr, "A"});
    EXPECT_THAT(jmenaEfektu(), ElementsAre("Z", "-", "-", "-"));
    EXPECT_EQ(lektvar.Efekty[0].ZPrisady, (Sloty{true, false, true, false}));
}

TEST_F(Vareni, ExpansionFlagsComeFromEveryFilledSlot)
{
    napln({"T", "Nic", "M"});
    EXPECT_TRUE(lektvar.Tribunal);
    EXPECT_TRUE(lektvar.Bloodmoon);
    EXPECT_THAT(jmenaEfektu(), ElementsAre("X", "-", "-", "-"));
    // A recount clears what an earlier one set.
    napln({"A", "B"});
    EXPECT_FALSE(lektvar.Tribunal || lektvar.Bloodmoon);
}

} // namespace
