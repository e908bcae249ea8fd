// A registration made the way the framework's AAX wrapper makes it for this effect, and the host call log it should leave.
// Shared by the in-process wrapper tests and the registration module the host tests load.
#pragma once

#include <AAX_Errors.h>
#include <AAX_ICollection.h>
#include <AAX_IComponentDescriptor.h>
#include <AAX_IDescriptionHost.h>
#include <AAX_IEffectDescriptor.h>
#include <AAX_IFeatureInfo.h>
#include <AAX_IPropertyMap.h>
#include <AAX_StemFormats.h>

#include <memory>
#include <tuple>

namespace framework_shaped
{
    struct AlgorithmContext
    {
        float** inputs;
    };

    struct Procedures
    {
        void* createGUI;
        void* createParameters;
        void (AAX_CALLBACK* process) (AlgorithmContext* const[], const void* const);
    };

    // Asks which stem formats the host supports, then describes one component
    // per accepted configuration (mono, stereo), the effect and the package,
    // in the framework's order and with this effect's values.
    inline AAX_Result describe (AAX_ICollection& collection, const Procedures& procedures)
    {
        std::unique_ptr<const AAX_IFeatureInfo> stemFormats;
        if (const auto* descriptionHost = collection.DescriptionHost())
            stemFormats.reset (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
        const auto hostSupports = [&] (AAX_EStemFormat format) {
            AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
            if (stemFormats != nullptr && stemFormats->SupportLevel (level) == AAX_SUCCESS && level == AAX_eSupportLevel_ByProperty)
            {
                std::unique_ptr<const AAX_IPropertyMap> properties (stemFormats->AcquireProperties());
                AAX_CPropertyValue support = 0;
                if (properties != nullptr && properties->GetProperty (static_cast<AAX_EProperty> (format), &support))
                    return support == AAX_eSupportLevel_Supported;
            }
            return AAX_STEM_FORMAT_INDEX (format) <= 12;
        };

        auto* descriptor = collection.NewDescriptor();
        if (descriptor == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        descriptor->AddName ("VANTO Groundwork Kick");
        descriptor->AddName ("VANTOGroundworkKick");
        descriptor->AddCategory (0x00002000);
        descriptor->AddProcPtr (procedures.createGUI, kAAX_ProcPtrID_Create_EffectGUI);
        descriptor->AddProcPtr (procedures.createParameters, kAAX_ProcPtrID_Create_EffectParameters);

        for (const auto& [format, nativeID, audioSuiteID] : { std::tuple { AAX_eStemFormat_Mono, 'jcbb', 'jybb' },
                                                              std::tuple { AAX_eStemFormat_Stereo, 'jccc', 'jycc' } })
        {
            if (! hostSupports (format))
                continue;
            auto* component = descriptor->NewComponentDescriptor();
            component->AddAudioIn (0);
            component->AddAudioOut (1);
            component->AddAudioBufferLength (2);
            component->AddDataInPort (3, sizeof (int32_t));
            component->AddPrivateData (4, 8);
            component->AddPrivateData (5, sizeof (int32_t));
            component->AddPrivateData (6, 8);
            auto* properties = component->NewPropertyMap();
            properties->AddProperty (AAX_eProperty_ManufacturerID, 'V4nt');
            properties->AddProperty (AAX_eProperty_ProductID, 'G0wk');
            properties->AddProperty (AAX_eProperty_CanBypass, true);
            properties->AddProperty (AAX_eProperty_InputStemFormat, format);
            properties->AddProperty (AAX_eProperty_OutputStemFormat, format);
            properties->AddProperty (AAX_eProperty_PlugInID_Native, nativeID);
            properties->AddProperty (AAX_eProperty_PlugInID_AudioSuite, audioSuiteID);
            properties->AddProperty (AAX_eProperty_Constraint_MultiMonoSupport, true);
            component->AddPrivateData (7, 8); // stands in for the side-chain field: contexts have no gaps
            component->AddProcessProc_Native (procedures.process, properties);
            descriptor->AddComponent (component);
        }

        collection.AddEffect ("com.VANTO.VANTOGroundworkKick", descriptor);
        collection.SetManufacturerName ("VANTO");
        collection.AddPackageName ("VANTOGroundworkKick");
        collection.AddPackageName ("VANTO Groundwork Kick");
        collection.SetPackageVersion (0x00010000);
        return AAX_SUCCESS;
    }
}
