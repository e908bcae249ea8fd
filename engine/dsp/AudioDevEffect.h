#pragma once

#include "Effect.h"

// The kick chain. Until its stages exist it passes the signal through unchanged.
class AudioDevEffect : public Effect
{
public:
    void prepare (double) override {}
    void process (double*, double*, int) override {}
};
