#pragma once
// LZHUF: LZSS over a 4096-byte window with an adaptive Huffman code for literals and match
// lengths, and a fixed prefix code for the upper six bits of match positions. The decoder expands
// skin archives; the encoder (LzhEncoder.h) exists for the packer and the tests.
#include "ui/Classes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace skin {

// The decoder's failures (only memory for its tables can fail; damaged input never raises).
class ElzhException : public ui::Exception {
public:
    explicit ElzhException(const std::string& message) : ui::Exception(message) {}
};

namespace lzh {

constexpr int N = 4096;              // window size
constexpr int F = 60;                // longest match
constexpr int THRESHOLD = 2;         // shorter matches are sent as literals
constexpr int N_CHAR = 256 - THRESHOLD + F;  // 256 literals + 58 match lengths
constexpr int T = N_CHAR * 2 - 1;    // tree size
constexpr int R = T - 1;             // root
constexpr unsigned MAX_FREQ = 0x8000;  // root frequency that halves every frequency
constexpr int WINDOW_ALLOC = N + F - 1;  // the window as allocated (one match of slack)

// Prefix code of a position's upper six bits, indexed by the first byte read.
extern const std::array<std::uint8_t, 256> d_code;
extern const std::array<std::uint8_t, 256> d_len;
// The same code seen from the encoder: bits (left-aligned in a byte) and length per upper value.
extern const std::array<std::uint8_t, 64> p_code;
extern const std::array<std::uint8_t, 64> p_len;

// The adaptive Huffman tree shared by decoder and encoder: both sides must update it identically.
// Siblings sit at even/odd neighbours; son[c] is the even child of inner node c, or leaf symbol+T.
struct THuffmanModel {
    std::uint16_t freq[T + 1];
    std::int16_t prnt[T + N_CHAR];
    std::int16_t son[T];

    void StartModel();
    // Counts one more occurrence of symbol and restores the sibling order.
    void Update(int symbol);
    // Halves the frequencies (rounding up) and rebuilds the inner nodes.
    void Reconstruct();
};

} // namespace lzh

// Expands one LZHUF stream from `Input` (its current position) into `Output` (its current
// position). Created for one expansion and freed after it.
class TLZH {
public:
    TLZH(ui::TMemoryStream* input, ui::TMemoryStream* output) : input_(input), output_(output) {}

    // Decodes until at least `size` bytes were written; a match crossing `size` is written whole,
    // so up to F-1 bytes more may come out. When the input ends early, zero bytes stand in for it
    // and decoding goes on: that never fails, it only yields a damaged container. The caller
    // bounds `size` (TSkinReader caps it) since the output grows to that length whatever the input.
    // Returns the number of bytes written.
    std::size_t Expand(std::uint32_t size);
    // After Expand: whether the input ended before `size` bytes were decoded, so that zeros stood
    // in for part of the stream (the output is then damaged). For tools that report it.
    bool InputEndedEarly() const { return endedEarly_; }

private:
    ui::TMemoryStream* input_;
    ui::TMemoryStream* output_;
    bool endedEarly_ = false;
};

} // namespace skin
