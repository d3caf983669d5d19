#include "Lzh.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace skin {
namespace lzh {

namespace {

// d_code: the upper position value of each first byte, in groups of equal prefix length.
// Built from the group sizes so the table cannot drift from the code it describes.
constexpr std::array<std::uint8_t, 256> MakeDCode()
{
    std::array<std::uint8_t, 256> table{};
    const int groups[][3] = {{0, 0, 32}, {1, 3, 16}, {4, 11, 8}, {12, 23, 4}, {24, 47, 2}, {48, 63, 1}};
    int index = 0;
    for (const auto& group : groups)
        for (int value = group[0]; value <= group[1]; ++value)
            for (int k = 0; k < group[2]; ++k)
                table[index++] = static_cast<std::uint8_t>(value);
    return table;
}

constexpr std::array<std::uint8_t, 256> MakeDLen()
{
    std::array<std::uint8_t, 256> table{};
    const int groups[][2] = {{3, 32}, {4, 48}, {5, 64}, {6, 48}, {7, 48}, {8, 16}};
    int index = 0;
    for (const auto& group : groups)
        for (int k = 0; k < group[1]; ++k)
            table[index++] = static_cast<std::uint8_t>(group[0]);
    return table;
}

constexpr auto kDCode = MakeDCode();
constexpr auto kDLen = MakeDLen();

// The encoder's view: for each upper value the first byte that decodes to it, and its length.
constexpr std::array<std::uint8_t, 64> MakePCode()
{
    std::array<std::uint8_t, 64> table{};
    for (int i = 255; i >= 0; --i)
        table[kDCode[i]] = static_cast<std::uint8_t>(i);
    return table;
}

constexpr std::array<std::uint8_t, 64> MakePLen()
{
    std::array<std::uint8_t, 64> table{};
    for (int i = 0; i < 256; ++i)
        table[kDCode[i]] = kDLen[i];
    return table;
}

} // namespace

const std::array<std::uint8_t, 256> d_code = kDCode;
const std::array<std::uint8_t, 256> d_len = kDLen;
const std::array<std::uint8_t, 64> p_code = MakePCode();
const std::array<std::uint8_t, 64> p_len = MakePLen();

void THuffmanModel::StartModel()
{
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = static_cast<std::int16_t>(i + T);
        prnt[i + T] = static_cast<std::int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
        son[j] = static_cast<std::int16_t>(i);
        prnt[i] = prnt[i + 1] = static_cast<std::int16_t>(j);
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
}

void THuffmanModel::Reconstruct()
{
    // Leaves to the front, frequencies halved rounding up.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Inner nodes, each inserted where the ascending frequency order wants it.
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
        const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
        int k = n - 1;
        while (f < freq[k])
            --k;
        ++k;
        std::memmove(&freq[k + 1], &freq[k], (n - k) * sizeof(freq[0]));
        std::memmove(&son[k + 1], &son[k], (n - k) * sizeof(son[0]));
        freq[k] = static_cast<std::uint16_t>(f);
        son[k] = static_cast<std::int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        if (k >= T)
            prnt[k] = static_cast<std::int16_t>(i);
        else
            prnt[k] = prnt[k + 1] = static_cast<std::int16_t>(i);
    }
}

namespace {

// The per-symbol update, inlined into the decoder's loop. Local restrict pointers: the three
// tables never overlap, which the compiler cannot know for same-sized integer arrays.
inline void UpdateModel(THuffmanModel& model, int symbol)
{
    if (model.freq[R] == MAX_FREQ)
        model.Reconstruct();
    std::uint16_t* __restrict freq = model.freq;
    std::int16_t* __restrict prnt = model.prnt;
    std::int16_t* __restrict son = model.son;
    int c = prnt[symbol + T];
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) {
            // Move the node past every node of lower frequency to keep the order ascending.
            int l = c + 1;
            while (k > freq[l + 1])
                ++l;
            freq[c] = freq[l];
            freq[l] = static_cast<std::uint16_t>(k);
            const int i = son[c];
            prnt[i] = static_cast<std::int16_t>(l);
            if (i < T)
                prnt[i + 1] = static_cast<std::int16_t>(l);
            const int j = son[l];
            son[l] = static_cast<std::int16_t>(i);
            prnt[j] = static_cast<std::int16_t>(c);
            if (j < T)
                prnt[j + 1] = static_cast<std::int16_t>(c);
            son[c] = static_cast<std::int16_t>(j);
            c = l;
        }
        c = prnt[c];
    } while (c != 0);
}

} // namespace

void THuffmanModel::Update(int symbol) { UpdateModel(*this, symbol); }

} // namespace lzh

namespace {

using namespace lzh;

// Most-significant-bit-first reader over a byte buffer. A wide accumulator instead of the classic
// 16-bit one: the bits delivered are the same, and past the end of the input it delivers zeros.
class TBitInput {
public:
    TBitInput(const std::uint8_t* data, std::size_t size) : next_(data), end_(data + size), start_(data) {}

    unsigned Bit()
    {
        if (count_ == 0)
            Refill();
        const unsigned bit = static_cast<unsigned>(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }

    unsigned Byte()
    {
        if (count_ < 8)
            Refill();
        const unsigned value = static_cast<unsigned>(bits_ >> 56);
        bits_ <<= 8;
        count_ -= 8;
        return value;
    }

    // Walks the Huffman tree from the root to a leaf, one bit per level; returns the leaf code.
    // Checks for an empty accumulator only every 24 bits (a tree deeper than that is rare).
    int DecodeLeaf(const std::int16_t* son)
    {
        int c = son[R];
        for (;;) {
            if (count_ < 24)
                Refill();
            std::uint64_t bits = bits_;
            int used = 0;
            while (c < T && used < 24) {
                c = son[c + static_cast<int>(bits >> 63)];
                bits <<= 1;
                ++used;
            }
            bits_ = bits;
            count_ -= used;
            if (c >= T)
                return c;
        }
    }

    std::size_t Consumed() const { return static_cast<std::size_t>(next_ - start_); }
    // Whether a bit taken so far lay past the end of the input (a zero standing in for it).
    bool UsedPadding() const { return padding_ * 8 > static_cast<std::uint64_t>(count_); }

private:
    void Refill()
    {
        while (count_ <= 56) {
            std::uint64_t b = 0;
            if (next_ < end_)
                b = *next_++;
            else
                ++padding_;
            bits_ |= b << (56 - count_);
            count_ += 8;
        }
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    const std::uint8_t* start_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::uint64_t padding_ = 0;  // zero bytes fed past the end
};

// The tables of one expansion, allocated together.
struct TDecoderTables {
    THuffmanModel model;
};

} // namespace

std::size_t TLZH::Expand(std::uint32_t size)
{
    std::unique_ptr<TDecoderTables> tables(new (std::nothrow) TDecoderTables);
    if (!tables)
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    THuffmanModel& model = tables->model;
    model.StartModel();

    const std::size_t inPos = std::min(input_->Position(), input_->Size());
    TBitInput in(input_->Memory() + inPos, input_->Size() - inPos);

    // The output doubles as the window: a match reads the bytes already written. Room for one
    // match beyond `size`, trimmed at the end.
    const std::size_t outPos = output_->Position();
    const std::size_t oldSize = output_->Size();
    try {
        output_->SetSize(std::max(oldSize, outPos + size + F));
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    std::uint8_t* out = output_->Memory() + outPos;

    std::size_t count = 0;
    while (count < size) {
        const int c = in.DecodeLeaf(model.son) - T;
        UpdateModel(model, c);
        if (c < 256) {
            out[count++] = static_cast<std::uint8_t>(c);
            continue;
        }
        // A match: position coded as a prefix for the upper six bits and six plain bits.
        unsigned i = in.Byte();
        const unsigned upper = static_cast<unsigned>(d_code[i]) << 6;
        for (int j = d_len[i] - 2; j > 0; --j)
            i = ((i << 1) + in.Bit()) & 0xFFFF;
        const std::size_t distance = (upper | (i & 0x3F)) + 1;
        const std::size_t length = static_cast<std::size_t>(c - 255 + THRESHOLD);
        std::uint8_t* dst = out + count;
        if (distance <= count) {
            // Byte by byte on purpose: an overlapping source repeats the bytes just written.
            const std::uint8_t* src = dst - distance;
            for (std::size_t k = 0; k < length; ++k)
                dst[k] = src[k];
        } else {
            // Reaches back before the first output byte: the window started as N-F spaces
            // followed by F never-written places, which read as zero here.
            const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(count) - static_cast<std::ptrdiff_t>(distance);
            for (std::size_t k = 0; k < length; ++k) {
                const std::ptrdiff_t s = first + static_cast<std::ptrdiff_t>(k);
                dst[k] = s >= 0 ? out[s] : (s >= -(N - F) ? 0x20 : 0);
            }
        }
        count += length;
    }

    const std::size_t end = outPos + count;
    output_->SetSize(std::max(oldSize, end));
    output_->SetPosition(end);
    input_->SetPosition(inPos + in.Consumed());
    endedEarly_ = in.UsedPadding();
    return count;
}

} // namespace skin
