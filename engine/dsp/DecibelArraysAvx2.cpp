// Built with AVX2 enabled (see CMakeLists.txt). It includes nothing that
// holds compiled inline code shared with the rest of the program, only the
// kernels' constants and templates, so no AVX2 instruction can leak into code
// that runs on processors without it.
#include "DecibelArraysAvx2.h"

#include "FastMathKernels.h"

#include <cfloat>
#include <cstdint>
#include <immintrin.h>

namespace
{
    using namespace AudioDev::FastMath::Kernels;

    // Four doubles with the arithmetic the kernels' templates use.
    struct Quad
    {
        Quad (__m256d value) noexcept : lanes (value) {}
        explicit Quad (double value) noexcept : lanes (_mm256_set1_pd (value)) {}

        __m256d lanes;

        friend Quad operator+ (Quad a, Quad b) noexcept { return _mm256_add_pd (a.lanes, b.lanes); }
        friend Quad operator- (Quad a, Quad b) noexcept { return _mm256_sub_pd (a.lanes, b.lanes); }
        friend Quad operator* (Quad a, Quad b) noexcept { return _mm256_mul_pd (a.lanes, b.lanes); }
        friend Quad operator/ (Quad a, Quad b) noexcept { return _mm256_div_pd (a.lanes, b.lanes); }
    };

    constexpr std::int64_t oneBits = 0x3ff0000000000000ll;
    constexpr std::int64_t sqrtHalfHighBits = 0x3fe6a09e00000000ll;
    constexpr std::int64_t mantissaMask = 0x000fffffffffffffll;
    constexpr double maxExpArgument = 700.0;

    bool allWithin (__m256d x, double low, double high) noexcept
    {
        const auto inside = _mm256_and_pd (_mm256_cmp_pd (x, _mm256_set1_pd (low), _CMP_GE_OQ),
                                           _mm256_cmp_pd (x, _mm256_set1_pd (high), _CMP_LE_OQ));
        return _mm256_movemask_pd (inside) == 0xf;
    }

    // ln of four positive, normal, finite values.
    Quad logOf (__m256d x) noexcept
    {
        const auto shifted = _mm256_add_epi64 (_mm256_castpd_si256 (x), _mm256_set1_epi64x (oneBits - sqrtHalfHighBits));

        // The biased exponent (0 ... 2047) as a double: placed in the mantissa of 2^52.
        const auto twoTo52 = _mm256_set1_pd (0x1p52);
        const auto biased = _mm256_or_si256 (_mm256_srli_epi64 (shifted, 52), _mm256_castpd_si256 (twoTo52));
        const Quad k = _mm256_sub_pd (_mm256_sub_pd (_mm256_castsi256_pd (biased), twoTo52), _mm256_set1_pd (0x3ff));

        const auto mantissas = _mm256_add_epi64 (_mm256_and_si256 (shifted, _mm256_set1_epi64x (mantissaMask)),
                                                 _mm256_set1_epi64x (sqrtHalfHighBits));
        const Quad f = _mm256_sub_pd (_mm256_castsi256_pd (mantissas), _mm256_set1_pd (1.0));

        return logOfReduced (k, f);
    }

    // e^x of four values within +-maxExpArgument.
    Quad expOf (Quad x, const double* exp2Table) noexcept
    {
        const auto shifted = x * Quad (stepsPerLn2) + Quad (roundingShift);
        const auto steps = _mm256_sub_epi64 (_mm256_castpd_si256 (shifted.lanes),
                                             _mm256_castpd_si256 (_mm256_set1_pd (roundingShift)));
        const auto r = expRemainder (x, shifted - Quad (roundingShift));

        const auto table = _mm256_i64gather_pd (exp2Table, _mm256_and_si256 (steps, _mm256_set1_epi64x (31)), 8);
        const auto mantissa = Quad (table) * expOfRemainder (r);

        const auto exponents = _mm256_slli_epi64 (_mm256_and_si256 (steps, _mm256_set1_epi64x (~31ll)), 47);
        return _mm256_castsi256_pd (_mm256_add_epi64 (_mm256_castpd_si256 (mantissa.lanes), exponents));
    }
}

namespace AudioDev::Avx2
{
    int gainsToDecibels (double* values, int numValues, double floorGain, double floorDb, double decibelsPerNeper) noexcept
    {
        int i = 0;

        for (; i + 4 <= numValues; i += 4)
        {
            const auto gains = _mm256_loadu_pd (values + i);
            const auto clamped = _mm256_max_pd (_mm256_set1_pd (floorGain), gains); // a NaN stays NaN

            if (! allWithin (clamped, DBL_MIN, DBL_MAX))
                break;

            const auto underFloor = _mm256_cmp_pd (gains, _mm256_set1_pd (floorGain), _CMP_LT_OQ);
            const auto levels = logOf (clamped) * Quad (decibelsPerNeper);
            _mm256_storeu_pd (values + i, _mm256_blendv_pd (levels.lanes, _mm256_set1_pd (floorDb), underFloor));
        }

        return i;
    }

    int decibelsToGains (double* values, int numValues, double nepersPerDecibel, const double* exp2Table) noexcept
    {
        int i = 0;

        for (; i + 4 <= numValues; i += 4)
        {
            const auto x = Quad (_mm256_loadu_pd (values + i)) * Quad (nepersPerDecibel);

            if (! allWithin (x.lanes, -maxExpArgument, maxExpArgument))
                break;

            _mm256_storeu_pd (values + i, expOf (x, exp2Table).lanes);
        }

        return i;
    }

    int raiseToPower (double* values, int numValues, double power, const double* exp2Table) noexcept
    {
        int i = 0;

        for (; i + 4 <= numValues; i += 4)
        {
            const auto x = _mm256_loadu_pd (values + i);

            if (! allWithin (x, DBL_MIN, DBL_MAX))
                break;

            const auto exponent = logOf (x) * Quad (power);

            if (! allWithin (exponent.lanes, -maxExpArgument, maxExpArgument))
                break;

            _mm256_storeu_pd (values + i, expOf (exponent, exp2Table).lanes);
        }

        return i;
    }
} // namespace AudioDev::Avx2
