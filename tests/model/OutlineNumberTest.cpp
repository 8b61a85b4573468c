#include "model/OutlineNumber.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace {

// Places made by hand, ordered as the rebuild orders them: by number.
class PlaceTable {
public:
    const OutlinePlace* Place(const OutlineNumber& number) {
        const OutlinePlace* parent = nullptr;
        for (size_t length = 0; length <= number.size(); ++length) {
            const OutlineNumber prefix(number.begin(), number.begin() + static_cast<std::ptrdiff_t>(length));
            auto [found, added] = m_places.try_emplace(prefix, nullptr);
            if (added)
                found->second = &m_storage.emplace_back(OutlinePlace{parent, length ? prefix.back() : 0});
            parent = found->second;
        }
        quint32 order = 0;
        for (auto& [key, place] : m_places)
            place->order = order++;
        return parent;
    }

private:
    std::deque<OutlinePlace> m_storage;
    std::map<OutlineNumber, OutlinePlace*> m_places;
};

} // namespace

TEST(OutlineNumber, TextJoinsElementsWithPoints) {
    EXPECT_EQ(GetOutlineNumberText({}), "0");
    EXPECT_EQ(GetOutlineNumberText({3}), "3");
    EXPECT_EQ(GetOutlineNumberText({1, 12, 3}), "1.12.3");
}

TEST(OutlineNumber, ParseAcceptsOnlyDecimalElementsBetweenSinglePoints) {
    OutlineNumber number;
    EXPECT_TRUE(ParseOutlineNumber("1.2.3", number));
    EXPECT_EQ(number, (OutlineNumber{1, 2, 3}));
    EXPECT_TRUE(ParseOutlineNumber("007", number));
    EXPECT_EQ(number, OutlineNumber{7});

    // 0 is a number, though no place has it.
    EXPECT_TRUE(ParseOutlineNumber("1.00", number));
    EXPECT_EQ(number, (OutlineNumber{1, 0}));
    for (const char* bad :
         {"", "1..2", "1.2.", ".1", " 1", "1 ", "+3", "-1", "1/1.1", "a", "2147483648", "1.99999999999"}) {
        number = {9};
        EXPECT_FALSE(ParseOutlineNumber(QString::fromUtf8(bad), number)) << bad;
        EXPECT_TRUE(number.empty()) << bad;
    }
    EXPECT_TRUE(ParseOutlineNumber("2147483647", number));
}

TEST(OutlineNumber, UnitFunctionTextShowsEveryPlaceOrItsSerialNumber) {
    CUnitFunction function;
    function.serialNumber = 3;
    EXPECT_EQ(function.GetOutlineNumberText(false), "+3");
    EXPECT_EQ(function.GetOutlineNumberText(true), "+3");
    OutlineNumber current;
    EXPECT_FALSE(function.GetCurrentOutlineNumber(nullptr, false, current));

    PlaceTable places;
    function.places = {places.Place({1, 2}), places.Place({3, 1})};
    function.primaryPlace = places.Place({3, 1});
    EXPECT_EQ(function.GetOutlineNumberText(false), "1.2/3.1");
    EXPECT_EQ(function.GetOutlineNumberText(true), "3.1");

    // A tab's place: the chosen one while the unit function stands there, else its primary or first one.
    const OutlineNumber chosen{3, 1};
    const OutlineNumber gone{4};
    ASSERT_TRUE(function.GetCurrentOutlineNumber(&chosen, false, current));
    EXPECT_EQ(current, chosen);
    ASSERT_TRUE(function.GetCurrentOutlineNumber(&gone, false, current));
    EXPECT_EQ(current, OutlineNumber({1, 2}));
    ASSERT_TRUE(function.GetCurrentOutlineNumber(nullptr, true, current));
    EXPECT_EQ(current, OutlineNumber({3, 1}));
    EXPECT_EQ(function.GetShownOutlineNumberText(&chosen, false), "3.1");
    EXPECT_EQ(function.GetShownOutlineNumberText(&gone, false), "1.2/3.1");

    CUnitFunction origin;
    origin.places = {places.Place({})};
    origin.primaryPlace = origin.places[0];
    EXPECT_EQ(origin.GetOutlineNumberText(true), "0");
}

TEST(OutlineNumber, ListsSortPlacedFunctionsInOutlineOrderThenBySerialNumber) {
    std::vector<std::unique_ptr<CUnitFunction>> functions;
    UnitFunctionSet set;
    PlaceTable places;
    const auto make = [&](quint32 id, std::set<OutlineNumber> numbers, quint32 serial) {
        functions.push_back(std::make_unique<CUnitFunction>());
        CUnitFunction* function = functions.back().get();
        function->InternalID = id;
        for (const OutlineNumber& number : numbers)
            function->places.push_back(places.Place(number));
        if (!numbers.empty())
            function->primaryPlace = function->places.back();
        function->serialNumber = serial;
        set.insert(function);
        return function;
    };
    CUnitFunction* plus2 = make(1, {}, 2);
    CUnitFunction* ten = make(2, {{1, 10}}, 0);
    CUnitFunction* plus1 = make(3, {}, 1);
    CUnitFunction* deep = make(4, {{1, 2, 1}}, 0);
    CUnitFunction* three = make(5, {{1, 3}}, 0);
    CUnitFunction* two = make(6, {{1, 2}}, 0);
    CUnitFunction* nine = make(7, {{1, 9}}, 0);
    CUnitFunction* shared = make(8, {{1, 1}, {1, 11}}, 0);

    UnitFunctionList sorted;
    SortedVectorFromSet(set, sorted, false);
    EXPECT_EQ(sorted, (UnitFunctionList{shared, two, deep, three, nine, ten, plus1, plus2}));

    // With the primary place told apart, the shared one sorts by 1.11 only.
    SortedVectorFromSet(set, sorted, true);
    EXPECT_EQ(sorted, (UnitFunctionList{two, deep, three, nine, ten, shared, plus1, plus2}));
}

TEST(OutlineNumber, SharedPlacesSortByEachPlaceInTurnAndTiesKeepInternalIdOrder) {
    std::vector<std::unique_ptr<CUnitFunction>> functions;
    UnitFunctionSet set;
    PlaceTable places;
    const auto make = [&](quint32 id, std::set<OutlineNumber> numbers) {
        functions.push_back(std::make_unique<CUnitFunction>());
        CUnitFunction* function = functions.back().get();
        function->InternalID = id;
        for (const OutlineNumber& number : numbers)
            function->places.push_back(places.Place(number));
        function->primaryPlace = function->places.front();
        set.insert(function);
        return function;
    };
    CUnitFunction* both = make(1, {{2}, {2, 1}});
    CUnitFunction* twoAgain = make(2, {{2}});
    CUnitFunction* two = make(3, {{2}});
    CUnitFunction* twoThenThree = make(4, {{2}, {3}});
    CUnitFunction* twoOne = make(5, {{2, 1}});

    UnitFunctionList sorted;
    // A list that another starts with comes first; a place that another starts with, too.
    SortedVectorFromSet(set, sorted, false);
    EXPECT_EQ(sorted, (UnitFunctionList{twoAgain, two, both, twoThenThree, twoOne}));

    SortedVectorFromSet(set, sorted, true);
    EXPECT_EQ(sorted, (UnitFunctionList{both, twoAgain, two, twoThenThree, twoOne}));
}
