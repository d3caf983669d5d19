// The decoder against a plain transcription of the LZHUF scheme (16-bit bit buffer, ring window,
// one byte at a time), and against the encoder the packer uses.
#include "skin/data/Lzh.h"
#include "skin/data/LzhEncoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Written from the description of the format, independent of the decoder under test.
class TReferenceDecoder {
public:
    explicit TReferenceDecoder(const Bytes& input) : input_(input) {}

    Bytes Expand(std::size_t size)
    {
        for (int i = 0; i < 314; ++i) {
            freq_[i] = 1;
            son_[i] = i + 627;
            prnt_[i + 627] = i;
        }
        for (int i = 0, j = 314; j <= 626; i += 2, ++j) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            prnt_[i] = prnt_[i + 1] = j;
        }
        freq_[627] = 0xFFFF;
        prnt_[626] = 0;
        std::vector<std::uint8_t> window(4096, 0);
        std::memset(window.data(), ' ', 4036);
        int r = 4036;
        Bytes out;
        while (out.size() < size) {
            int c = son_[626];
            while (c < 627)
                c = son_[c + ReadBit()];
            c -= 627;
            Update(c);
            if (c < 256) {
                out.push_back(static_cast<std::uint8_t>(c));
                window[r] = static_cast<std::uint8_t>(c);
                r = (r + 1) & 4095;
            } else {
                const int start = (r - DecodePosition() - 1) & 4095;
                for (int k = 0; k < c - 253; ++k) {
                    const std::uint8_t b = window[(start + k) & 4095];
                    out.push_back(b);
                    window[r] = b;
                    r = (r + 1) & 4095;
                }
            }
        }
        return out;
    }

private:
    void Refill()
    {
        while (len_ <= 8) {
            const unsigned b = next_ < input_.size() ? input_[next_++] : 0;
            buf_ = (buf_ | (b << (8 - len_))) & 0xFFFF;
            len_ += 8;
        }
    }
    int ReadBit()
    {
        Refill();
        const int bit = (buf_ >> 15) & 1;
        buf_ = (buf_ << 1) & 0xFFFF;
        --len_;
        return bit;
    }
    unsigned ReadByte()
    {
        Refill();
        const unsigned v = buf_ >> 8;
        buf_ = (buf_ << 8) & 0xFFFF;
        len_ -= 8;
        return v;
    }
    static int DCode(unsigned i)
    {
        if (i < 32) return 0;
        if (i < 80) return 1 + (i - 32) / 16;
        if (i < 144) return 4 + (i - 80) / 8;
        if (i < 192) return 12 + (i - 144) / 4;
        if (i < 240) return 24 + (i - 192) / 2;
        return 48 + (i - 240);
    }
    static int DLen(unsigned i)
    {
        if (i < 32) return 3;
        if (i < 80) return 4;
        if (i < 144) return 5;
        if (i < 192) return 6;
        if (i < 240) return 7;
        return 8;
    }
    int DecodePosition()
    {
        unsigned i = ReadByte();
        const int c = DCode(i) << 6;
        for (int j = DLen(i) - 2; j > 0; --j)
            i = ((i << 1) + ReadBit()) & 0xFFFF;
        return c | (i & 0x3F);
    }
    void Rebuild()
    {
        int j = 0;
        for (int i = 0; i < 627; ++i)
            if (son_[i] >= 627) {
                freq_[j] = (freq_[i] + 1) / 2;
                son_[j] = son_[i];
                ++j;
            }
        for (int i = 0, n = 314; n <= 626; i += 2, ++n) {
            const unsigned f = freq_[i] + freq_[i + 1];
            int k = n - 1;
            while (f < freq_[k])
                --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < 627; ++i) {
            const int k = son_[i];
            if (k >= 627)
                prnt_[k] = i;
            else
                prnt_[k] = prnt_[k + 1] = i;
        }
    }
    void Update(int symbol)
    {
        if (freq_[626] == 0x8000)
            Rebuild();
        int c = prnt_[symbol + 627];
        do {
            const unsigned k = ++freq_[c];
            if (k > freq_[c + 1]) {
                int l = c + 1;
                while (freq_[l + 1] < k)
                    ++l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                prnt_[i] = l;
                if (i < 627)
                    prnt_[i + 1] = l;
                const int j = son_[l];
                son_[l] = i;
                prnt_[j] = c;
                if (j < 627)
                    prnt_[j + 1] = c;
                son_[c] = j;
                c = l;
            }
            c = prnt_[c];
        } while (c != 0);
    }

    const Bytes& input_;
    std::size_t next_ = 0;
    unsigned buf_ = 0;
    int len_ = 0;
    unsigned freq_[628] = {};
    int prnt_[941] = {};
    int son_[627] = {};
};

Bytes Expand(const Bytes& stream, std::uint32_t size)
{
    ui::TMemoryStream in(stream), out;
    skin::TLZH(&in, &out).Expand(size);
    return out.Bytes();
}

Bytes Encode(const Bytes& data, const skin::TLzhEncodeOptions& options = {})
{
    return skin::LzhEncode(data.data(), data.size(), options);
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Bitmap-like content: runs, gradients and some noise, as skin images have.
Bytes SkinLikeBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data;
    while (data.size() < size) {
        switch (random() % 3) {
        case 0: data.insert(data.end(), 20 + random() % 200, static_cast<std::uint8_t>(random())); break;
        case 1: for (int i = 0, n = 30 + random() % 300; i < n; ++i) data.push_back(static_cast<std::uint8_t>(i * 3)); break;
        default: for (int i = 0, n = 5 + random() % 40; i < n; ++i) data.push_back(static_cast<std::uint8_t>(random())); break;
        }
    }
    data.resize(size);
    return data;
}

TEST(Lzh, FirstLiteralFollowsTheInitialTree)
{
    // In the starting tree 'A' (leaf 65) sits at 111001101: nine bits, then padding.
    EXPECT_EQ(Expand({0xE6, 0x80}, 1), Text("A"));
}

TEST(Lzh, MatchesTheSchemeOnArbitraryInput)
{
    // Any bytes form some stream; both decoders must read them the same way, rebuilds included
    // (about 32k symbols in) and the zero bytes fed once the input ends.
    std::mt19937 random(7);
    for (std::size_t inputSize : {0u, 1u, 3u, 100u, 5000u, 60000u}) {
        Bytes input(inputSize);
        for (auto& b : input)
            b = static_cast<std::uint8_t>(random());
        const std::uint32_t size = static_cast<std::uint32_t>(inputSize * 3 + 50000);
        const Bytes expected = TReferenceDecoder(input).Expand(size);
        EXPECT_EQ(Expand(input, size), expected) << "input of " << inputSize << " bytes";
    }
}

TEST(Lzh, RoundTripsThroughTheEncoder)
{
    std::mt19937 random(11);
    Bytes noise(70000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    const Bytes cases[] = {
        {},
        Text("x"),
        Text("abcabcabcabcabcabc the quick brown fox, the quick brown fox"),
        SkinLikeBytes(300000, 1),  // long enough for several frequency rebuilds
        noise,
    };
    for (const Bytes& data : cases) {
        const Bytes stream = Encode(data);
        const Bytes decoded = Expand(stream, static_cast<std::uint32_t>(data.size()));
        ASSERT_EQ(decoded.size(), data.size());
        EXPECT_TRUE(decoded == data) << "data of " << data.size() << " bytes";
        EXPECT_EQ(TReferenceDecoder(stream).Expand(data.size()), data);
    }
    // Skin-like content compresses well, so matches of every length and distance were exercised.
    EXPECT_LT(Encode(cases[3]).size(), cases[3].size() / 3);
}

TEST(Lzh, LiteralOnlyStreamCrossesRebuilds)
{
    // 100k literals: the root reaches 0x8000 three times, and every symbol after a rebuild must
    // still decode in step with the encoder's model.
    const Bytes data = SkinLikeBytes(100000, 2);
    skin::TLzhEncodeOptions literals;
    literals.LiteralsOnly = true;
    const Bytes stream = Encode(data, literals);
    EXPECT_EQ(Expand(stream, static_cast<std::uint32_t>(data.size())), data);
}

TEST(Lzh, OverlappingMatchRepeatsFreshBytes)
{
    // "ab" then a match of distance 2 over 58 bytes copies bytes it has just written.
    Bytes data = Text("ab");
    for (int i = 0; i < 58; ++i)
        data.push_back(data[i]);
    const Bytes stream = Encode(data);
    EXPECT_LE(stream.size(), 6u);  // two literals and one match, not 60 literals
    EXPECT_EQ(Expand(stream, 60), data);
}

TEST(Lzh, FirstMatchMayComeFromTheSpaceFilledWindow)
{
    const Bytes data = Text("                                        padded");
    const Bytes stream = Encode(data);
    EXPECT_LE(stream.size(), 12u);  // the forty spaces come as one match into the initial window
    EXPECT_EQ(Expand(stream, static_cast<std::uint32_t>(data.size())), data);
    EXPECT_EQ(TReferenceDecoder(stream).Expand(data.size()), data);
}

TEST(Lzh, MatchCrossingTheSizeIsWrittenWhole)
{
    const Bytes data(60, 'z');  // one literal, then one match of 59
    const Bytes stream = Encode(data);
    EXPECT_EQ(Expand(stream, 2), data);
    EXPECT_EQ(Expand(stream, 0), Bytes());
}

TEST(Lzh, TruncatedStreamIsFilledFromZeroBits)
{
    const Bytes data = SkinLikeBytes(40000, 3);
    Bytes stream = Encode(data);
    stream.resize(stream.size() / 2);
    const Bytes decoded = Expand(stream, static_cast<std::uint32_t>(data.size()));
    ASSERT_GE(decoded.size(), data.size());
    EXPECT_LT(decoded.size(), data.size() + 60);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 1000, decoded.begin()));
    EXPECT_EQ(decoded, TReferenceDecoder(stream).Expand(data.size()));
}

TEST(Lzh, ExpandsFromTheStreamPositions)
{
    const Bytes data = Text("position matters, position matters");
    Bytes stored = Text("head");
    const Bytes stream = Encode(data);
    stored.insert(stored.end(), stream.begin(), stream.end());
    ui::TMemoryStream in(stored), out(Text("keep"));
    in.SetPosition(4);
    out.SetPosition(4);
    EXPECT_EQ(skin::TLZH(&in, &out).Expand(static_cast<std::uint32_t>(data.size())), data.size());
    Bytes expected = Text("keep");
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(out.Position(), expected.size());
}

} // namespace
