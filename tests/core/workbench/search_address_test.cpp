#include "core/workbench/search_address.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string SmartFind(const std::vector<std::string>& rows, std::size_t limit = wv::kMaxSmartFindAddress) {
    return wv::SmartFindAddress(
        "h.test", [&] { return static_cast<int>(rows.size()); }, [&](int row) { return rows.at(row); }, limit);
}

TEST(SearchAddress, OneVariant) {
    EXPECT_EQ(wv::VariantSearchAddress("h.test", "acb"), "http://h.test/search/search.dll?satitle=acb");
    EXPECT_EQ(wv::VariantSearchAddress("127.0.0.1:8080", ""), "http://127.0.0.1:8080/search/search.dll?satitle=");
}

TEST(SearchAddress, TextsGoInUnescaped) {
    const std::string odd = "a b&c#d%e,f)g\xE9";
    EXPECT_EQ(wv::VariantSearchAddress("h.test", odd), "http://h.test/search/search.dll?satitle=" + odd);
    EXPECT_EQ(SmartFind({odd, "x"}), "http://h.test/(" + odd + ",x,)");
}

TEST(SearchAddress, SmartFindKeepsEveryCommaAndTheOrder) {
    EXPECT_EQ(SmartFind({"acb", "bac", "bca"}), "http://h.test/(acb,bac,bca,)");
    EXPECT_EQ(SmartFind({"x"}), "http://h.test/(x,)");
    EXPECT_EQ(SmartFind({}), "http://h.test/()");
}

TEST(SearchAddress, SmartFindAsksTheRowCountAfterEachRow) {
    // Rows that come and go while the address is built are seen as they are.
    std::vector<std::string> rows = {"a", "b"};
    std::string address = wv::SmartFindAddress(
        "h", [&] { return static_cast<int>(rows.size()); },
        [&](int row) {
            if (row == 0) rows.push_back("c");
            return rows.at(row);
        });
    EXPECT_EQ(address, "http://h/(a,b,c,)");
}

TEST(SearchAddress, SmartFindStopsAtTheLimitWithWholeVariants) {
    const std::string prefix = "http://h.test/(";  // 15 bytes
    // 15 + "abc," + "de," + ")" = 23 bytes.
    EXPECT_EQ(SmartFind({"abc", "de", "fgh"}, 23), prefix + "abc,de,)");
    EXPECT_EQ(SmartFind({"abc", "de"}, 23), prefix + "abc,de,)");
    // One byte short: "de," no longer fits, and nothing after it is tried.
    EXPECT_EQ(SmartFind({"abc", "de", "f"}, 22), prefix + "abc,)");
    EXPECT_EQ(SmartFind({"abcdefghijklmnop"}, 20), prefix + ")");
}

TEST(SearchAddress, AHugeListMakesAnAddressOfAtMostEightKilobytes) {
    int asked = 0;
    std::string address = wv::SmartFindAddress(
        "h.test", [] { return 400000; },
        [&](int) {
            ++asked;
            return std::string("abcdefghij");
        });
    EXPECT_LE(address.size(), 8192u);
    EXPECT_GT(address.size(), 8192u - 12);
    EXPECT_EQ(address.back(), ')');
    EXPECT_EQ(address[address.size() - 2], ',');
    EXPECT_LT(asked, 1000);  // stops reading rows once the address is full
    // Below the limit the address is the plain one.
    std::vector<std::string> rows(100, "abcdefghij");
    std::string plain = "http://h.test/(";
    for (const auto& r : rows) plain += r + ",";
    EXPECT_EQ(SmartFind(rows), plain + ")");
}

}  // namespace
