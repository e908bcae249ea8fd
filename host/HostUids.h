// HostUids.h: every identifier the host answers or asks for, from its text form, with its name for call logs.
#pragma once

#include "HostUid.h"

#include <string>

namespace host
{
    namespace uids
    {
        inline constexpr Uid AAXCompID_AAXCollection = Uid::fromText ("{89882C2D-77BC-42EF-707B-7981B7BD0CCA}");
        inline constexpr Uid AAXCompID_AAXComponentDescriptor = Uid::fromText ("{94872C3D-95BC-413D-D0DB-D9B12AAD0CCA}");
        inline constexpr Uid AAXCompID_AAXEffectDescriptor = Uid::fromText ("{89872C2D-75BC-423F-401B-F9A1BAAD0CCA}");
        inline constexpr Uid AAXCompID_AAXPropertyMap = Uid::fromText ("{A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA}");
        inline constexpr Uid AAXCompID_HostServices = Uid::fromText ("{88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA}");
        inline constexpr Uid AAXCompID_PageTable = Uid::fromText ("{DBC22879-A24E-4AC6-9721-938B72D8E81B}");
        inline constexpr Uid IID_IAAXAutomationDelegateV1 = Uid::fromText ("{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}");
        inline constexpr Uid IID_IAAXCollectionV1 = Uid::fromText ("{96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA}");
        inline constexpr Uid IID_IAAXComponentDescriptorV1 = Uid::fromText ("{96E42C2D-E2BC-51EF-61C7-48994AEB0CDA}");
        inline constexpr Uid IID_IAAXComponentDescriptorV2 = Uid::fromText ("{1895259E-AAA9-4F0F-A985-149837B76F89}");
        inline constexpr Uid IID_IAAXComponentDescriptorV3 = Uid::fromText ("{979CFCD4-2BCB-43AE-9CD0-2D0ECD2ADCD5}");
        inline constexpr Uid IID_IAAXControllerV1 = Uid::fromText ("{9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E}");
        inline constexpr Uid IID_IAAXControllerV2 = Uid::fromText ("{4C59AA0E-D7C0-4205-8B6C-32468D42D202}");
        inline constexpr Uid IID_IAAXControllerV3 = Uid::fromText ("{DD6F168C-DA86-44F8-B864-D6CD221926E7}");
        inline constexpr Uid IID_IAAXDescriptionHostV1 = Uid::fromText ("{E5BC71DF-4C1F-4CC4-814A-5A7DD0E70EF5}");
        inline constexpr Uid IID_IAAXEffectDescriptorV1 = Uid::fromText ("{96D42C2D-EBBC-41EF-D1CB-499442E40FDA}");
        inline constexpr Uid IID_IAAXEffectDescriptorV2 = Uid::fromText ("{41ECCC52-416B-4072-84BD-40B05210A74C}");
        inline constexpr Uid IID_IAAXEffectGUIV1 = Uid::fromText ("{964E323D-424C-5E1A-2227-282423222E1E}");
        inline constexpr Uid IID_IAAXEffectParametersV1 = Uid::fromText ("{964E333D-334C-533F-C2C7-3834C3C23E3E}");
        inline constexpr Uid IID_IAAXEffectParametersV2 = Uid::fromText ("{F1F47D06-308F-4CC5-9C7C-50A83F8AB813}");
        inline constexpr Uid IID_IAAXEffectParametersV3 = Uid::fromText ("{D2540E9D-9163-42BB-A6FD-81E10EA32498}");
        inline constexpr Uid IID_IAAXEffectParametersV4 = Uid::fromText ("{2E485536-31A3-4697-9C16-E59BF6B28A41}");
        inline constexpr Uid IID_IAAXFeatureInfoV1 = Uid::fromText ("{24545609-A7C4-44D4-ABB8-CF13EA9D0BDF}");
        inline constexpr Uid IID_IAAXHostServicesV1 = Uid::fromText ("{96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA}");
        inline constexpr Uid IID_IAAXHostServicesV2 = Uid::fromText ("{A207EE9E-B442-11E4-A71E-12E3F512A338}");
        inline constexpr Uid IID_IAAXHostServicesV3 = Uid::fromText ("{12BEA399-9A4F-4353-8098-3916FA71898D}");
        inline constexpr Uid IID_IAAXPageTableControllerV1 = Uid::fromText ("{2E9D35FB-BACC-4B2C-B5D7-C6E851F569BD}");
        inline constexpr Uid IID_IAAXPageTableControllerV2 = Uid::fromText ("{06C6B83E-9D87-4938-8A38-F8E45B10A24A}");
        inline constexpr Uid IID_IAAXPageTableV1 = Uid::fromText ("{33C9E5BE-1CE3-4085-91A7-09D6F8EE4B64}");
        inline constexpr Uid IID_IAAXPageTableV2 = Uid::fromText ("{D0F25D1B-9C5B-4D2E-8F1F-45BC934732F7}");
        inline constexpr Uid IID_IAAXPropertyMapV1 = Uid::fromText ("{96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE}");
        inline constexpr Uid IID_IAAXPropertyMapV2 = Uid::fromText ("{7177DF80-7C9C-11E2-B92A-0800200C9A66}");
        inline constexpr Uid IID_IAAXPropertyMapV3 = Uid::fromText ("{6D4AB208-D34B-4368-B4F1-58BC243F45C9}");
        inline constexpr Uid IID_IAAXTransportV1 = Uid::fromText ("{5CEE4EF4-6337-4359-B63B-FE58DC36543A}");
        inline constexpr Uid IID_IAAXTransportV2 = Uid::fromText ("{203CBD9F-982C-4FE6-A827-07480257AEC3}");
        inline constexpr Uid IID_IAAXViewContainerV1 = Uid::fromText ("{22DA0BBC-D550-4D5E-8CC6-734483B8837F}");
        inline constexpr Uid IID_IAAXViewContainerV2 = Uid::fromText ("{9143A0BE-7A79-4D02-AE25-AADBA76A50B2}");
        inline constexpr Uid IID_IACFComponentFactory = Uid::fromText ("{382B6A96-7FD0-11D6-BCFE-00306542A024}");
        inline constexpr Uid IID_IACFDefinition = Uid::fromText ("{E51741F1-7FCF-11D6-AAC3-00306542A024}");
        inline constexpr Uid IID_IACFPluginDefinition = Uid::fromText ("{00EEF015-7FD0-11D6-8485-00306542A024}");
        inline constexpr Uid IID_IACFUnknown = Uid::fromText ("{00000000-0000-0000-C000-000000000046}");

        // The stem-format feature the module asks the description host about.
        inline constexpr Uid AAXATTR_ClientFeature_StemFormat = Uid::fromText ("{56C7F3A1-2B4E-4D0A-9C61-3E0F5B7AD248}");
    }

    // The identifier's name when the host knows it, else its text form.
    std::string uidName (const Uid& uid);
}
