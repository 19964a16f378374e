// The curated word lists of places/words/, each entry a GBK text, in the order of its file. The build makes their
// tables from the lists (places/words/make_word_lists.cmake).
#pragma once

#include <span>
#include <string_view>

namespace quarrow::places {

// Stems that road names recur with across Chinese cities: "人民", "解放", "迎宾", "桂花" …
std::span<const std::string_view> RoadStems();
// Stems of residential community names: "阳光", "锦绣", "翠苑", "金桥" …
std::span<const std::string_view> CommunityStems();

}  // namespace quarrow::places
