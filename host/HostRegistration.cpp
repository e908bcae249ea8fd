// HostRegistration.cpp: the recording registration components and how the host makes them.
#include "HostRegistration.h"

namespace
{
    std::string text (int64_t value) { return host::CallLog::text (value); }
    std::string text (const char* value) { return host::CallLog::text (value); }
    std::string address (const void* value) { return host::CallLog::text (value); }
}

std::string host::ObjectDirectory::describe (const void* object) const
{
    if (object == nullptr)
        return "<null>";
    const auto known = names.find (object);
    return known != names.end() ? known->second : CallLog::text (object);
}

//==============================================================================
host::HostPropertyMap::HostPropertyMap (std::string name, CallLog& log, Versions versions)
    : HostObject (std::move (name), log)
{
    offerVersions (*this, { uids::IID_IAAXPropertyMapV1, uids::IID_IAAXPropertyMapV2, uids::IID_IAAXPropertyMapV3 }, versions);
}

std::optional<int32_t> host::HostPropertyMap::property (int32_t id) const
{
    const auto found = values.find (id);
    return found != values.end() ? std::optional<int32_t> (found->second) : std::nullopt;
}

uint8_t host::HostPropertyMap::GetProperty (int32_t property, int32_t* valueOut)
{
    record (3, { text (property) });
    const auto found = values.find (property);
    if (found == values.end() || valueOut == nullptr)
        return 0;
    *valueOut = found->second;
    return 1;
}

int32_t host::HostPropertyMap::AddProperty (int32_t property, int32_t value)
{
    record (4, { text (property), text (value) });
    values[property] = value;
    return resultOk;
}

int32_t host::HostPropertyMap::RemoveProperty (int32_t property)
{
    record (5, { text (property) });
    values.erase (property);
    return resultOk;
}

int32_t host::HostPropertyMap::AddPropertyWithIDArray (int32_t property, const PlugInIdentifier* ids, uint32_t count)
{
    record (6, { text (property), address (ids), text (count) });
    if (ids != nullptr)
        identifierArrays[property].assign (ids, ids + count);
    return resultOk;
}

uint8_t host::HostPropertyMap::GetPropertyWithIDArray (int32_t property, const PlugInIdentifier** idsOut, uint32_t* countOut)
{
    record (7, { text (property) });
    const auto found = identifierArrays.find (property);
    if (found == identifierArrays.end() || idsOut == nullptr || countOut == nullptr)
        return 0;
    *idsOut = found->second.data();
    *countOut = static_cast<uint32_t> (found->second.size());
    return 1;
}

uint8_t host::HostPropertyMap::GetPointerProperty (int32_t property, const void** valueOut)
{
    record (8, { text (property) });
    const auto found = pointers.find (property);
    if (found == pointers.end() || valueOut == nullptr)
        return 0;
    *valueOut = found->second;
    return 1;
}

int32_t host::HostPropertyMap::AddPointerProperty (int32_t property, const void* value)
{
    record (9, { text (property), address (value) });
    pointers[property] = value;
    return resultOk;
}

//==============================================================================
host::HostComponentDescriptor::HostComponentDescriptor (std::string name, CallLog& log, const ObjectDirectory& directory,
                                                        Versions versions)
    : HostObject (std::move (name), log), objects (directory)
{
    offerVersions (*this, { uids::IID_IAAXComponentDescriptorV1, uids::IID_IAAXComponentDescriptorV2,
                            uids::IID_IAAXComponentDescriptorV3 }, versions);
}

int32_t host::HostComponentDescriptor::registerProcedure (uint32_t* procedureIDOut)
{
    if (registrationResult != resultOk)
        return registrationResult;
    const auto id = nextProcedureID++;
    if (procedureIDOut != nullptr)
        *procedureIDOut = id;
    return resultOk;
}

int32_t host::HostComponentDescriptor::Clear() { record (3, {}); return resultOk; }

int32_t host::HostComponentDescriptor::AddReservedField (int32_t field, uint32_t type)
{
    record (4, { text (field), text (type) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddAudioIn (int32_t field) { record (5, { text (field) }); return resultOk; }
int32_t host::HostComponentDescriptor::AddAudioOut (int32_t field) { record (6, { text (field) }); return resultOk; }
int32_t host::HostComponentDescriptor::AddAudioBufferLength (int32_t field) { record (7, { text (field) }); return resultOk; }
int32_t host::HostComponentDescriptor::AddSampleRate (int32_t field) { record (8, { text (field) }); return resultOk; }
int32_t host::HostComponentDescriptor::AddClock (int32_t field) { record (9, { text (field) }); return resultOk; }
int32_t host::HostComponentDescriptor::AddSideChainIn (int32_t field) { record (10, { text (field) }); return resultOk; }

int32_t host::HostComponentDescriptor::AddDataInPort (int32_t field, uint32_t packetSize, uint32_t portType)
{
    record (11, { text (field), text (packetSize), text (portType) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddAuxOutputStem (int32_t field, int32_t stemFormat, const char* name)
{
    record (12, { text (field), text (stemFormat), text (name) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddPrivateData (int32_t field, int32_t size, uint32_t options)
{
    record (13, { text (field), text (size), text (options) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddDmaInstance (int32_t field, uint32_t mode)
{
    record (14, { text (field), text (mode) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    record (15, { text (field), text (nodeType), text (name), text (channelMask) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddProcessProc_Native (const void* processProc, IUnknownSlots* properties,
                                                              const void* instanceInitProc, const void* backgroundProc,
                                                              uint32_t* procedureIDOut)
{
    record (16, { address (processProc), objects.describe (properties), address (instanceInitProc), address (backgroundProc),
                  address (procedureIDOut) });
    return registerProcedure (procedureIDOut);
}

int32_t host::HostComponentDescriptor::AddProcessProc_TI (const char* dllName, const char* processProc, IUnknownSlots* properties,
                                                          const char* instanceInitProc, const char* backgroundProc,
                                                          uint32_t* procedureIDOut)
{
    record (17, { text (dllName), text (processProc), objects.describe (properties), text (instanceInitProc),
                  text (backgroundProc), address (procedureIDOut) });
    return registerProcedure (procedureIDOut);
}

int32_t host::HostComponentDescriptor::AddMeters (int32_t field, const uint32_t* meterIDs, uint32_t count)
{
    record (18, { text (field), address (meterIDs), text (count) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddTemporaryData (int32_t field, uint32_t size)
{
    record (19, { text (field), text (size) });
    return resultOk;
}

int32_t host::HostComponentDescriptor::AddProcessProc (IUnknownSlots* properties, uint32_t* procedureIDsOut, int32_t capacity)
{
    record (20, { objects.describe (properties), address (procedureIDsOut), text (capacity) });
    if (procedureIDsOut == nullptr || capacity < 2)
        return registrationResult;
    const auto result = registerProcedure (procedureIDsOut);
    procedureIDsOut[1] = 0;
    return result;
}

//==============================================================================
host::HostEffectDescriptor::HostEffectDescriptor (std::string name, CallLog& log, const ObjectDirectory& directory, Versions versions)
    : HostObject (std::move (name), log), objects (directory)
{
    offerVersions (*this, { uids::IID_IAAXEffectDescriptorV1, uids::IID_IAAXEffectDescriptorV2 }, versions);
}

int32_t host::HostEffectDescriptor::AddComponent (IUnknownSlots* componentDescriptor)
{
    record (3, { objects.describe (componentDescriptor) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::AddName (const char* name) { record (4, { text (name) }); return resultOk; }
int32_t host::HostEffectDescriptor::AddCategory (uint32_t category) { record (5, { text (category) }); return resultOk; }

int32_t host::HostEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    record (6, { text (category), text (parameterID) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::AddProcPtr (void* procedure, uint32_t procedureID)
{
    record (7, { address (procedure), text (procedureID) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::SetProperties (IUnknownSlots* properties)
{
    record (8, { objects.describe (properties) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::AddResourceInfo (uint32_t type, const char* info)
{
    record (9, { text (type), text (info) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::AddMeterDescription (uint32_t meterID, const char* name, IUnknownSlots* properties)
{
    record (10, { text (meterID), text (name), objects.describe (properties) });
    return resultOk;
}

int32_t host::HostEffectDescriptor::AddControlMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    record (11, { text (field), text (nodeType), text (name), text (channelMask) });
    return resultOk;
}

//==============================================================================
host::HostCollection::HostCollection (std::string name, CallLog& log, const ObjectDirectory& directory, Versions versions,
                                      bool pluginDefinition)
    : HostObject (std::move (name), log), objects (directory)
{
    offerVersions (*this, { uids::IID_IAAXCollectionV1 }, versions);
    if (pluginDefinition)
        offer ({ uids::IID_IACFPluginDefinition });
}

int32_t host::HostCollection::unexpected (int position)
{
    record (position, {});
    return resultUnexpected;
}

int32_t host::HostCollection::Reserved3() { return unexpected (3); }
int32_t host::HostCollection::Reserved4() { return unexpected (4); }
int32_t host::HostCollection::Reserved5() { return unexpected (5); }
int32_t host::HostCollection::Reserved6() { return unexpected (6); }

int32_t host::HostCollection::AddEffect (const char* effectID, IUnknownSlots* effectDescriptor)
{
    record (7, { text (effectID), objects.describe (effectDescriptor) });
    return resultOk;
}

int32_t host::HostCollection::SetManufacturerName (const char* name) { record (8, { text (name) }); return resultOk; }
int32_t host::HostCollection::AddPackageName (const char* name) { record (9, { text (name) }); return resultOk; }
int32_t host::HostCollection::SetPackageVersion (uint32_t version) { record (10, { text (version) }); return resultOk; }

int32_t host::HostCollection::SetProperties (IUnknownSlots* properties)
{
    record (11, { objects.describe (properties) });
    return resultOk;
}

//==============================================================================
host::HostFeatureInfo::HostFeatureInfo (CallLog& log, Versions versions, int32_t level, HostPropertyMap& properties)
    : HostObject ("FeatureInfo", log), supportLevel (level), featureProperties (properties)
{
    offerVersions (*this, { uids::IID_IAAXFeatureInfoV1 }, versions);
}

int32_t host::HostFeatureInfo::SupportLevel (int32_t* supportLevelOut)
{
    record (3, { address (supportLevelOut) });
    if (supportLevelOut != nullptr)
        *supportLevelOut = supportLevel;
    return resultOk;
}

int32_t host::HostFeatureInfo::AcquireProperties (IUnknownSlots** propertyMapOut)
{
    record (4, { address (propertyMapOut) });
    if (propertyMapOut == nullptr)
        return resultPointer;
    *propertyMapOut = &featureProperties.unknown();
    featureProperties.AddRef();
    return acquireResult;
}

host::HostDescriptionHost::HostDescriptionHost (CallLog& log, Versions versions)
    : HostObject ("DescriptionHost", log)
{
    offerVersions (*this, { uids::IID_IAAXDescriptionHostV1 }, versions);
}

int32_t host::HostDescriptionHost::AcquireFeatureProperties (const Uid& featureID, IUnknownSlots** featureInfoOut)
{
    record (3, { CallLog::text (featureID), address (featureInfoOut) });
    if (featureInfoOut == nullptr)
        return resultPointer;
    const auto feature = features.find (featureID);
    if (feature == features.end())
        return resultNoInterface;
    *featureInfoOut = &feature->second->unknown();
    feature->second->AddRef();
    return acquireResult;
}

//==============================================================================
template <class Object, typename... Args>
void host::HostRegistration::registerComponent (const Uid& classId, const std::string& kind, Args... args)
{
    testHost.factory().registerClass (classId, [this, kind, args...] {
        auto object = std::make_unique<Object> (kind + std::to_string (++madeCounts[kind]), testHost.log(), args...);
        objects.add (*object);
        return object;
    });
}

host::HostRegistration::HostRegistration (TestHost& host, const Offer& offer)
    : testHost (host),
      description (host.adopt (std::make_unique<HostDescriptionHost> (host.log(), offer.descriptionHost)))
{
    registerComponent<HostCollection> (uids::AAXCompID_AAXCollection, "Collection", std::cref (objects), offer.collection,
                                       offer.pluginDefinition);
    registerComponent<HostEffectDescriptor> (uids::AAXCompID_AAXEffectDescriptor, "EffectDescriptor", std::cref (objects),
                                             offer.effectDescriptor);
    registerComponent<HostComponentDescriptor> (uids::AAXCompID_AAXComponentDescriptor, "ComponentDescriptor",
                                                std::cref (objects), offer.componentDescriptor);
    registerComponent<HostPropertyMap> (uids::AAXCompID_AAXPropertyMap, "PropertyMap", offer.propertyMap);

    // The module finds the description host, and the host's definition, on the host object.
    if (offer.descriptionHost != Versions::none)
    {
        host.hostObject().forward (uids::IID_IAAXDescriptionHostV1, description);
        host.hostObject().forward (uids::IID_IACFDefinition, description);
    }
}

host::HostFeatureInfo& host::HostRegistration::addFeature (const Uid& featureID, int32_t supportLevel)
{
    auto& properties = testHost.adopt (std::make_unique<HostPropertyMap> ("FeatureProperties", testHost.log(), Versions::all));
    auto& feature = testHost.adopt (std::make_unique<HostFeatureInfo> (testHost.log(), Versions::all, supportLevel, properties));
    description.addFeature (featureID, feature);
    return feature;
}
