// A tiny builder of RIFF bytes for the tests' fixtures: every field little-endian, every chunk
// written exactly as asked, consistent or not.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace riff {

using Bytes = std::string;

inline Bytes u16(std::uint16_t value) {
  return Bytes{static_cast<char>(value & 0xFFU), static_cast<char>(value >> 8U)};
}

inline Bytes u32(std::uint32_t value) {
  return u16(static_cast<std::uint16_t>(value & 0xFFFFU)) +
         u16(static_cast<std::uint16_t>(value >> 16U));
}

// Four identifier bytes as given, so zero, control and high bytes can be written too. A string
// with a zero byte must come as Bytes(text, 4): a plain literal would stop at the zero.
inline Bytes id(std::string_view four) {
  if (four.size() != 4) {
    throw std::invalid_argument("an identifier has four bytes");
  }
  return Bytes(four);
}

inline Bytes main_header(std::uint32_t length, std::string_view form = "WAVE",
                         std::string_view tag = "RIFF") {
  return id(tag) + u32(length) + id(form);
}

// An 8-byte chunk header and the data that follows it; length need not match the data.
inline Bytes chunk(std::string_view tag, std::uint32_t length, const Bytes& data = {}) {
  return id(tag) + u32(length) + data;
}

struct Format {
  std::string_view tag = "fmt ";
  std::uint32_t length = 16;
  std::uint16_t format_tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t sample_rate = 8000;
  std::uint32_t byte_rate = 16000;
  std::uint16_t block_align = 2;
  std::uint16_t bits_per_sample = 16;
};

// The 24 bytes that the format reader takes: the chunk header and 16 body bytes.
inline Bytes format_chunk(const Format& format = {}) {
  return id(format.tag) + u32(format.length) + u16(format.format_tag) + u16(format.channels) +
         u32(format.sample_rate) + u32(format.byte_rate) + u16(format.block_align) +
         u16(format.bits_per_sample);
}

// 144 bytes: RIFF header (length 136), a 16-byte format chunk, a 100-byte data chunk.
inline Bytes worked_example() {
  return main_header(136) + format_chunk() + chunk("data", 100, Bytes(100, '\0'));
}

}  // namespace riff
