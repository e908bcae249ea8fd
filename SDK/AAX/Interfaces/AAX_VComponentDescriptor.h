// AAX_VComponentDescriptor.h: a component description built on the host's component descriptor.
#pragma once

#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

#include <memory>
#include <vector>

// Version-1 operations answer -20004 without the host's descriptor, AddTemporaryData
// -20009 without version 2. Without version 3, AddProcessProc registers the
// procedures itself from the properties (ManuallyAddProcessProcs).
class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
    // Creates the host's descriptor through the host object's component factory.
    explicit AAX_VComponentDescriptor (IACFUnknown* hostObject);

    AAX_Result Clear() override;
    AAX_Result AddAudioIn (AAX_CFieldIndex field) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex field) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex field) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex field) override;
    AAX_Result AddClock (AAX_CFieldIndex field) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex field) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType portType) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex field, uint32_t dmaMode) override;
    AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* name, uint32_t channelMask) override;
    AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    // A new map of this descriptor holding every property of `source`; null
    // when no map can be made or there is no source.
    AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* source) override;
    using AAX_IComponentDescriptor::AddProcessProc_Native;
    AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, AAX_IPropertyMap* properties,
                                      AAX_CInstanceInitProc instanceInitProc, AAX_CBackgroundProc backgroundProc,
                                      AAX_CSelector* procedureIDOut) override;
    AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol, AAX_IPropertyMap* properties,
                                  const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                  AAX_CSelector* procedureIDOut) override;
    AAX_Result AddProcessProc (AAX_IPropertyMap* properties, AAX_CSelector* procedureIDsOut, int32_t capacity) override;

    // The host's descriptor, as the effect descriptor hands it on.
    IACFUnknown* GetIUnknown() const noexcept { return descriptorV1.get(); }

private:
    AAX_Result ManuallyAddProcessProcs (AAX_IPropertyMap* properties, AAX_CSelector* procedureIDsOut, int32_t capacity);
    AAX_Result addNativeProcessProcFromProperties (AAX_IPropertyMap& properties, std::vector<AAX_CSelector>& procedureIDs);
    AAX_Result addTIProcessProcFromProperties (AAX_IPropertyMap& properties, std::vector<AAX_CSelector>& procedureIDs);

    ACFPtr<IACFUnknown> hostObject;
    ACFPtr<AAX_IACFComponentDescriptor> descriptorV1;
    ACFPtr<AAX_IACFComponentDescriptor_V2> descriptorV2;
    ACFPtr<AAX_IACFComponentDescriptor_V3> descriptorV3;
    AAX_VPropertyMapStore propertyMaps;
};
