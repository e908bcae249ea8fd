// AAX_Registration.h: registration of the effect, from the host's request to the plug-in's description callback.
#pragma once

#include "AAX.h"

class AAX_ICollection;
class IACFUnknown;
class IACFPluginDefinition;

// Supplied by the plug-in: describes its effects into the collection.
AAX_Result GetEffectDescriptions (AAX_ICollection* collection);

// Wraps the host's collection, runs GetEffectDescriptions and hands the
// collection's plug-in definition back to the host. Never throws: each
// exception is traced and answered as a result code.
AAX_Result AAXRegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** pluginDefinitionOut);
