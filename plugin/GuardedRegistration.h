// GuardedRegistration.h: the effect registered with creation procedures of the module's own for its parameters and window objects.
#pragma once

#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"

#include <memory>
#include <vector>

namespace kick
{
    // The procedures that create an instance's objects in place of the ones
    // the effect's description names.
    struct CreationProcedures
    {
        void* parameters = nullptr;
        void* window = nullptr;
    };

    // An effect's description passed on as it is given, except that the
    // parameters and window objects are created by the procedures named here.
    class DescriptorWithCreation final : public AAX_IEffectDescriptor
    {
    public:
        DescriptorWithCreation (AAX_IEffectDescriptor& described, CreationProcedures creationToUse) noexcept
            : inner (described), creation (creationToUse) {}

        AAX_IEffectDescriptor& described() noexcept { return inner; }

        AAX_Result AddProcPtr (void* procedure, AAX_CProcPtrID procedureID) override
        {
            if (procedureID == kAAX_ProcPtrID_Create_EffectParameters)
                procedure = creation.parameters;
            else if (procedureID == kAAX_ProcPtrID_Create_EffectGUI)
                procedure = creation.window;

            return inner.AddProcPtr (procedure, procedureID);
        }

        AAX_IComponentDescriptor* NewComponentDescriptor() override { return inner.NewComponentDescriptor(); }
        AAX_Result AddComponent (AAX_IComponentDescriptor* component) override { return inner.AddComponent (component); }
        AAX_Result AddName (const char* name) override { return inner.AddName (name); }
        AAX_Result AddCategory (uint32_t category) override { return inner.AddCategory (category); }
        AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID id) override { return inner.AddCategoryBypassParameter (category, id); }
        AAX_IPropertyMap* NewPropertyMap() override { return inner.NewPropertyMap(); }
        AAX_Result SetProperties (AAX_IPropertyMap* properties) override { return inner.SetProperties (properties); }
        AAX_Result AddResourceInfo (AAX_EResourceType type, const char* info) override { return inner.AddResourceInfo (type, info); }
        AAX_Result AddMeterDescription (AAX_CTypeID id, const char* name, AAX_IPropertyMap* properties) override { return inner.AddMeterDescription (id, name, properties); }
        AAX_Result AddControlMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name, uint32_t channels) override { return inner.AddControlMIDINode (field, type, name, channels); }

    private:
        AAX_IEffectDescriptor& inner;
        CreationProcedures creation;
    };

    // The registration collection passed on as it is given, its effects'
    // descriptions made DescriptorWithCreation. Lives for the description
    // callback, as the descriptions it makes do.
    class CollectionWithCreation final : public AAX_ICollection
    {
    public:
        CollectionWithCreation (AAX_ICollection& collection, CreationProcedures creationToUse) noexcept
            : inner (collection), creation (creationToUse) {}

        AAX_IEffectDescriptor* NewDescriptor() override
        {
            auto* described = inner.NewDescriptor();

            if (described == nullptr)
                return nullptr;

            descriptors.push_back (std::make_unique<DescriptorWithCreation> (*described, creation));
            return descriptors.back().get();
        }

        AAX_Result AddEffect (const char* effectID, AAX_IEffectDescriptor* descriptor) override
        {
            for (const auto& own : descriptors)
                if (own.get() == descriptor)
                    return inner.AddEffect (effectID, &own->described());

            return inner.AddEffect (effectID, descriptor);
        }

        AAX_Result SetManufacturerName (const char* name) override { return inner.SetManufacturerName (name); }
        AAX_Result AddPackageName (const char* name) override { return inner.AddPackageName (name); }
        AAX_Result SetPackageVersion (uint32_t version) override { return inner.SetPackageVersion (version); }
        AAX_IPropertyMap* NewPropertyMap() override { return inner.NewPropertyMap(); }
        AAX_Result SetProperties (AAX_IPropertyMap* properties) override { return inner.SetProperties (properties); }
        AAX_IDescriptionHost* DescriptionHost() override { return inner.DescriptionHost(); }
        const AAX_IDescriptionHost* DescriptionHost() const override { return static_cast<const AAX_ICollection&> (inner).DescriptionHost(); }
        IACFDefinition* HostDefinition() const override { return inner.HostDefinition(); }

    private:
        AAX_ICollection& inner;
        CreationProcedures creation;
        std::vector<std::unique_ptr<DescriptorWithCreation>> descriptors;
    };
}
