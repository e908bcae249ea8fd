// HostRegistration.h: the host's side of registration: collection, effect and component descriptors, property maps, description host, features.
#pragma once

#include "HostRegistrationInterfaces.h"
#include "HostVersions.h"
#include "TestHost.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host
{
    // Which host object an address the module passes back belongs to, so
    // call logs name objects instead of printing addresses.
    class ObjectDirectory
    {
    public:
        void add (RecordedObject& object) { names[&object.unknown()] = object.name(); }
        // The object's name, "<null>" for null, else the address.
        std::string describe (const void* object) const;

    private:
        std::map<const void*, std::string> names;
    };

    class HostPropertyMap final : public HostObject<IPropertyMapV3Slots>
    {
    public:
        HostPropertyMap (std::string name, CallLog& log, Versions versions);

        std::optional<int32_t> property (int32_t id) const;
        std::map<int32_t, int32_t> properties() const { return values; }
        std::map<int32_t, const void*> pointerProperties() const { return pointers; }

        uint8_t GetProperty (int32_t property, int32_t* valueOut) override;
        int32_t AddProperty (int32_t property, int32_t value) override;
        int32_t RemoveProperty (int32_t property) override;
        int32_t AddPropertyWithIDArray (int32_t property, const PlugInIdentifier* ids, uint32_t count) override;
        uint8_t GetPropertyWithIDArray (int32_t property, const PlugInIdentifier** idsOut, uint32_t* countOut) override;
        uint8_t GetPointerProperty (int32_t property, const void** valueOut) override;
        int32_t AddPointerProperty (int32_t property, const void* value) override;

    private:
        std::map<int32_t, int32_t> values;
        std::map<int32_t, const void*> pointers;
        std::map<int32_t, std::vector<PlugInIdentifier>> identifierArrays;
    };

    class HostComponentDescriptor final : public HostObject<IComponentDescriptorV3Slots>
    {
    public:
        HostComponentDescriptor (std::string name, CallLog& log, const ObjectDirectory& directory, Versions versions);

        // What procedure registrations answer; IDs count up from `firstProcedureID`.
        int32_t registrationResult = resultOk;
        static constexpr uint32_t firstProcedureID = 100;

        int32_t Clear() override;
        int32_t AddReservedField (int32_t field, uint32_t type) override;
        int32_t AddAudioIn (int32_t field) override;
        int32_t AddAudioOut (int32_t field) override;
        int32_t AddAudioBufferLength (int32_t field) override;
        int32_t AddSampleRate (int32_t field) override;
        int32_t AddClock (int32_t field) override;
        int32_t AddSideChainIn (int32_t field) override;
        int32_t AddDataInPort (int32_t field, uint32_t packetSize, uint32_t portType) override;
        int32_t AddAuxOutputStem (int32_t field, int32_t stemFormat, const char* name) override;
        int32_t AddPrivateData (int32_t field, int32_t size, uint32_t options) override;
        int32_t AddDmaInstance (int32_t field, uint32_t mode) override;
        int32_t AddMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask) override;
        int32_t AddProcessProc_Native (const void* processProc, IUnknownSlots* properties, const void* instanceInitProc,
                                       const void* backgroundProc, uint32_t* procedureIDOut) override;
        int32_t AddProcessProc_TI (const char* dllName, const char* processProc, IUnknownSlots* properties,
                                   const char* instanceInitProc, const char* backgroundProc, uint32_t* procedureIDOut) override;
        int32_t AddMeters (int32_t field, const uint32_t* meterIDs, uint32_t count) override;
        int32_t AddTemporaryData (int32_t field, uint32_t size) override;
        int32_t AddProcessProc (IUnknownSlots* properties, uint32_t* procedureIDsOut, int32_t capacity) override;

    private:
        int32_t registerProcedure (uint32_t* procedureIDOut);

        const ObjectDirectory& objects;
        uint32_t nextProcedureID = firstProcedureID;
    };

    class HostEffectDescriptor final : public HostObject<IEffectDescriptorV2Slots>
    {
    public:
        HostEffectDescriptor (std::string name, CallLog& log, const ObjectDirectory& directory, Versions versions);

        int32_t AddComponent (IUnknownSlots* componentDescriptor) override;
        int32_t AddName (const char* name) override;
        int32_t AddCategory (uint32_t category) override;
        int32_t AddCategoryBypassParameter (uint32_t category, const char* parameterID) override;
        int32_t AddProcPtr (void* procedure, uint32_t procedureID) override;
        int32_t SetProperties (IUnknownSlots* properties) override;
        int32_t AddResourceInfo (uint32_t type, const char* info) override;
        int32_t AddMeterDescription (uint32_t meterID, const char* name, IUnknownSlots* properties) override;
        int32_t AddControlMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask) override;

    private:
        const ObjectDirectory& objects;
    };

    // Also answers the plug-in definition that registration hands back to the host.
    class HostCollection final : public HostObject<ICollectionV1Slots>
    {
    public:
        HostCollection (std::string name, CallLog& log, const ObjectDirectory& directory, Versions versions, bool pluginDefinition);

        int32_t Reserved3() override;
        int32_t Reserved4() override;
        int32_t Reserved5() override;
        int32_t Reserved6() override;
        int32_t AddEffect (const char* effectID, IUnknownSlots* effectDescriptor) override;
        int32_t SetManufacturerName (const char* name) override;
        int32_t AddPackageName (const char* name) override;
        int32_t SetPackageVersion (uint32_t version) override;
        int32_t SetProperties (IUnknownSlots* properties) override;

    private:
        int32_t unexpected (int position);

        const ObjectDirectory& objects;
    };

    class HostFeatureInfo final : public HostObject<IFeatureInfoV1Slots>
    {
    public:
        HostFeatureInfo (CallLog& log, Versions versions, int32_t supportLevel, HostPropertyMap& properties);

        int32_t supportLevel;
        // What AcquireProperties answers; the map is handed out whatever the answer.
        int32_t acquireResult = resultOk;

        // The map AcquireProperties hands out.
        HostPropertyMap& properties() noexcept { return featureProperties; }

        int32_t SupportLevel (int32_t* supportLevelOut) override;
        int32_t AcquireProperties (IUnknownSlots** propertyMapOut) override;

    private:
        HostPropertyMap& featureProperties;
    };

    class HostDescriptionHost final : public HostObject<IDescriptionHostV1Slots>
    {
    public:
        HostDescriptionHost (CallLog& log, Versions versions);

        void addFeature (const Uid& featureID, HostFeatureInfo& feature) { features[featureID] = &feature; }
        // What AcquireFeatureProperties answers; a known feature is handed out whatever the answer.
        int32_t acquireResult = resultOk;

        int32_t AcquireFeatureProperties (const Uid& featureID, IUnknownSlots** featureInfoOut) override;

    private:
        std::map<Uid, HostFeatureInfo*> features;
    };

    // Registers the registration components with the host's factory and
    // offers the description host on the host object. Components are named
    // by kind and number: "Collection1", "EffectDescriptor1", "PropertyMap3".
    class HostRegistration
    {
    public:
        struct Offer
        {
            Versions collection = Versions::all;
            Versions effectDescriptor = Versions::all;
            Versions componentDescriptor = Versions::all;
            Versions propertyMap = Versions::all;
            Versions descriptionHost = Versions::all;
            bool pluginDefinition = true;
        };

        explicit HostRegistration (TestHost& host) : HostRegistration (host, Offer {}) {}
        HostRegistration (TestHost& host, const Offer& offer);

        HostDescriptionHost& descriptionHost() noexcept { return description; }
        // A feature the description host knows, with its own property map ("FeatureProperties").
        HostFeatureInfo& addFeature (const Uid& featureID, int32_t supportLevel);

        std::vector<HostCollection*> collections() const { return made<HostCollection> (uids::AAXCompID_AAXCollection); }
        std::vector<HostEffectDescriptor*> effectDescriptors() const { return made<HostEffectDescriptor> (uids::AAXCompID_AAXEffectDescriptor); }
        std::vector<HostComponentDescriptor*> componentDescriptors() const { return made<HostComponentDescriptor> (uids::AAXCompID_AAXComponentDescriptor); }
        std::vector<HostPropertyMap*> propertyMaps() const { return made<HostPropertyMap> (uids::AAXCompID_AAXPropertyMap); }

        const ObjectDirectory& directory() const noexcept { return objects; }

    private:
        template <class Object>
        std::vector<Object*> made (const Uid& classId) const
        {
            std::vector<Object*> result;
            for (auto* object : testHost.factory().created (classId))
                result.push_back (static_cast<Object*> (object));
            return result;
        }

        template <class Object, typename... Args>
        void registerComponent (const Uid& classId, const std::string& kind, Args... args);

        TestHost& testHost;
        ObjectDirectory objects;
        std::map<std::string, int> madeCounts;
        HostDescriptionHost& description;
    };
}
