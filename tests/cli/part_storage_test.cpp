// SPDX-License-Identifier: GPL-3.0-or-later
// Parts are stored deflated: what is written reads back the same, parts an
// earlier version wrote (kept in data/parts) still read and merge with new
// ones, and a body that is damaged, cut short, followed by more bytes or of
// another size than its header says is refused with the file's name.
#include "plain_part.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace morv {
namespace {

using test::quoted;

const std::string kParts = std::string(MORVANE_TEST_DATA) + "/parts/";

void expect_same_part(const HitsPart& a, const HitsPart& b) {
    EXPECT_EQ(a.params_hash, b.params_hash);
    EXPECT_EQ(std::tie(a.res, a.first, a.end, a.counts_crc),
              std::tie(b.res, b.first, b.end, b.counts_crc));
    EXPECT_EQ(a.totals.counts, b.totals.counts);
    ASSERT_EQ(a.sections.size(), b.sections.size());
    for (std::size_t i = 0; i < a.sections.size(); ++i)
        EXPECT_EQ(a.sections[i].bytes, b.sections[i].bytes);
    ASSERT_EQ(a.density.has_value(), b.density.has_value());
    if (!a.density) return;
    EXPECT_EQ(a.density->frac_bits, b.density->frac_bits);
    EXPECT_EQ(a.density->picture.oversample, b.density->picture.oversample);
    ASSERT_EQ(a.density->cells.size(), b.density->cells.size());
    for (std::size_t i = 0; i < a.density->cells.size(); ++i) {
        const SumCell &x = a.density->cells[i], &y = b.density->cells[i];
        EXPECT_EQ(std::tie(x.n, x.r, x.g, x.b), std::tie(y.n, y.r, y.g, y.b)) << i;
    }
}

// An earlier version's parts (plain, with and without sections) read, are
// written again in their old bytes in the plain form, and read back the same
// from the deflated form; so does a large part of nothing but zeros, the
// most a deflated body can shrink.
TEST(PartStorage, EveryFormReadsBackTheSame) {
    test::TempDir dir;
    for (const auto& [name, version] :
         {std::pair{"plain-a.hits", 2u}, {"toned-a.hits", 3u}, {"checkpoint.hits", 3u}}) {
        SCOPED_TRACE(name);
        HitsPart old;
        ASSERT_EQ(read_part(kParts + name, old), std::nullopt);
        EXPECT_EQ(old.version, version);
        ASSERT_EQ(write_part(old, dir.file("plain"), BodyForm::Plain), std::nullopt);
        EXPECT_EQ(test::read_file(dir.file("plain")), test::read_file(kParts + name));
        ASSERT_EQ(write_part(old, dir.file("deflated")), std::nullopt);
        HitsPart head, back;
        ASSERT_EQ(read_part_header(dir.file("deflated"), head), std::nullopt);
        EXPECT_EQ(head.version, 4u);
        EXPECT_EQ(head.may_hold_sections(), version == 3);
        ASSERT_EQ(read_part(dir.file("deflated"), back), std::nullopt);
        expect_same_part(old, back);
    }
    State s;
    ASSERT_TRUE(set_resolution(s, 2000));
    HitsPart empty = make_part(s, OrbitJob{.orbits = 1, .end = 1}, 0,
                               OrbitTotals{.counts = std::vector<std::uint64_t>(2000 * 2000),
                                           .density = {},
                                           .under_way = {}});
    ASSERT_EQ(write_part(empty, dir.file("empty")), std::nullopt);
    HitsPart back;
    ASSERT_EQ(read_part(dir.file("empty"), back), std::nullopt) << "refused as a bomb";
    EXPECT_EQ(back.totals.counts, empty.totals.counts);
}

// Old and new parts of one render merge into the same picture.
TEST(PartStorage, OldAndNewPartsMergeAlike) {
    test::TempDir dir;
    for (const std::string kind : {"plain", "toned"}) {
        HitsPart b;
        ASSERT_EQ(read_part(kParts + kind + "-b.hits", b), std::nullopt);
        ASSERT_EQ(write_part(b, dir.file("b.hits")), std::nullopt);
        const std::string a = quoted(kParts + kind + "-a.hits");
        for (const auto& [second, png] : {std::pair{quoted(kParts + kind + "-b.hits"), "old.png"},
                                          {quoted(dir.file("b.hits")), "new.png"}}) {
            const test::CliRun r =
                test::run_cli("-q --merge " + a + " " + second + " -o " + quoted(dir.file(png)));
            ASSERT_EQ(r.status, 0) << r.output;
        }
        EXPECT_EQ(test::read_file(dir.file("old.png")), test::read_file(dir.file("new.png")))
            << kind;
    }
}

void put(std::vector<unsigned char>& p, std::size_t at, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// The header's claim of the body's inflated size, its checksum made good.
std::vector<unsigned char> claiming(std::vector<unsigned char> p, std::uint64_t body) {
    put(p, 1476, body, 8);
    put(p, 1488, crc32_z(0, p.data(), 1488), 4);
    return p;
}

TEST(PartStorage, UnsoundDeflatedBodiesAreRefused) {
    test::TempDir dir;
    std::vector<unsigned char> toned, checkpoint;
    for (auto [name, bytes] :
         {std::pair{"toned-a.hits", &toned}, {"checkpoint.hits", &checkpoint}}) {
        HitsPart p;
        ASSERT_EQ(read_part(kParts + name, p), std::nullopt);
        ASSERT_EQ(write_part(p, dir.file(name)), std::nullopt);
        *bytes = test::read_file(dir.file(name));
    }
    const std::uint64_t counts = 8 * 16 * 16;
    HitsPart head;
    ASSERT_EQ(read_part_header(dir.file("checkpoint.hits"), head), std::nullopt);
    const std::uint64_t checkpoint_body = head.stored_bytes;
    const auto edited = [&](auto edit) {
        auto p = toned;
        edit(p);
        return p;
    };
    const struct {
        std::vector<unsigned char> bytes;
        std::string says;
    } cases[] = {
        {{toned.begin(), toned.end() - 3}, "its body is cut short"},
        {{toned.begin(), toned.begin() + 1492}, "its body is cut short"},
        {edited([](auto& p) { p[p.size() / 2] ^= 0x20; }), "damaged"},
        {edited([](auto& p) { p.push_back(0); }), "trailing garbage"},
        {claiming(checkpoint, checkpoint_body + 64), "fewer bytes than its header says"},
        {claiming(checkpoint, counts), "more bytes than its header says"},
        {claiming(toned, std::uint64_t{1} << 40), "claims more than its body can inflate to"},
        {claiming(toned, counts - 8), "does not match its resolution"},
        {edited([](auto& p) {
             p[28] = 0; // the plain form's counts in a deflated body
             put(p, 1488, crc32_z(0, p.data(), 1488), 4);
         }),
         "unknown encoding"},
    };
    for (const auto& c : cases) {
        test::write_file(dir.file("bad.hits"), c.bytes);
        HitsPart p;
        const std::optional<std::string> e = read_part(dir.file("bad.hits"), p);
        ASSERT_TRUE(e.has_value()) << c.says;
        EXPECT_NE(e->find(dir.file("bad.hits") + ": "), std::string::npos) << *e;
        EXPECT_NE(e->find(c.says), std::string::npos) << c.says << ": " << *e;
        EXPECT_EQ(p.res, 0u) << "left as it was";
    }
}

} // namespace
} // namespace morv
