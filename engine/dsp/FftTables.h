#pragma once

#include <array>
#include <cmath>
#include <cstdint>

// Twiddle factors and the bit-reversal permutation of a radix-2 FFT of Size
// points, computed once at construction so that a transform needs no
// trigonometry.
template <int Size>
struct FftTables
{
    static_assert (Size >= 2 && (Size & (Size - 1)) == 0, "FFT size must be a power of two");

    FftTables() noexcept
    {
        while ((1 << log2Size) < Size)
            ++log2Size;

        for (int k = 0; k < Size / 2; ++k)
        {
            const auto angle = 2.0 * pi * k / Size;
            cosTable[(size_t) k] = std::cos (angle);
            sinTable[(size_t) k] = std::sin (angle);
        }

        for (int i = 0; i < Size; ++i)
        {
            std::uint32_t reversed = 0;
            for (int bit = 0; bit < log2Size; ++bit)
                reversed |= (std::uint32_t) ((i >> bit) & 1) << (log2Size - 1 - bit);
            bitReversal[(size_t) i] = reversed;
        }
    }

    double pi = 3.14159265358979323846;
    int log2Size = 0;
    std::array<double, Size / 2> cosTable {};
    std::array<double, Size / 2> sinTable {};
    std::array<std::uint32_t, Size> bitReversal {};
};
