// The curated word lists as the program gets them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "conversions/gbk_unicode.h"
#include "places/word_lists.h"

namespace quarrow::places {
namespace {

// Entries of two to four two-byte GBK characters, each once, and no developer's brand among them.
void ExpectEntries(std::span<const std::string_view> list, std::size_t fewest) {
  EXPECT_GE(list.size(), fewest);
  std::set<std::string_view> seen;
  for (const std::string_view entry : list) {
    std::string utf8;
    ASSERT_TRUE(AppendGbkAsUtf8(entry, utf8)) << entry;
    EXPECT_TRUE(entry.size() >= 4 && entry.size() <= 8 && utf8.size() == entry.size() / 2 * 3) << utf8;
    EXPECT_TRUE(seen.insert(entry).second) << utf8 << " twice";
    for (const char* brand : {"万科", "碧桂园", "恒大", "保利", "龙湖", "融创", "万达", "绿城", "世茂", "富力", "雅居",
                              "绿地", "中海", "华润", "金地", "星河", "嘉华"}) {
      std::string brand_utf8;
      AppendGbkAsUtf8(brand, brand_utf8);
      EXPECT_EQ(utf8.find(brand_utf8), std::string::npos) << utf8;
    }
  }
}

TEST(WordLists, RoadAndCommunityStemsAreShortCommonWordsEachOnce) {
  ExpectEntries(RoadStems(), 400);
  ExpectEntries(CommunityStems(), 300);
  EXPECT_EQ(RoadStems().front(), "人民");
  EXPECT_EQ(CommunityStems().front(), "阳光");
}

}  // namespace
}  // namespace quarrow::places
