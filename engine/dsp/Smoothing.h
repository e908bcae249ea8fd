#pragma once

#include "DspCore.h"

#include <algorithm>

namespace AudioDev::Smoothing
{
    /** One-pole smoother that moves a value toward a target and lands on it exactly.

        The owner keeps the target and passes it at every step. As soon as a step
        reproduces the value before last (the approach has stalled in the last
        bit), the smoother snaps to the target, so a settled smoother returns the
        target itself rather than a value one ulp away from it.
    */
    template <typename ValueType>
    class SmootherGeneric
    {
    public:
        explicit SmootherGeneric (ValueType initialValue = ValueType (0),
                                  double smoothingTimeMs = 20.0) noexcept
            : timeMs (smoothingTimeMs),
              coefficient (timeConstantCoefficient (smoothingTimeMs, defaultSampleRate, defaultDecayExponent)),
              current (initialValue),
              previous (restartValue (initialValue))
        {
        }

        virtual void prepare (double newSampleRate) noexcept
        {
            if (! isUsableSampleRate (newSampleRate))
                return;

            sampleRate = newSampleRate;
            coefficient = timeConstantCoefficient (timeMs, sampleRate, decayExponent);
            previous = restartValue (current);
        }

        ValueType next (ValueType target) noexcept
        {
            const ValueType value = (target - current) * coefficient + current;

            if (value == previous)
            {
                previous = target;
                current = target;
                return target;
            }

            previous = current;
            current = value;
            return value;
        }

        /** True once the smoother has landed on the target: every further step
            returns the target and changes nothing.
        */
        bool isSettledAt (ValueType target) const noexcept { return current == target && previous == target; }

        /** The results of numValues successive steps towards the target. A
            smoother's steps depend on nothing but its target, so a block
            operation can take them all before it touches the signal.
        */
        void nextBlock (ValueType target, ValueType* values, int numValues) noexcept
        {
            if (isSettledAt (target))
            {
                std::fill (values, values + numValues, target);
                return;
            }

            for (int i = 0; i < numValues; ++i)
                values[i] = next (target);
        }

        double sampleRate = defaultSampleRate;
        double timeMs;
        double coefficient;
        ValueType current;   // the value last returned
        ValueType previous;  // the value returned before it
        double decayExponent = defaultDecayExponent;

    private:
        // A value that differs from the current one, so the first step never
        // mistakes itself for a stalled approach.
        static ValueType restartValue (ValueType value) noexcept
        {
            return value != ValueType (0) ? -value : ValueType (1);
        }
    };
} // namespace AudioDev::Smoothing
