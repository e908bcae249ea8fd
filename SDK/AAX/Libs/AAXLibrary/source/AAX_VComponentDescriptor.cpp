// AAX_VComponentDescriptor.cpp: component fields and process procedures forwarded to the host's descriptor.
#include "AAX_VComponentDescriptor.h"

#include "AAX_CHostServices.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_HostComponent.h"

namespace
{
    // Procedures travel through property maps as untyped addresses.
    template <typename Procedure>
    Procedure asProcedure (const void* address)
    {
        return reinterpret_cast<Procedure> (const_cast<void*> (address));
    }

    const void* pointerProperty (const AAX_IPropertyMap& properties, AAX_EProperty property, bool& found)
    {
        const void* value = nullptr;
        found = properties.GetPointerProperty (property, &value) != 0;
        return value;
    }

    void traceMissing (const char* propertyName)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_High,
                                  "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for %s", propertyName);
    }

    // Property identifiers a full copy of a map covers.
    constexpr int32_t firstCopiedProperty = AAX_eProperty_MinProp;
    constexpr int32_t lastCopiedProperty = AAX_eProperty_MaxProp;
    // The largest number of procedure IDs that, with the terminating 0, still fits a signed count.
    constexpr std::size_t maximumProcedureIDs = 0x7FFFFFFE;
}

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* host)
    : hostObject (host)
{
    AAX_CreateHostComponent (host, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1, descriptorV1);
    if (descriptorV1)
    {
        descriptorV2.query (descriptorV1.get(), IID_IAAXComponentDescriptorV2);
        descriptorV3.query (descriptorV1.get(), IID_IAAXComponentDescriptorV3);
    }
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    return descriptorV1 ? descriptorV1->Clear() : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddAudioIn (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddAudioOut (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddAudioBufferLength (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddSampleRate (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddClock (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex field)
{
    return descriptorV1 ? descriptorV1->AddSideChainIn (field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType portType)
{
    return descriptorV1 ? descriptorV1->AddDataInPort (field, packetSize, portType) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name)
{
    return descriptorV1 ? descriptorV1->AddAuxOutputStem (field, stemFormat, name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options)
{
    return descriptorV1 ? descriptorV1->AddPrivateData (field, dataSize, options) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize)
{
    return descriptorV2 ? descriptorV2->AddTemporaryData (field, dataElementSize) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex field, uint32_t dmaMode)
{
    return descriptorV1 ? descriptorV1->AddDmaInstance (field, dmaMode) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount)
{
    return descriptorV1 ? descriptorV1->AddMeters (field, meterIDs, meterCount) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* name,
                                                  uint32_t channelMask)
{
    return descriptorV1 ? descriptorV1->AddMIDINode (field, nodeType, name, channelMask) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex field, uint32_t fieldType)
{
    return descriptorV1 ? descriptorV1->AddReservedField (field, fieldType) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    return propertyMaps.NewPropertyMap (hostObject.get());
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* source)
{
    if (source == nullptr)
        return nullptr;
    auto* const copy = NewPropertyMap();
    if (copy == nullptr)
        return nullptr;

    for (int32_t id = firstCopiedProperty; id <= lastCopiedProperty; ++id)
    {
        const auto property = static_cast<AAX_EProperty> (id);
        AAX_CPropertyValue value = 0;
        const void* pointer = nullptr;
        if (source->GetProperty (property, &value))
            copy->AddProperty (property, value);
        else if (source->GetPointerProperty (property, &pointer))
            copy->AddPointerProperty (property, pointer);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc processProc, AAX_IPropertyMap* properties,
                                                            AAX_CInstanceInitProc instanceInitProc,
                                                            AAX_CBackgroundProc backgroundProc, AAX_CSelector* procedureIDOut)
{
    return descriptorV1 ? descriptorV1->AddProcessProc_Native (processProc, AAX_VPropertyMap::HostMapOf (properties),
                                                               instanceInitProc, backgroundProc, procedureIDOut)
                        : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                                        AAX_IPropertyMap* properties, const char* instanceInitProcSymbol,
                                                        const char* backgroundProcSymbol, AAX_CSelector* procedureIDOut)
{
    return descriptorV1 ? descriptorV1->AddProcessProc_TI (dllFileName, processProcSymbol,
                                                           AAX_VPropertyMap::HostMapOf (properties), instanceInitProcSymbol,
                                                           backgroundProcSymbol, procedureIDOut)
                        : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc (AAX_IPropertyMap* properties, AAX_CSelector* procedureIDsOut, int32_t capacity)
{
    if (descriptorV3)
        return descriptorV3->AddProcessProc (AAX_VPropertyMap::HostMapOf (properties), procedureIDsOut, capacity);
    return ManuallyAddProcessProcs (properties, procedureIDsOut, capacity);
}

// What a host with descriptor version 3 does itself: a native procedure when
// the map names a native or AudioSuite plug-in ID, then a TI procedure when
// it names a TI plug-in ID, each from the map's pointer properties.
AAX_Result AAX_VComponentDescriptor::ManuallyAddProcessProcs (AAX_IPropertyMap* properties, AAX_CSelector* procedureIDsOut,
                                                              int32_t capacity)
{
    if (properties == nullptr || ! descriptorV1)
        return AAX_ERROR_NULL_OBJECT;

    AAX_CPropertyValue nativeID = 0, audioSuiteID = 0, tiID = 0;
    const bool hasNative = properties->GetProperty (AAX_eProperty_PlugInID_Native, &nativeID) != 0;
    const bool hasAudioSuite = properties->GetProperty (AAX_eProperty_PlugInID_AudioSuite, &audioSuiteID) != 0;
    const bool hasTI = properties->GetProperty (AAX_eProperty_PlugInID_TI, &tiID) != 0;

    AAX_Result result = AAX_SUCCESS;
    std::vector<AAX_CSelector> procedureIDs;

    if (hasNative || hasAudioSuite)
        result = addNativeProcessProcFromProperties (*properties, procedureIDs);

    if (hasTI && result == AAX_SUCCESS)
        result = addTIProcessProcFromProperties (*properties, procedureIDs);

    if (procedureIDsOut == nullptr || result != AAX_SUCCESS)
        return result;

    // The IDs, native first, and a terminating 0 must all fit.
    const auto count = procedureIDs.size();
    if (count > maximumProcedureIDs || static_cast<int32_t> (count) >= capacity)
        return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
    std::copy (procedureIDs.begin(), procedureIDs.end(), procedureIDsOut);
    procedureIDsOut[count] = 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_VComponentDescriptor::addNativeProcessProcFromProperties (AAX_IPropertyMap& properties,
                                                                         std::vector<AAX_CSelector>& procedureIDs)
{
    bool found = false;
    const auto* processProc = pointerProperty (properties, AAX_eProperty_NativeProcessProc, found);
    if (! found)
    {
        // Registering a null procedure would crash the host's first render call.
        traceMissing ("AAX_eProperty_NativeProcessProc");
        return AAX_ERROR_NULL_OBJECT;
    }
    const auto* instanceInitProc = pointerProperty (properties, AAX_eProperty_NativeInstanceInitProc, found);
    const auto* backgroundProc = pointerProperty (properties, AAX_eProperty_NativeBackgroundProc, found);

    // The native procedure is registered without the audio-buffer-length
    // property: on a copy of the map, when one can be made.
    AAX_IPropertyMap* registered = &properties;
    AAX_CPropertyValue bufferLength = 0;
    if (properties.GetProperty (AAX_eProperty_AudioBufferLength, &bufferLength))
    {
        auto* const copy = DuplicatePropertyMap (&properties);
        if (copy != nullptr && copy->GetIUnknown() != nullptr)
        {
            const bool gotPropertySuccess = copy->GetProperty (AAX_eProperty_AudioBufferLength, &bufferLength) != 0;
            if (gotPropertySuccess)
            {
                const auto removeNativeAudioBufferLengthResult = copy->RemoveProperty (AAX_eProperty_AudioBufferLength);
                if (removeNativeAudioBufferLengthResult != AAX_SUCCESS)
                    AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, "AAX_SUCCESS == removeNativeAudioBufferLengthResult", 1);
                registered = copy;
            }
            else
            {
                AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, "0 != gotPropertySuccess", 1);
            }
        }
    }

    AAX_CSelector procedureID = 0;
    const auto result = AddProcessProc_Native (asProcedure<AAX_CProcessProc> (processProc), registered,
                                               asProcedure<AAX_CInstanceInitProc> (instanceInitProc),
                                               asProcedure<AAX_CBackgroundProc> (backgroundProc), &procedureID);
    if (result == AAX_SUCCESS)
        procedureIDs.push_back (procedureID);
    return result;
}

AAX_Result AAX_VComponentDescriptor::addTIProcessProcFromProperties (AAX_IPropertyMap& properties,
                                                                     std::vector<AAX_CSelector>& procedureIDs)
{
    bool found = false;
    const auto* dllFileName = static_cast<const char*> (pointerProperty (properties, AAX_eProperty_TIDLLFileName, found));
    if (! found)
        traceMissing ("AAX_eProperty_TIDLLFileName");
    const auto* processProc = static_cast<const char*> (pointerProperty (properties, AAX_eProperty_TIProcessProc, found));
    if (! found)
        traceMissing ("AAX_eProperty_TIProcessProc");
    const auto* instanceInitProc = static_cast<const char*> (pointerProperty (properties, AAX_eProperty_TIInstanceInitProc, found));
    const auto* backgroundProc = static_cast<const char*> (pointerProperty (properties, AAX_eProperty_TIBackgroundProc, found));

    AAX_CSelector procedureID = 0;
    const auto result = AddProcessProc_TI (dllFileName, processProc, &properties, instanceInitProc, backgroundProc, &procedureID);
    if (result == AAX_SUCCESS)
        procedureIDs.push_back (procedureID);
    return result;
}
