#pragma once

// Read-only views on the analysis data that the kick chain publishes. The
// chain implements all three; the spectrum display reads the first.

namespace QELSpectrum
{
    class DataSource
    {
    public:
        virtual ~DataSource() = default;

        virtual int getNumBins() const noexcept = 0;
        virtual int getSampleRate() const noexcept = 0;
        // Level of one bin in dB; callers pass 0 ... getNumBins() - 1.
        virtual float getBinLevelDecibels (int binIndex) const noexcept = 0;
    };
}

namespace QELPeakMeter
{
    class DataSource
    {
    public:
        virtual ~DataSource() = default;

        // Channel 1 is left, 2 is right; the second argument is reserved.
        virtual float getLevel (int channel, int) const noexcept = 0;
        virtual bool isClipping (int channel, int) const noexcept = 0;
    };
}

namespace BrightfenWaveMeter
{
    class DataSource
    {
    public:
        virtual ~DataSource() = default;

        // Peak since the previous call, as a linear magnitude; the call restarts the hold.
        virtual double getPeakAndReset() noexcept = 0;
    };
}
