#pragma once

#include "FastMathKernels.h"
#include "StereoPair.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Natural logarithm and exponential for the chain's dB conversions, inline and
// free of the library's error handling. Both agree with std::log and std::exp
// to within two units in the last place; arguments outside their fast ranges
// (non-positive, subnormal, huge or non-finite) go to the library.
namespace AudioDev::FastMath
{
    namespace Detail
    {
        using namespace Kernels;

        inline std::uint64_t bitsOf (double x) noexcept
        {
            std::uint64_t bits;
            std::memcpy (&bits, &x, sizeof bits);
            return bits;
        }

        inline double fromBits (std::uint64_t bits) noexcept
        {
            double x;
            std::memcpy (&x, &bits, sizeof x);
            return x;
        }

        // 2^(j / 32), j = 0 ... 31, for the exponential's table reduction.
        inline const std::array<double, 32> exp2Table = []
        {
            std::array<double, 32> table {};
            for (int j = 0; j < 32; ++j)
                table[(size_t) j] = std::exp2 (j / 32.0);
            return table;
        }();
    } // namespace Detail

    // Within +-700 the exponential's result and 2^k stay normal.
    constexpr double maxExpArgument = 700.0;

    // Bit patterns of the logarithm's reduction: 1.0, the high word of
    // sqrt(1/2) and the mantissa.
    constexpr std::uint64_t oneBits = 0x3ff0000000000000ull;
    constexpr std::uint64_t sqrtHalfHighBits = 0x3fe6a09e00000000ull;
    constexpr std::uint64_t mantissaMask = 0x000fffffffffffffull;

    /** ln x, with x = 2^k (1 + f) and 1 + f in [sqrt(1/2), sqrt(2)). */
    inline double log (double x) noexcept
    {
        if (! (x >= std::numeric_limits<double>::min() && x <= std::numeric_limits<double>::max()))
            return std::log (x);

        // Shifting by (1 - sqrt(1/2)) in the bit pattern moves the mantissa's
        // break point to sqrt(2), so no branch is needed to centre it.
        const auto shifted = Detail::bitsOf (x) + (oneBits - sqrtHalfHighBits);
        const auto k = (double) ((int) (shifted >> 52) - 0x3ff);
        const auto f = Detail::fromBits ((shifted & mantissaMask) + sqrtHalfHighBits) - 1.0;

        return Detail::logOfReduced (k, f);
    }

    /** ln of both lanes at once, for pairs of magnitudes; the same results as
        the scalar log, lane by lane.
    */
    inline StereoPair log (StereoPair x) noexcept
    {
        const auto inRange = _mm_and_pd (_mm_cmpge_pd (x.lanes, _mm_set1_pd (std::numeric_limits<double>::min())),
                                         _mm_cmple_pd (x.lanes, _mm_set1_pd (std::numeric_limits<double>::max())));

        if (_mm_movemask_pd (inRange) != 3)
            return StereoPair::of (log (x.left()), log (x.right()));

        const auto shifted = _mm_add_epi64 (_mm_castpd_si128 (x.lanes), _mm_set1_epi64x ((long long) (oneBits - sqrtHalfHighBits)));
        const auto exponents = _mm_shuffle_epi32 (_mm_srli_epi64 (shifted, 52), _MM_SHUFFLE (2, 0, 2, 0));
        const auto k = StereoPair { _mm_cvtepi32_pd (exponents) } - StereoPair::both (0x3ff);
        const auto mantissas = _mm_add_epi64 (_mm_and_si128 (shifted, _mm_set1_epi64x ((long long) mantissaMask)),
                                              _mm_set1_epi64x ((long long) sqrtHalfHighBits));
        const auto f = StereoPair { _mm_castsi128_pd (mantissas) } - StereoPair::both (1.0);

        return Detail::logOfReduced (k, f);
    }

    /** e^x. x = (32 k + j) ln2 / 32 + r with |r| <= ln2 / 64; e^r by its Taylor
        series to r^6, times the table's 2^(j / 32), times 2^k set in the exponent.
    */
    inline double exp (double x) noexcept
    {
        // Within +-700 the result and 2^k stay normal.
        if (! (std::abs (x) <= maxExpArgument))
            return std::exp (x);

        const auto shifted = x * Detail::stepsPerLn2 + Detail::roundingShift;
        const auto steps = (std::int64_t) (Detail::bitsOf (shifted) - Detail::bitsOf (Detail::roundingShift));
        const auto r = Detail::expRemainder (x, shifted - Detail::roundingShift);
        const auto mantissa = Detail::exp2Table[(size_t) (steps & 31)] * Detail::expOfRemainder (r);

        // steps = 32 k + j: k lands in the exponent field.
        return Detail::fromBits (Detail::bitsOf (mantissa) + ((std::uint64_t) (steps & ~std::int64_t { 31 }) << 47));
    }

    /** e^x of both lanes at once; the same results as the scalar exp, lane by lane. */
    inline StereoPair exp (StereoPair x) noexcept
    {
        const auto magnitude = _mm_andnot_pd (_mm_set1_pd (-0.0), x.lanes);

        if (_mm_movemask_pd (_mm_cmple_pd (magnitude, _mm_set1_pd (maxExpArgument))) != 3)
            return StereoPair::of (exp (x.left()), exp (x.right()));

        const auto shifted = x * StereoPair::both (Detail::stepsPerLn2) + StereoPair::both (Detail::roundingShift);
        const auto steps = _mm_sub_epi64 (_mm_castpd_si128 (shifted.lanes),
                                          _mm_set1_epi64x ((long long) Detail::bitsOf (Detail::roundingShift)));
        const auto r = Detail::expRemainder (x, shifted - StereoPair::both (Detail::roundingShift));

        const auto lowSteps = _mm_cvtsi128_si64 (steps);
        const auto highSteps = _mm_cvtsi128_si64 (_mm_unpackhi_epi64 (steps, steps));
        const auto table = StereoPair::of (Detail::exp2Table[(size_t) (lowSteps & 31)], Detail::exp2Table[(size_t) (highSteps & 31)]);
        const auto mantissa = table * Detail::expOfRemainder (r);

        const auto exponents = _mm_slli_epi64 (_mm_and_si128 (steps, _mm_set1_epi64x (~31ll)), 47);
        return { _mm_castsi128_pd (_mm_add_epi64 (_mm_castpd_si128 (mantissa.lanes), exponents)) };
    }

    /** tanh x as (1 - t) / (1 + t) with t = e^(-2|x|), the sign restored; below
        1e-2, where 1 - t would cancel, its Taylor series to x^9. Within 2e-14 of
        std::tanh, relative.
    */
    inline double tanh (double x) noexcept
    {
        const double magnitude = std::abs (x);

        if (magnitude < 1.0e-2)
        {
            const double z = x * x;
            return x * (1.0 - z * (1.0 / 3 - z * (2.0 / 15 - z * (17.0 / 315 - z * (62.0 / 2835)))));
        }

        const double t = exp (-2.0 * magnitude);
        return std::copysign ((1.0 - t) / (1.0 + t), x);
    }

    /** A function of every value of an array, in place: on lane pairs, the
        last odd value alone. */
    template <typename Function>
    void applyInPlace (double* values, int numValues, Function&& function) noexcept
    {
        int i = 0;

        for (; i + 1 < numValues; i += 2)
            function (StereoPair::of (values[i], values[i + 1])).store (values[i], values[i + 1]);

        if (i < numValues)
            values[i] = function (values[i]);
    }
} // namespace AudioDev::FastMath
