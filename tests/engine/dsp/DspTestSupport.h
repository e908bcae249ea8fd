#pragma once

#include <cmath>
#include <complex>
#include <vector>

// Measurement helpers shared by the building-block tests.
namespace DspTest
{
    using Complex = std::complex<double>;

    constexpr double rate = 44100.0;
    constexpr double truePi = 3.141592653589793;

    inline double toDb (double gain) { return 20.0 * std::log10 (gain); }
    inline double fromDb (double db) { return std::pow (10.0, db / 20.0); }

    /** Runs a unit impulse through `step` (double -> double) and collects the output. */
    template <typename Step>
    std::vector<double> impulseResponse (Step&& step, int length = 8192)
    {
        std::vector<double> response ((size_t) length);

        for (int n = 0; n < length; ++n)
            response[(size_t) n] = step (n == 0 ? 1.0 : 0.0);

        return response;
    }

    /** Frequency response at `hz` of a (decayed) impulse response, by direct DFT. */
    inline Complex responseAt (const std::vector<double>& h, double hz, double sampleRate = rate)
    {
        const double w = 2.0 * truePi * hz / sampleRate;
        Complex sum;

        for (size_t n = 0; n < h.size(); ++n)
            sum += h[n] * std::polar (1.0, -w * (double) n);

        return sum;
    }

    /** Frequencies from 10 Hz to just under Nyquist, a few per octave. */
    inline std::vector<double> testFrequencies (double sampleRate = rate)
    {
        std::vector<double> hz;

        for (double f = 10.0; f < 0.49 * sampleRate; f *= 1.25)
            hz.push_back (f);

        return hz;
    }
} // namespace DspTest
