#include "LzhEncoder.h"

#include "Lzh.h"

#include <algorithm>
#include <memory>

namespace skin {

namespace {

using namespace lzh;

class TBitOutput {
public:
    explicit TBitOutput(std::vector<std::uint8_t>& out) : out_(out) {}

    // Appends the low `count` bits of `value`, most significant first (count <= 32).
    void Put(std::uint32_t value, int count)
    {
        bits_ = (bits_ << count) | (value & ((count == 32) ? 0xFFFFFFFFu : ((1u << count) - 1)));
        count_ += count;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(bits_ >> count_));
        }
    }

    // Pads the last byte with zero bits.
    void Flush()
    {
        if (count_ > 0)
            out_.push_back(static_cast<std::uint8_t>(bits_ << (8 - count_)));
        count_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

void EncodeChar(THuffmanModel& model, TBitOutput& out, int symbol)
{
    // Walk from the leaf to the root collecting the branch taken at each level, then send them
    // root first. Codes can grow past 16 bits once frequencies skew, so no fixed-width buffer.
    int path[T];
    int depth = 0;
    int k = model.prnt[symbol + T];
    while (k != R) {
        const int parent = model.prnt[k];
        path[depth++] = k - model.son[parent];
        k = parent;
    }
    while (depth > 0)
        out.Put(static_cast<std::uint32_t>(path[--depth]), 1);
    model.Update(symbol);
}

void EncodePosition(TBitOutput& out, unsigned code)
{
    const unsigned upper = code >> 6;
    out.Put(static_cast<std::uint32_t>(p_code[upper] >> (8 - p_len[upper])), p_len[upper]);
    out.Put(code & 0x3F, 6);
}

} // namespace

std::vector<std::uint8_t> LzhEncode(const std::uint8_t* data, std::size_t size, const TLzhEncodeOptions& options)
{
    std::vector<std::uint8_t> result;
    result.reserve(size / 4 + 16);
    TBitOutput out(result);
    auto model = std::make_unique<THuffmanModel>();
    model->StartModel();

    // The text as the decoder sees it: N-F spaces, then the data. Matches may reach into the spaces
    // but never before them (the decoder's other window places are never written at that point).
    const std::size_t prefix = N - F;
    std::vector<std::uint8_t> text(prefix + size);
    std::fill(text.begin(), text.begin() + prefix, 0x20);
    std::copy(data, data + size, text.begin() + prefix);

    // Hash chains over three-byte prefixes.
    constexpr int kHashBits = 15;
    std::vector<std::int32_t> head(1u << kHashBits, -1);
    std::vector<std::int32_t> prev(text.size(), -1);
    auto hashAt = [&](std::size_t p) {
        const std::uint32_t v = (static_cast<std::uint32_t>(text[p]) << 16) | (text[p + 1] << 8) | text[p + 2];
        return (v * 2654435761u) >> (32 - kHashBits);
    };
    auto insert = [&](std::size_t p) {
        if (p + 2 >= text.size())
            return;
        const std::uint32_t h = hashAt(p);
        prev[p] = head[h];
        head[h] = static_cast<std::int32_t>(p);
    };
    // Only the last F places of the space run are worth offering: any other one matches no longer.
    for (std::size_t p = prefix - F; p < prefix; ++p)
        insert(p);

    std::size_t pos = prefix;
    const std::size_t end = text.size();
    while (pos < end) {
        const std::size_t maxLength = std::min<std::size_t>(F, end - pos);
        std::size_t bestLength = 0, bestDistance = 0;
        if (!options.LiteralsOnly && maxLength > THRESHOLD) {
            int chain = options.MaxChain;
            for (std::int32_t cand = head[hashAt(pos)]; cand >= 0 && chain-- > 0; cand = prev[cand]) {
                const std::size_t distance = pos - static_cast<std::size_t>(cand);
                if (distance > N)
                    break;
                if (text[cand + bestLength] != text[pos + bestLength])
                    continue;
                std::size_t length = 0;
                while (length < maxLength && text[cand + length] == text[pos + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == maxLength)
                        break;
                }
            }
        }
        if (bestLength > THRESHOLD) {
            EncodeChar(*model, out, static_cast<int>(255 - THRESHOLD + bestLength));
            EncodePosition(out, static_cast<unsigned>(bestDistance - 1));
            for (std::size_t k = 0; k < bestLength; ++k)
                insert(pos + k);
            pos += bestLength;
        } else {
            EncodeChar(*model, out, text[pos]);
            insert(pos);
            ++pos;
        }
    }
    out.Flush();
    return result;
}

} // namespace skin
