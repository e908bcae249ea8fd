// HostRegistrationInterfaces.h: the host's side of the registration interfaces (collection, descriptors, property maps, features), by position.
#pragma once

#include "HostInterfaces.h"

// Declared from the tables of operations alone, like HostInterfaces.h.
// Procedures the module registers are opaque addresses here.
namespace host
{
    struct PlugInIdentifier
    {
        uint32_t manufacturer;
        uint32_t product;
        uint32_t plugIn;
    };

    struct ICollectionV1Slots : IUnknownSlots
    {
        // Positions 3 to 6 are this host's own business; the module never calls them.
        virtual int32_t Reserved3() = 0;                                                             // 3
        virtual int32_t Reserved4() = 0;                                                             // 4
        virtual int32_t Reserved5() = 0;                                                             // 5
        virtual int32_t Reserved6() = 0;                                                             // 6
        virtual int32_t AddEffect (const char* effectID, IUnknownSlots* effectDescriptor) = 0;       // 7
        virtual int32_t SetManufacturerName (const char* name) = 0;                                  // 8
        virtual int32_t AddPackageName (const char* name) = 0;                                       // 9
        virtual int32_t SetPackageVersion (uint32_t version) = 0;                                    // 10
        virtual int32_t SetProperties (IUnknownSlots* properties) = 0;                               // 11

    protected:
        ~ICollectionV1Slots() = default;
    };

    struct IEffectDescriptorV1Slots : IUnknownSlots
    {
        virtual int32_t AddComponent (IUnknownSlots* componentDescriptor) = 0;                       // 3
        virtual int32_t AddName (const char* name) = 0;                                              // 4
        virtual int32_t AddCategory (uint32_t category) = 0;                                         // 5
        virtual int32_t AddCategoryBypassParameter (uint32_t category, const char* parameterID) = 0; // 6
        virtual int32_t AddProcPtr (void* procedure, uint32_t procedureID) = 0;                      // 7
        virtual int32_t SetProperties (IUnknownSlots* properties) = 0;                               // 8
        virtual int32_t AddResourceInfo (uint32_t type, const char* info) = 0;                       // 9
        virtual int32_t AddMeterDescription (uint32_t meterID, const char* name, IUnknownSlots* properties) = 0; // 10

    protected:
        ~IEffectDescriptorV1Slots() = default;
    };

    struct IEffectDescriptorV2Slots : IEffectDescriptorV1Slots
    {
        virtual int32_t AddControlMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask) = 0; // 11

    protected:
        ~IEffectDescriptorV2Slots() = default;
    };

    struct IComponentDescriptorV1Slots : IUnknownSlots
    {
        virtual int32_t Clear() = 0;                                                                 // 3
        virtual int32_t AddReservedField (int32_t field, uint32_t type) = 0;                         // 4
        virtual int32_t AddAudioIn (int32_t field) = 0;                                              // 5
        virtual int32_t AddAudioOut (int32_t field) = 0;                                             // 6
        virtual int32_t AddAudioBufferLength (int32_t field) = 0;                                    // 7
        virtual int32_t AddSampleRate (int32_t field) = 0;                                           // 8
        virtual int32_t AddClock (int32_t field) = 0;                                                // 9
        virtual int32_t AddSideChainIn (int32_t field) = 0;                                          // 10
        virtual int32_t AddDataInPort (int32_t field, uint32_t packetSize, uint32_t portType) = 0;   // 11
        virtual int32_t AddAuxOutputStem (int32_t field, int32_t stemFormat, const char* name) = 0;  // 12
        virtual int32_t AddPrivateData (int32_t field, int32_t size, uint32_t options) = 0;          // 13
        virtual int32_t AddDmaInstance (int32_t field, uint32_t mode) = 0;                           // 14
        virtual int32_t AddMIDINode (int32_t field, uint32_t nodeType, const char* name, uint32_t channelMask) = 0; // 15
        virtual int32_t AddProcessProc_Native (const void* processProc, IUnknownSlots* properties, const void* instanceInitProc,
                                               const void* backgroundProc, uint32_t* procedureIDOut) = 0;         // 16
        virtual int32_t AddProcessProc_TI (const char* dllName, const char* processProc, IUnknownSlots* properties,
                                           const char* instanceInitProc, const char* backgroundProc,
                                           uint32_t* procedureIDOut) = 0;                                         // 17
        virtual int32_t AddMeters (int32_t field, const uint32_t* meterIDs, uint32_t count) = 0;     // 18

    protected:
        ~IComponentDescriptorV1Slots() = default;
    };

    struct IComponentDescriptorV2Slots : IComponentDescriptorV1Slots
    {
        virtual int32_t AddTemporaryData (int32_t field, uint32_t size) = 0;                         // 19

    protected:
        ~IComponentDescriptorV2Slots() = default;
    };

    struct IComponentDescriptorV3Slots : IComponentDescriptorV2Slots
    {
        virtual int32_t AddProcessProc (IUnknownSlots* properties, uint32_t* procedureIDsOut, int32_t capacity) = 0; // 20

    protected:
        ~IComponentDescriptorV3Slots() = default;
    };

    struct IPropertyMapV1Slots : IUnknownSlots
    {
        virtual uint8_t GetProperty (int32_t property, int32_t* valueOut) = 0;                       // 3
        virtual int32_t AddProperty (int32_t property, int32_t value) = 0;                           // 4
        virtual int32_t RemoveProperty (int32_t property) = 0;                                       // 5

    protected:
        ~IPropertyMapV1Slots() = default;
    };

    struct IPropertyMapV2Slots : IPropertyMapV1Slots
    {
        virtual int32_t AddPropertyWithIDArray (int32_t property, const PlugInIdentifier* ids, uint32_t count) = 0; // 6
        virtual uint8_t GetPropertyWithIDArray (int32_t property, const PlugInIdentifier** idsOut, uint32_t* countOut) = 0; // 7

    protected:
        ~IPropertyMapV2Slots() = default;
    };

    struct IPropertyMapV3Slots : IPropertyMapV2Slots
    {
        virtual uint8_t GetPointerProperty (int32_t property, const void** valueOut) = 0;            // 8
        virtual int32_t AddPointerProperty (int32_t property, const void* value) = 0;                // 9

    protected:
        ~IPropertyMapV3Slots() = default;
    };

    struct IDescriptionHostV1Slots : IUnknownSlots
    {
        virtual int32_t AcquireFeatureProperties (const Uid& featureID, IUnknownSlots** featureInfoOut) = 0; // 3

    protected:
        ~IDescriptionHostV1Slots() = default;
    };

    struct IFeatureInfoV1Slots : IUnknownSlots
    {
        virtual int32_t SupportLevel (int32_t* supportLevelOut) = 0;                                 // 3
        virtual int32_t AcquireProperties (IUnknownSlots** propertyMapOut) = 0;                      // 4

    protected:
        ~IFeatureInfoV1Slots() = default;
    };
}
