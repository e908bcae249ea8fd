#pragma once

#include <emmintrin.h>

// The left and right sample of a stereo pair in the two lanes of one SSE2
// register, so that both channels of a filter or a gain step cost one
// instruction. Each lane rounds exactly as the same scalar operation would.
struct StereoPair
{
    StereoPair() noexcept = default;
    StereoPair (__m128d value) noexcept : lanes (value) {}
    explicit StereoPair (double value) noexcept : lanes (_mm_set1_pd (value)) {}

    __m128d lanes;

    static StereoPair of (double left, double right) noexcept { return { _mm_set_pd (right, left) }; }
    static StereoPair both (double value) noexcept              { return { _mm_set1_pd (value) }; }

    double left() const noexcept  { return _mm_cvtsd_f64 (lanes); }
    double right() const noexcept { return _mm_cvtsd_f64 (_mm_unpackhi_pd (lanes, lanes)); }

    void store (double& leftOut, double& rightOut) const noexcept
    {
        leftOut = left();
        rightOut = right();
    }

    // Lanes whose magnitude is below the threshold become +0.
    StereoPair flushedBelow (StereoPair threshold) const noexcept
    {
        const auto magnitude = _mm_andnot_pd (_mm_set1_pd (-0.0), lanes);
        return { _mm_andnot_pd (_mm_cmplt_pd (magnitude, threshold.lanes), lanes) };
    }

    friend StereoPair operator+ (StereoPair a, StereoPair b) noexcept { return { _mm_add_pd (a.lanes, b.lanes) }; }
    friend StereoPair operator- (StereoPair a, StereoPair b) noexcept { return { _mm_sub_pd (a.lanes, b.lanes) }; }
    friend StereoPair operator* (StereoPair a, StereoPair b) noexcept { return { _mm_mul_pd (a.lanes, b.lanes) }; }
    friend StereoPair operator/ (StereoPair a, StereoPair b) noexcept { return { _mm_div_pd (a.lanes, b.lanes) }; }
};
