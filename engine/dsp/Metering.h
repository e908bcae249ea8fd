#pragma once

#include <cmath>
#include <cstdint>

namespace AudioDev::Metering
{
    /** Hold timing shared by the peak-hold meters: a held result is released
        after HoldPeriods x period samples without a new one, the period
        truncated to whole samples first.
    */
    template <int HoldPeriods>
    class Counter
    {
    public:
        static_assert (HoldPeriods > 0, "a hold needs at least one period");

        /** Periods outside 0 ... maxPeriod (or not finite) are ignored. */
        virtual void setPeriod (double samples) noexcept
        {
            if (samples >= 0.0 && samples <= maxPeriod)
                period = samples;
        }

        /** Clears the held result. */
        virtual void reset() noexcept = 0;

        double period = 44100.0; // samples
        std::int32_t count = 0;  // samples since the held result was set

    protected:
        Counter() noexcept = default;
        ~Counter() = default;

        // Counts one sample and releases the hold once it has lasted long enough.
        void advance (bool restartHold) noexcept
        {
            count = restartHold ? 1 : count + 1;

            if (count >= HoldPeriods * static_cast<std::int64_t> (period))
            {
                count = 0;
                reset();
            }
        }

    private:
        // Keeps HoldPeriods x period within the range of the sample count.
        static constexpr double maxPeriod = 1.0e9 / HoldPeriods;
    };

    /** Holds a flag for a while after a sample above full scale. */
    template <int HoldPeriods>
    class ClipDetector final : public Counter<HoldPeriods>
    {
    public:
        void reset() noexcept override { clipped = false; }

        void process (double sample) noexcept
        {
            const bool clips = std::abs (sample) > 1.0;

            if (clips)
                clipped = true;

            this->advance (clips);
        }

        /** process for each sample in turn. A block without a clip that ends
            before the hold does only counts; anything else goes sample by sample.
        */
        void processBlock (const double* samples, int numSamples) noexcept
        {
            bool anyClips = false;

            for (int i = 0; i < numSamples; ++i)
                anyClips |= std::abs (samples[i]) > 1.0;

            if (! anyClips && this->count + (std::int64_t) numSamples < HoldPeriods * static_cast<std::int64_t> (this->period))
            {
                this->count += numSamples;
                return;
            }

            for (int i = 0; i < numSamples; ++i)
                process (samples[i]);
        }

        bool clipped = false;
    };

    /** Holds the highest level in dB seen within the hold, floored at FloorDb. */
    template <int HoldPeriods, int FloorDb>
    class MaxValueDetector final : public Counter<HoldPeriods>
    {
    public:
        void reset() noexcept override { maxDb = floorDb; }

        void process (double sample) noexcept
        {
            const double magnitude = std::abs (sample);
            const double levelDb = magnitude < floorGain ? floorDb : 20.0 * std::log10 (magnitude);
            const bool louder = levelDb > maxDb;

            if (louder)
                maxDb = levelDb;

            this->advance (louder);
        }

        static constexpr double floorDb = FloorDb;
        static inline const double floorGain = std::pow (10.0, FloorDb / 20.0);

        double maxDb = floorDb;
    };
} // namespace AudioDev::Metering
