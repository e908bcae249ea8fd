#pragma once

// The arithmetic of the chain's logarithm and exponential, shared by the
// scalar, two-lane and four-lane forms: constants and templates only, so that
// a translation unit built for another instruction set can include it without
// sharing any compiled inline code with the rest of the program.
namespace AudioDev::FastMath::Kernels
{
    // ln 2 split so that k * ln2High is exact for every exponent k in range.
    constexpr double ln2High = 6.93147180369123816490e-01;
    constexpr double ln2Low  = 1.90821492927058770002e-10;

    // ln (1 + f) + k ln 2 for 1 + f in [sqrt(1/2), sqrt(2)): f / (2 + f) and a
    // minimax series in its square (the classic fdlibm form). A template so
    // that one text serves scalars and lane groups.
    template <typename Value>
    Value logOfReduced (Value k, Value f) noexcept
    {
        const auto c = [] (double value) { return Value (value); };
        const auto lg1 = c (6.666666666666735130e-01), lg2 = c (3.999999999940941908e-01),
                   lg3 = c (2.857142874366239149e-01), lg4 = c (2.222219843214978396e-01),
                   lg5 = c (1.818357216161805012e-01), lg6 = c (1.531383769920937332e-01),
                   lg7 = c (1.479819860511658591e-01);

        const auto halfSquare = c (0.5) * f * f;
        const auto s = f / (c (2.0) + f);
        const auto z = s * s;
        const auto w = z * z;
        const auto even = w * (lg2 + w * (lg4 + w * lg6));
        const auto odd = z * (lg1 + w * (lg3 + w * (lg5 + w * lg7)));

        return s * (halfSquare + (odd + even)) + k * c (ln2Low) - halfSquare + f + k * c (ln2High);
    }

    // The exponential's reduction: x = n ln2 / 32 + r, n rounded to an integer
    // by adding the shift, so that |r| <= ln2 / 64.
    constexpr double roundingShift = 0x1.8p52;
    constexpr double stepsPerLn2 = 32.0 / 0.693147180559945309417232121458;

    template <typename Value>
    Value expRemainder (Value x, Value n) noexcept
    {
        return (x - n * Value (ln2High / 32.0)) - n * Value (ln2Low / 32.0);
    }

    // e^r for |r| <= ln2 / 64: its Taylor series to r^6.
    template <typename Value>
    Value expOfRemainder (Value r) noexcept
    {
        const auto c = [] (double value) { return Value (value); };
        return c (1.0) + (r + r * r * (c (1.0 / 2) + r * (c (1.0 / 6) + r * (c (1.0 / 24) + r * (c (1.0 / 120) + r * c (1.0 / 720))))));
    }
} // namespace AudioDev::FastMath::Kernels
