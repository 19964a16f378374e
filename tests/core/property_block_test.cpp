// What every unit type's stored property block must do, checked on each codec.
#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

template <class P>
class PropertyBlock : public ::testing::Test {};

using Codecs = ::testing::Types<EditBoxProperties, LabelProperties, ButtonProperties, CheckBoxProperties,
                                GroupBoxProperties, ListBoxProperties, ProcessBarProperties, CommonDlgProperties,
                                ListViewProperties>;
TYPED_TEST_SUITE(PropertyBlock, Codecs);

void PatchVersion(Bytes& block, std::uint32_t version) {
  ByteWriter w;
  w.U32(version);
  std::copy(w.Data().begin(), w.Data().end(), block.begin());
}

TYPED_TEST(PropertyBlock, NoBlockGivesTheDefaults) {
  using Traits = BlockTraits<TypeParam>;
  const Bytes block = Traits::Sample().Save();
  TypeParam p = Traits::Sample();
  EXPECT_TRUE(p.Load({}));
  EXPECT_EQ(p, TypeParam{});

  for (std::int32_t length : {0, -1}) {
    p = Traits::Sample();
    EXPECT_TRUE(p.Load(PropertyBlockBytes(block.data(), length)));
    EXPECT_EQ(p, TypeParam{});
  }
  p = Traits::Sample();
  EXPECT_TRUE(p.Load(PropertyBlockBytes(nullptr, 100)));
  EXPECT_EQ(p, TypeParam{});
}

TYPED_TEST(PropertyBlock, RoundTripsEveryField) {
  using Traits = BlockTraits<TypeParam>;
  const TypeParam sample = Traits::Sample();
  ASSERT_NE(sample, TypeParam{});
  const Bytes block = sample.Save();

  TypeParam loaded;
  ASSERT_TRUE(loaded.Load(block));
  EXPECT_EQ(loaded, sample);
  EXPECT_EQ(loaded.Save(), block);

  const Bytes defaults = TypeParam{}.Save();
  ASSERT_TRUE(loaded.Load(defaults));
  EXPECT_EQ(loaded, TypeParam{});
  EXPECT_EQ(loaded.Save(), defaults);
}

TYPED_TEST(PropertyBlock, SavesItsHighestVersion) {
  const Bytes block = BlockTraits<TypeParam>::Sample().Save();
  ByteReader r(block);
  EXPECT_EQ(r.U32(), BlockTraits<TypeParam>::kVersion);
}

TYPED_TEST(PropertyBlock, ALaterVersionFailsAndLeavesTheDefaults) {
  using Traits = BlockTraits<TypeParam>;
  // 0x80000000 would pass a signed comparison.
  for (std::uint32_t version : {Traits::kVersion + 1, 0x80000000u, 0xFFFFFFFFu}) {
    Bytes block = Traits::Sample().Save();
    PatchVersion(block, version);
    TypeParam p = Traits::Sample();
    EXPECT_FALSE(p.Load(block)) << "version " << version;
    EXPECT_EQ(p, TypeParam{});
  }
}

TYPED_TEST(PropertyBlock, ABlockCutShortAnywhereFails) {
  const Bytes block = BlockTraits<TypeParam>::Sample().Save();
  for (std::size_t n = 1; n < block.size(); ++n) {
    TypeParam p;
    EXPECT_FALSE(p.Load(std::span(block.data(), n))) << "cut after " << n << " of " << block.size() << " bytes";
  }
}

TYPED_TEST(PropertyBlock, OlderVersionsLeaveTheirMissingFieldsAtTheDefaults) {
  using Traits = BlockTraits<TypeParam>;
  for (std::uint32_t version = 0; version < Traits::kVersion; ++version) {
    TypeParam expected = Traits::Sample();
    Traits::DropNewerFields(expected, version);

    // A block of the older layout: the newer fields are simply absent.
    Bytes older = expected.Save();
    older.resize(older.size() - Traits::MissingBytes(version));
    PatchVersion(older, version);
    TypeParam p;
    ASSERT_TRUE(p.Load(older)) << "version " << version;
    EXPECT_EQ(p, expected) << "version " << version;

    // Bytes beyond an older layout are not read as the newer fields.
    Bytes with_tail = Traits::Sample().Save();
    PatchVersion(with_tail, version);
    ASSERT_TRUE(p.Load(with_tail)) << "version " << version;
    EXPECT_EQ(p, expected) << "version " << version;
  }
}

}  // namespace
}  // namespace quarrow::test
