// The definition reader on the shapes skin definitions take.
#include "skin/data/QuickIni.h"

#include <gtest/gtest.h>

namespace {

skin::TQuickIni Ini(const std::string& text)
{
    skin::TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

const char* const kDefinition =
    "; skin definition\r\n"
    "[Personality]\r\n"
    "  TopHeight   =   9   \r\n"
    "SkinName=Blue=Steel\r\n"
    ";LeftWidth=4\r\n"
    "RightWidth\r\n"
    "Empty=\r\n"
    "Empty=5\r\n"
    "Hex=0x1F\r\n"
    "Dollar=$1F\r\n"
    "Bare=1F\r\n"
    "[Buttons]\n"
    "TopHeight=3\n"
    "[PERSONALITY]\r\n"
    "TopHeight=100\r\n"
    "Extra=only in the second\r\n"
    "[Last]\r"
    "Tail=end";

TEST(QuickIni, FindsSectionsAndKeysWithoutRegardToCase)
{
    const skin::TQuickIni ini = Ini(kDefinition);
    EXPECT_EQ(ini.FindSection("personality"), 0);
    EXPECT_EQ(ini.FindSection("PERSONALITY"), 0);
    EXPECT_EQ(ini.FindSection("Nope"), -1);
    EXPECT_EQ(ini.ReadInteger("personality", "topheight", 0), 9);
    EXPECT_EQ(ini.ReadString("Personality", "TOPHEIGHT", ""), "9");
    EXPECT_EQ(ini.ReadInteger("Buttons", "TopHeight", 0), 3);
    // Two sections of one name: only the first is searched.
    EXPECT_EQ(ini.ReadString("Personality", "Extra", "none"), "none");
    // The last section runs to the end of the text.
    EXPECT_EQ(ini.ReadString("last", "tail", ""), "end");
}

TEST(QuickIni, EntriesFollowTheFirstOccurrence)
{
    const skin::TQuickIni ini = Ini(kDefinition);
    // The first "Empty" decides: its empty value gives the default, the later 5 is never seen.
    EXPECT_EQ(ini.ReadString("Personality", "Empty", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Personality", "Empty", -7), -7);
    EXPECT_EQ(ini.ReadString("Personality", "SkinName", ""), "Blue=Steel");
    EXPECT_EQ(ini.ReadInteger("Personality", "LeftWidth", -1), -1);   // commented out
    EXPECT_EQ(ini.ReadString("Personality", "RightWidth", "no"), "no");  // no "="
    EXPECT_EQ(ini.ReadString("Buttons", "SkinName", "no"), "no");      // other section
}

TEST(QuickIni, IntegersInDecimalAndHexadecimal)
{
    const skin::TQuickIni ini = Ini(kDefinition);
    EXPECT_EQ(ini.ReadInteger("Personality", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Personality", "Dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Personality", "Bare", -1), -1);

    const skin::TQuickIni values = Ini(
        "[v]\nmax=2147483647\nmin=-2147483648\nover=2147483648\nallf=$FFFFFFFF\nnine=$123456789\n"
        "x=x1a\nX=0X1A\nplus=+12\nminushex=-$10\nsign=-\nspace=1 2\nhexonly=$\nzero=0x\nlead=007\n");
    EXPECT_EQ(values.ReadInteger("v", "max", 0), 2147483647);
    EXPECT_EQ(values.ReadInteger("v", "min", 0), -2147483647 - 1);
    EXPECT_EQ(values.ReadInteger("v", "over", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "allf", 5), -1);
    EXPECT_EQ(values.ReadInteger("v", "nine", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "x", 5), 26);
    EXPECT_EQ(values.ReadInteger("v", "plus", 5), 12);
    EXPECT_EQ(values.ReadInteger("v", "minushex", 5), -16);
    EXPECT_EQ(values.ReadInteger("v", "sign", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "space", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "hexonly", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "zero", 5), 5);
    EXPECT_EQ(values.ReadInteger("v", "lead", 5), 7);
}

TEST(QuickIni, LinesStopAtNulAndBreakAtCrOrLf)
{
    const std::string text = std::string("[a]\rk=1\n\r\n[b]\r\rk=2\n\nk3=3") + std::string(1, '\0') + "[c]\r\nk=4";
    const skin::TQuickIni ini = Ini(text);
    ASSERT_EQ(ini.Lines.Count(), 5);
    EXPECT_EQ(ini.Lines[4], "k3=3");
    EXPECT_EQ(ini.Sections.Count(), 2);
    EXPECT_EQ(ini.Sections.Object(1), 2);
    EXPECT_EQ(ini.ReadInteger("b", "k", 0), 2);
    EXPECT_EQ(ini.FindSection("c"), -1);
}

TEST(QuickIni, ReadSectionsAndStreams)
{
    ui::TMemoryStream stream;
    const std::string text = "garbage[  Title  ]\n[ Title ]\n[Buttons]\n[]\n";
    stream.Write(text.data(), text.size());
    stream.SetPosition(7);  // from the current position on
    skin::TQuickIni ini;
    ini.LoadFromStream(&stream);
    ui::TStringList names;
    names.Add("stale", 99);
    ini.ReadSections(names);
    ASSERT_EQ(names.Count(), 4);
    EXPECT_EQ(names[0], "Title");
    EXPECT_EQ(names[1], "Title");  // duplicates kept
    EXPECT_EQ(names[2], "Buttons");
    EXPECT_EQ(names[3], "");
    EXPECT_EQ(names.Object(0), 0);
    // Section lookups compare the header as kept: "[ Title ]" is not "[Title]".
    EXPECT_EQ(ini.FindSection("  Title  "), 0);
    EXPECT_EQ(ini.FindSection("Title"), -1);

    ini.LoadFromStream(nullptr);  // leaves the content
    EXPECT_EQ(ini.Lines.Count(), 4);
    ini.LoadFromText("[x]\nk=v");  // a second load replaces everything
    EXPECT_EQ(ini.Sections.Count(), 1);
    EXPECT_EQ(ini.ReadString("x", "k", ""), "v");
    EXPECT_EQ(skin::TQuickIni().ReadString("x", "k", "empty"), "empty");
}

TEST(QuickIni, KeepsABoundedNumberOfLines)
{
    std::string text = "[s]\n";
    for (int i = 0; i < skin::TQuickIni::MaxLines + 10; ++i)
        text += "k=1\n";
    const skin::TQuickIni ini = Ini(text);
    EXPECT_EQ(ini.Lines.Count(), skin::TQuickIni::MaxLines);
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
}

} // namespace
