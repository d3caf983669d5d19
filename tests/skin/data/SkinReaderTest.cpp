// Skin archives written by the packer's library, read back by the reader the skin component uses,
// and archives damaged in every way the reader must refuse.
#include "skin/data/Lzh.h"
#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void PutU32(Bytes& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A container laid out by hand, so that its fields can lie.
Bytes Container(std::uint32_t version, const std::string& names, const std::vector<std::uint32_t>& sizes,
                const Bytes& bodies, std::uint32_t nameLength = 0xFFFFFFFF)
{
    Bytes out;
    PutU32(out, version);
    PutU32(out, nameLength == 0xFFFFFFFF ? static_cast<std::uint32_t>(names.size()) : nameLength);
    PutU32(out, 0x12345678);
    PutU32(out, 0x9ABCDEF0);
    out.insert(out.end(), names.begin(), names.end());
    for (std::uint32_t s : sizes)
        PutU32(out, s);
    out.insert(out.end(), bodies.begin(), bodies.end());
    return out;
}

struct TMessages {
    static inline std::vector<std::string> seen;
    static void Record(const std::string& text) { seen.push_back(text); }
};

class SkinReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMessages::seen.clear();
        previous_ = skin::SetOlderSkinHandler(&TMessages::Record);
    }
    void TearDown() override { skin::SetOlderSkinHandler(previous_); }

    bool Load(const Bytes& stored)
    {
        ui::TMemoryStream stream(stored);
        return reader.LoadArchive(stream);
    }
    bool LoadContainer(const Bytes& container) { return Load(skin::PackStoredStream(container)); }

    void ExpectRefused(const char* what)
    {
        EXPECT_EQ(reader.Count, 0) << what;
        EXPECT_EQ(reader.Names.Count(), 0) << what;
        EXPECT_EQ(reader.Bodies.Size(), 0u) << what;
        EXPECT_FALSE(reader.Damage.empty()) << what;
        EXPECT_TRUE(TMessages::seen.empty()) << what << ": a damaged archive is not an older one";
    }

    skin::TSkinReader reader;
    skin::TSkinMessageHandler previous_ = nullptr;
};

Bytes Pattern(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>((i % 97 < 60) ? (i / 7) : random());
    return data;
}

TEST_F(SkinReader, PackedArchiveReadsBackExactly)
{
    const std::vector<skin::TSkinArchiveEntry> entries = {
        {"Skin.INI", Text("[Personality]\r\nSkinName=Test\r\n")},
        {"MenuBar.bmp", Pattern(5000, 1)},
        {"empty.bmp", {}},
        {"BIG.bmp", Pattern(120000, 2)},  // long enough to cross frequency rebuilds
        {"last.bmp", Pattern(77, 3)},
    };
    ASSERT_TRUE(Load(skin::BuildSkinArchive(entries)));
    ASSERT_EQ(reader.Count, 5);
    EXPECT_EQ(reader.Header.Version, 20000u);
    EXPECT_EQ(reader.Header.Reserved1, 0u);
    const char* lower[] = {"skin.ini", "menubar.bmp", "empty.bmp", "big.bmp", "last.bmp"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(reader.Names[i], lower[i]);
        EXPECT_EQ(reader.Sizes[i], entries[i].Body.size());
        ui::TMemoryStream file(Text("stale"));
        EXPECT_TRUE(reader.GetFile(entries[i].Name, file));
        EXPECT_EQ(file.Bytes(), entries[i].Body) << entries[i].Name;
        EXPECT_EQ(file.Position(), 0u);
    }
    EXPECT_TRUE(TMessages::seen.empty());
}

TEST_F(SkinReader, GetFileIgnoresCaseOnBothSides)
{
    for (const char* stored : {"menubar.bmp", "MENUBAR.bmp"}) {
        ASSERT_TRUE(Load(skin::BuildSkinArchive({{"a.ini", Text("x")}, {stored, Text("bar")}})));
        ui::TMemoryStream file;
        EXPECT_TRUE(reader.GetFile("MenuBar.BMP", file)) << stored;
        EXPECT_EQ(file.Bytes(), Text("bar"));
    }
    ui::TMemoryStream file(Text("stale"));
    EXPECT_FALSE(reader.GetFile("menubar", file));  // whole names only
    EXPECT_EQ(file.Size(), 0u);
}

TEST_F(SkinReader, FindFileTakesTheFirstNameHoldingThePattern)
{
    ASSERT_TRUE(Load(skin::BuildSkinArchive(
        {{"logo.bmp", Text("L")}, {"Main.INI", Text("first")}, {"other.ini", Text("second")}})));
    ui::TMemoryStream file;
    std::string found = "unchanged";
    EXPECT_TRUE(reader.FindFile(".ini", file, found));
    EXPECT_EQ(found, "main.ini");
    EXPECT_EQ(file.Bytes(), Text("first"));
    // The pattern is used as given: an upper-case pattern never matches the lower-cased names.
    found = "unchanged";
    EXPECT_FALSE(reader.FindFile(".INI", file, found));
    EXPECT_EQ(found, "unchanged");
    EXPECT_EQ(file.Size(), 0u);
}

TEST_F(SkinReader, DuplicateNamesYieldTheFirstEntry)
{
    ASSERT_TRUE(LoadContainer(Container(20000, "a.bmp\r\nA.BMP\r\n", {1, 2}, Text("xyz"))));
    ui::TMemoryStream file;
    reader.GetFile("a.bmp", file);
    EXPECT_EQ(file.Bytes(), Text("x"));
}

TEST_F(SkinReader, NameListSplitsAtAnyLineBreak)
{
    ASSERT_TRUE(LoadContainer(Container(20000, "One.ini\rtwo.bmp\nthree.bmp\r\nfour", {1, 1, 1, 2}, Text("12344"))));
    ASSERT_EQ(reader.Count, 4);
    EXPECT_EQ(reader.Names[0], "one.ini");
    EXPECT_EQ(reader.Names[3], "four");
    ui::TMemoryStream file;
    reader.GetFile("FOUR", file);
    EXPECT_EQ(file.Bytes(), Text("44"));
}

TEST_F(SkinReader, OtherVersionShowsTheOlderSkinMessage)
{
    ASSERT_TRUE(Load(skin::BuildSkinArchive({{"a.ini", Text("x")}})));
    EXPECT_FALSE(LoadContainer(Container(19999, "a.ini\r\n", {1}, Text("x"))));
    ASSERT_EQ(TMessages::seen.size(), 1u);
    EXPECT_EQ(TMessages::seen[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.Count, 0);  // the earlier load's entries are gone too
    EXPECT_EQ(reader.Header.Version, 19999u);

    // A 4-byte stream whose length is 0 expands to nothing, which fails the same test.
    TMessages::seen.clear();
    EXPECT_FALSE(Load({0, 0, 0, 0}));
    EXPECT_EQ(TMessages::seen.size(), 1u);

    // Without a handler the refusal is silent.
    skin::SetOlderSkinHandler(nullptr);
    EXPECT_FALSE(Load({0, 0, 0, 0}));
}

TEST_F(SkinReader, RefusesDamagedArchives)
{
    for (std::size_t length : {0u, 1u, 3u}) {
        EXPECT_FALSE(Load(Bytes(length, 0))) << length;
        ExpectRefused("stream shorter than its length field");
    }

    // A length beyond the bound is refused before anything is expanded or allocated.
    EXPECT_FALSE(Load({0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
    ExpectRefused("4 GiB expanded length");
    Bytes justOver;
    PutU32(justOver, skin::TSkinReader::MaxExpandedSize + 1);
    EXPECT_FALSE(Load(justOver));
    ExpectRefused("expanded length just over the bound");

    EXPECT_FALSE(LoadContainer(Container(20000, "a.ini\r\n", {1}, Text("x"), 1000)));
    ExpectRefused("name list longer than the container");

    EXPECT_FALSE(LoadContainer(Container(20000, "a.ini\r\nb.bmp\r\n", {1}, {})));
    ExpectRefused("size table running past the container");

    EXPECT_FALSE(LoadContainer(Container(20000, "a.ini\r\nb.bmp\r\n", {1, 5}, Text("x1234"))));
    ExpectRefused("sizes running past the bodies");

    EXPECT_FALSE(LoadContainer(Container(20000, "a.ini\r\nb.bmp\r\n", {0xFFFFFFFF, 2}, Text("xyz"))));
    ExpectRefused("sizes that wrap a 32-bit sum");

    Bytes shortContainer = Container(20000, "", {}, {});
    shortContainer.resize(10);
    EXPECT_FALSE(LoadContainer(shortContainer));
    ExpectRefused("container shorter than its header");

    std::string names;
    for (int i = 0; i < 1002; ++i) {
        names += 'f';
        names += std::to_string(i);
        names += ".bmp\r\n";
    }
    EXPECT_FALSE(LoadContainer(Container(20000, names, std::vector<std::uint32_t>(1002, 0), {})));
    ExpectRefused("1002 entries");

    // A name list of bare line breaks is counted, not split into strings, before it is refused.
    EXPECT_FALSE(LoadContainer(Container(20000, std::string(2000000, '\n'), {}, {})));
    ExpectRefused("two million empty names");

    // 1001 entries is the table's full size and still fine.
    std::vector<skin::TSkinArchiveEntry> full;
    for (int i = 0; i < 1001; ++i) {
        std::string name = std::to_string(i);
        full.push_back({name.insert(0, 1, 'f').append(".bmp"), Text(std::to_string(i))});
    }
    ASSERT_TRUE(Load(skin::BuildSkinArchive(full)));
    ui::TMemoryStream file;
    reader.GetFile("F1000.bmp", file);
    EXPECT_EQ(file.Bytes(), Text("1000"));
}

TEST_F(SkinReader, StreamEndingEarlyKeepsWhatWasWhole)
{
    const Bytes body = Pattern(60000, 4);
    Bytes stored = skin::BuildSkinArchive({{"a.ini", Text("[x]\r\n")}, {"big.bmp", body}});
    stored.resize(stored.size() * 3 / 4);
    // The container is filled with zero-fed output: it still parses, with the late bytes damaged.
    ASSERT_TRUE(Load(stored));
    ui::TMemoryStream file;
    ASSERT_TRUE(reader.GetFile("big.bmp", file));
    ASSERT_EQ(file.Size(), body.size());
    EXPECT_TRUE(std::equal(body.begin(), body.begin() + 10000, file.Bytes().begin()));
    EXPECT_NE(file.Bytes(), body);
}

} // namespace
