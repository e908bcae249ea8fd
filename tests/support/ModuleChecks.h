#pragma once

// What the tests that drive the real module through the test host share.

#include "EffectSession.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace testsupport
{
    // The module's two chunks: the host's controls, and the processor's
    // saved state as the framework's wrapper keeps it.
    constexpr uint32_t controlsChunk = 0x656C636B; // 'elck'
    constexpr uint32_t stateChunk = 0x6A756365;    // 'juce'

    // What the window answers when it is asked to show without the
    // instance's parameters object (AAX_ERROR_NOT_INITIALIZED).
    constexpr int32_t windowNotInitialised = -20011;

    // Every instance gone, the module stopped: nothing of the host may still be held.
    inline void expectEverythingReturned (host::LoadedEffect& effect)
    {
        EXPECT_EQ (effect.liveObjects(), 0);
        effect.shutdown();
        for (const auto* object : effect.host().objectsWithUnbalancedReferences())
            ADD_FAILURE() << object->name() << " holds " << object->referenceCount() << " references";
    }
}
