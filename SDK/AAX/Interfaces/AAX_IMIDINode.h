// AAX_IMIDINode.h: the host's MIDI node and packet types, declared so algorithm contexts can carry their pointers.
#pragma once

// This effect registers no MIDI node: the types only travel as pointers and
// references through contexts and interfaces, and are never dereferenced.
struct AAX_CMidiPacket;
class AAX_IMIDINode;
