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

// The prefix code of a position's upper six bits, from the group sizes the format gives.
int DCode(unsigned i)
{
    if (i < 32) return 0;
    if (i < 80) return 1 + (i - 32) / 16;
    if (i < 144) return 4 + (i - 80) / 8;
    if (i < 192) return 12 + (i - 144) / 4;
    if (i < 240) return 24 + (i - 192) / 2;
    return 48 + (i - 240);
}
int DLen(unsigned i)
{
    if (i < 32) return 3;
    if (i < 80) return 4;
    if (i < 144) return 5;
    if (i < 192) return 6;
    if (i < 240) return 7;
    return 8;
}

// The adaptive tree, written from the description of the format, independent of the decoder under
// test; the reference decoder reads with it and the hand-made streams below are written with it.
struct TReferenceModel {
    unsigned freq[628] = {};
    int prnt[941] = {};
    int son[627] = {};

    TReferenceModel()
    {
        for (int i = 0; i < 314; ++i) {
            freq[i] = 1;
            son[i] = i + 627;
            prnt[i + 627] = i;
        }
        for (int i = 0, j = 314; j <= 626; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[627] = 0xFFFF;
        prnt[626] = 0;
    }

    void Rebuild()
    {
        int j = 0;
        for (int i = 0; i < 627; ++i)
            if (son[i] >= 627) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        for (int i = 0, n = 314; n <= 626; i += 2, ++n) {
            const unsigned f = freq[i] + freq[i + 1];
            int k = n - 1;
            while (f < freq[k])
                --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = f;
            son[k] = i;
        }
        for (int i = 0; i < 627; ++i) {
            const int k = son[i];
            if (k >= 627)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }

    void Update(int symbol)
    {
        if (freq[626] == 0x8000)
            Rebuild();
        int c = prnt[symbol + 627];
        do {
            const unsigned k = ++freq[c];
            if (k > freq[c + 1]) {
                int l = c + 1;
                while (freq[l + 1] < k)
                    ++l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < 627)
                    prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < 627)
                    prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
            c = prnt[c];
        } while (c != 0);
    }
};

// Written from the description of the format, independent of the decoder under test.
class TReferenceDecoder {
public:
    explicit TReferenceDecoder(const Bytes& input) : input_(input) {}

    Bytes Expand(std::size_t size)
    {
        std::vector<std::uint8_t> window(4096, 0);
        std::memset(window.data(), ' ', 4036);
        int r = 4036;
        Bytes out;
        while (out.size() < size) {
            int c = model_.son[626];
            while (c < 627)
                c = model_.son[c + ReadBit()];
            c -= 627;
            model_.Update(c);
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
    int DecodePosition()
    {
        unsigned i = ReadByte();
        const int c = DCode(i) << 6;
        for (int j = DLen(i) - 2; j > 0; --j)
            i = ((i << 1) + ReadBit()) & 0xFFFF;
        return c | (i & 0x3F);
    }

    const Bytes& input_;
    std::size_t next_ = 0;
    unsigned buf_ = 0;
    int len_ = 0;
    TReferenceModel model_;
};

// A stream written symbol by symbol, most significant bit first, padded with zero bits.
class THandStream {
public:
    void Literal(std::uint8_t byte) { Symbol(byte); }

    // A match of `length` (3..60) bytes starting `distance` (1..4096) bytes back from the write
    // position: symbol length + 253, then the position distance - 1.
    void Match(unsigned distance, int length)
    {
        Symbol(length + 253);
        const unsigned position = distance - 1;
        unsigned first = 0;
        while (DCode(first) != static_cast<int>(position >> 6))
            ++first;
        const int prefix = DLen(first);
        Bits(first >> (8 - prefix), prefix);
        Bits(position & 0x3F, 6);
    }

    const Bytes& Stream() const { return bytes_; }

private:
    // The symbol's path from the root: each node's place among its siblings is one bit.
    void Symbol(int symbol)
    {
        std::vector<int> path;
        for (int node = model_.prnt[symbol + 627]; node != 626; node = model_.prnt[node])
            path.push_back(node & 1);
        for (auto bit = path.rbegin(); bit != path.rend(); ++bit)
            Bits(static_cast<unsigned>(*bit), 1);
        model_.Update(symbol);
    }

    void Bits(unsigned value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            if (used_ % 8 == 0)
                bytes_.push_back(0);
            if ((value >> i) & 1)
                bytes_.back() |= static_cast<std::uint8_t>(0x80 >> (used_ % 8));
            ++used_;
        }
    }

    TReferenceModel model_;
    Bytes bytes_;
    std::size_t used_ = 0;
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

TEST(Lzh, HandWrittenStreamsSpellTheirSymbols)
{
    // The writer's codes are the initial tree's: 'A' alone is the nine bits 111001101.
    THandStream a;
    a.Literal('A');
    EXPECT_EQ(a.Stream(), (Bytes{0xE6, 0x80}));
    // A match at distance 1 copies the byte before it again and again.
    THandStream run;
    run.Literal('q');
    run.Match(1, 5);
    EXPECT_EQ(Expand(run.Stream(), 6), Text("qqqqqq"));
}

TEST(Lzh, FirstMatchesReadTheEdgesOfTheInitialWindow)
{
    // Before any output the window holds spaces at 0..4035 and the write position is 4036; the
    // decoder reads the 60 places 4036..4095, never written yet, as zero bytes. A match from the
    // write position w reaches back to (w - distance) mod 4096.
    const Bytes spaces3 = Text("   ");
    const Bytes zeroThenSpaces = {0, ' ', ' '};
    Bytes zeros60(60, 0);
    Bytes zeros59Space(59, 0);
    zeros59Space.push_back(' ');
    struct Case {
        const char* what;
        std::string literals;
        unsigned distance;
        int length;
        Bytes copied;
    };
    const Case cases[] = {
        {"the last space (4035)", "", 1, 3, spaces3},
        {"the first space (0)", "", 4036, 3, spaces3},
        {"just past the spaces (4095), then wrapping to 0", "", 4037, 3, zeroThenSpaces},
        // Each place is read before the same match writes it: zeros all the way.
        {"the write position itself (4036)", "", 4096, 60, zeros60},
        {"4037..4095, then the first space", "", 4095, 60, zeros59Space},
        // One literal moved the write position to 4037.
        {"after a literal, the first space (0)", "A", 4037, 3, spaces3},
        {"after a literal, just past the spaces (4095)", "A", 4038, 3, zeroThenSpaces},
        {"after a literal, the oldest place (4037)", "A", 4096, 60, zeros59Space},
        {"after a literal, the spaces and the literal", "A", 2, 4, Text(" A A")},
    };
    for (const Case& c : cases) {
        THandStream stream;
        for (char literal : c.literals)
            stream.Literal(static_cast<std::uint8_t>(literal));
        stream.Match(c.distance, c.length);
        Bytes expected = Text(c.literals);
        expected.insert(expected.end(), c.copied.begin(), c.copied.end());
        const std::uint32_t size = static_cast<std::uint32_t>(expected.size());
        EXPECT_EQ(Expand(stream.Stream(), size), expected) << c.what;
        EXPECT_EQ(TReferenceDecoder(stream.Stream()).Expand(size), expected) << c.what;
    }
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
