// HostUids.cpp: names of the identifiers the host knows.
#include "HostUids.h"

#include <cstdio>
#include <utility>

std::string host::Uid::toText() const
{
    char text[39];
    std::snprintf (text, sizeof (text), "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                   bytes[3], bytes[2], bytes[1], bytes[0], bytes[5], bytes[4], bytes[7], bytes[6],
                   bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}

std::string host::uidName (const Uid& uid)
{
    static const std::pair<Uid, const char*> known[] {
        { uids::AAXCompID_AAXCollection, "AAXCompID_AAXCollection" },
        { uids::AAXCompID_AAXComponentDescriptor, "AAXCompID_AAXComponentDescriptor" },
        { uids::AAXCompID_AAXEffectDescriptor, "AAXCompID_AAXEffectDescriptor" },
        { uids::AAXCompID_AAXPropertyMap, "AAXCompID_AAXPropertyMap" },
        { uids::AAXCompID_HostServices, "AAXCompID_HostServices" },
        { uids::AAXCompID_PageTable, "AAXCompID_PageTable" },
        { uids::IID_IAAXAutomationDelegateV1, "IID_IAAXAutomationDelegateV1" },
        { uids::IID_IAAXCollectionV1, "IID_IAAXCollectionV1" },
        { uids::IID_IAAXComponentDescriptorV1, "IID_IAAXComponentDescriptorV1" },
        { uids::IID_IAAXComponentDescriptorV2, "IID_IAAXComponentDescriptorV2" },
        { uids::IID_IAAXComponentDescriptorV3, "IID_IAAXComponentDescriptorV3" },
        { uids::IID_IAAXControllerV1, "IID_IAAXControllerV1" },
        { uids::IID_IAAXControllerV2, "IID_IAAXControllerV2" },
        { uids::IID_IAAXControllerV3, "IID_IAAXControllerV3" },
        { uids::IID_IAAXDescriptionHostV1, "IID_IAAXDescriptionHostV1" },
        { uids::IID_IAAXEffectDescriptorV1, "IID_IAAXEffectDescriptorV1" },
        { uids::IID_IAAXEffectDescriptorV2, "IID_IAAXEffectDescriptorV2" },
        { uids::IID_IAAXEffectGUIV1, "IID_IAAXEffectGUIV1" },
        { uids::IID_IAAXEffectParametersV1, "IID_IAAXEffectParametersV1" },
        { uids::IID_IAAXEffectParametersV2, "IID_IAAXEffectParametersV2" },
        { uids::IID_IAAXEffectParametersV3, "IID_IAAXEffectParametersV3" },
        { uids::IID_IAAXEffectParametersV4, "IID_IAAXEffectParametersV4" },
        { uids::IID_IAAXFeatureInfoV1, "IID_IAAXFeatureInfoV1" },
        { uids::IID_IAAXHostServicesV1, "IID_IAAXHostServicesV1" },
        { uids::IID_IAAXHostServicesV2, "IID_IAAXHostServicesV2" },
        { uids::IID_IAAXHostServicesV3, "IID_IAAXHostServicesV3" },
        { uids::IID_IAAXPageTableControllerV1, "IID_IAAXPageTableControllerV1" },
        { uids::IID_IAAXPageTableControllerV2, "IID_IAAXPageTableControllerV2" },
        { uids::IID_IAAXPageTableV1, "IID_IAAXPageTableV1" },
        { uids::IID_IAAXPageTableV2, "IID_IAAXPageTableV2" },
        { uids::IID_IAAXPropertyMapV1, "IID_IAAXPropertyMapV1" },
        { uids::IID_IAAXPropertyMapV2, "IID_IAAXPropertyMapV2" },
        { uids::IID_IAAXPropertyMapV3, "IID_IAAXPropertyMapV3" },
        { uids::IID_IAAXTransportV1, "IID_IAAXTransportV1" },
        { uids::IID_IAAXTransportV2, "IID_IAAXTransportV2" },
        { uids::IID_IAAXViewContainerV1, "IID_IAAXViewContainerV1" },
        { uids::IID_IAAXViewContainerV2, "IID_IAAXViewContainerV2" },
        { uids::IID_IACFComponentFactory, "IID_IACFComponentFactory" },
        { uids::IID_IACFDefinition, "IID_IACFDefinition" },
        { uids::IID_IACFPluginDefinition, "IID_IACFPluginDefinition" },
        { uids::IID_IACFUnknown, "IID_IACFUnknown" },
        { uids::AAXATTR_ClientFeature_StemFormat, "AAXATTR_ClientFeature_StemFormat" },
    };

    for (const auto& [knownUid, name] : known)
        if (knownUid == uid)
            return name;

    return uid.toText();
}
