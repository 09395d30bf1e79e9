#pragma once
#include <cstddef>
#include <cstdint>

// Rows of 3-byte B, G, R pixels to and from planes of one channel each, as planar files
// store them.

// bgr[3x..3x+2] = blue[x], green[x], red[x] for `count` pixels.
void InterleavePlanes(const std::uint8_t* red, const std::uint8_t* green, const std::uint8_t* blue, std::uint8_t* bgr,
                      std::size_t count);

// The opposite: each channel of `count` pixels into its own plane.
void SplitPlanes(const std::uint8_t* bgr, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                 std::size_t count);
