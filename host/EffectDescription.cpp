// EffectDescription.cpp: assembling a registered effect from the registration calls the host recorded.
#include "EffectDescription.h"

#include <cstdlib>

namespace
{
    using host::FieldDescription;

    // Positions of the registration operations this host keeps.
    namespace collectionOps { constexpr int addEffect = 7, setManufacturerName = 8, addPackageName = 9, setPackageVersion = 10; }
    namespace effectOps { constexpr int addComponent = 3, addName = 4, addCategory = 5, addProcPtr = 7; }
    namespace componentOps
    {
        constexpr int addAudioIn = 5, addAudioOut = 6, addAudioBufferLength = 7, addDataInPort = 11,
                      addPrivateData = 13, addProcessProcNative = 16;
        // Other operations that declare a field (its index first), which this host leaves null.
        bool declaresOtherField (int position)
        {
            switch (position)
            {
                case 4: case 8: case 9: case 10: case 12: case 14: case 15: case 18: case 19: return true;
                default: return false;
            }
        }
    }
    namespace propertyMapOps { constexpr int addProperty = 4, removeProperty = 5; }

    bool startsWith (const std::string& text, const char* prefix)
    {
        return text.rfind (prefix, 0) == 0;
    }

    int64_t number (const std::string& text)
    {
        return std::strtoll (text.c_str(), nullptr, 10);
    }

    // Addresses are logged with %p; a null one reads as 0.
    template <typename Pointer>
    Pointer address (const std::string& text)
    {
        return reinterpret_cast<Pointer> (static_cast<uintptr_t> (std::strtoull (text.c_str(), nullptr, 16)));
    }

    struct ComponentRecord
    {
        host::ComponentDescription description;
        std::string propertyMap;
    };

    struct EffectRecord
    {
        std::vector<std::string> names;
        uint32_t category = 0;
        host::CreationProcedure createParameters = nullptr;
        host::CreationProcedure createGUI = nullptr;
        std::vector<std::string> components;
    };

    void readComponentCall (const host::Call& call, ComponentRecord& record)
    {
        const auto& args = call.arguments;
        auto addField = [&] (FieldDescription::Kind kind, uint32_t size) {
            record.description.fields.push_back ({ static_cast<uint32_t> (number (args.at (0))), kind, size });
        };

        switch (call.position)
        {
            case componentOps::addAudioIn: addField (FieldDescription::Kind::audioIn, 0); break;
            case componentOps::addAudioOut: addField (FieldDescription::Kind::audioOut, 0); break;
            case componentOps::addAudioBufferLength: addField (FieldDescription::Kind::audioBufferLength, 0); break;
            case componentOps::addDataInPort: addField (FieldDescription::Kind::dataInPort, static_cast<uint32_t> (number (args.at (1)))); break;
            case componentOps::addPrivateData: addField (FieldDescription::Kind::privateData, static_cast<uint32_t> (number (args.at (1)))); break;
            case componentOps::addProcessProcNative:
                record.description.process = address<host::ProcessProcedure> (args.at (0));
                record.propertyMap = args.at (1);
                break;
            default:
                if (componentOps::declaresOtherField (call.position))
                    addField (FieldDescription::Kind::other, 0);
                break;
        }
    }

    void readEffectCall (const host::Call& call, EffectRecord& record)
    {
        const auto& args = call.arguments;
        switch (call.position)
        {
            case effectOps::addComponent: record.components.push_back (args.at (0)); break;
            case effectOps::addName: record.names.push_back (args.at (0)); break;
            case effectOps::addCategory: record.category |= static_cast<uint32_t> (number (args.at (0))); break;
            case effectOps::addProcPtr:
                if (number (args.at (1)) == host::procedureKinds::createEffectParameters)
                    record.createParameters = address<host::CreationProcedure> (args.at (0));
                else if (number (args.at (1)) == host::procedureKinds::createEffectGUI)
                    record.createGUI = address<host::CreationProcedure> (args.at (0));
                break;
            default: break;
        }
    }
}

std::optional<int32_t> host::ComponentDescription::property (int32_t id) const
{
    const auto found = properties.find (id);
    return found != properties.end() ? std::optional<int32_t> (found->second) : std::nullopt;
}

int host::ComponentDescription::inputChannels() const
{
    return property (properties::inputStemFormat).value_or (0) & 0xFFFF;
}

int host::ComponentDescription::outputChannels() const
{
    return property (properties::outputStemFormat).value_or (0) & 0xFFFF;
}

const host::ComponentDescription* host::EffectDescription::component (int inputs, int outputs) const
{
    for (const auto& candidate : components)
        if (candidate.inputChannels() == inputs && candidate.outputChannels() == outputs)
            return &candidate;
    return nullptr;
}

std::optional<host::EffectDescription> host::describeRegisteredEffect (const std::vector<Call>& calls)
{
    std::map<std::string, ComponentRecord> components;
    std::map<std::string, EffectRecord> effects;
    std::map<std::string, std::map<int32_t, int32_t>> propertyMaps;
    EffectDescription description;
    std::string addedEffect;

    for (const auto& call : calls)
    {
        const auto& args = call.arguments;

        if (startsWith (call.object, "ComponentDescriptor"))
            readComponentCall (call, components[call.object]);
        else if (startsWith (call.object, "EffectDescriptor"))
            readEffectCall (call, effects[call.object]);
        else if (startsWith (call.object, "PropertyMap"))
        {
            if (call.position == propertyMapOps::addProperty)
                propertyMaps[call.object][static_cast<int32_t> (number (args.at (0)))] = static_cast<int32_t> (number (args.at (1)));
            else if (call.position == propertyMapOps::removeProperty)
                propertyMaps[call.object].erase (static_cast<int32_t> (number (args.at (0))));
        }
        else if (startsWith (call.object, "Collection"))
        {
            switch (call.position)
            {
                case collectionOps::addEffect:
                    if (addedEffect.empty())
                    {
                        description.effectID = args.at (0);
                        addedEffect = args.at (1);
                    }
                    break;
                case collectionOps::setManufacturerName: description.manufacturer = args.at (0); break;
                case collectionOps::addPackageName: description.packageNames.push_back (args.at (0)); break;
                case collectionOps::setPackageVersion: description.packageVersion = static_cast<uint32_t> (number (args.at (0))); break;
                default: break;
            }
        }
    }

    const auto effect = effects.find (addedEffect);
    if (effect == effects.end())
        return std::nullopt;

    description.names = effect->second.names;
    description.category = effect->second.category;
    description.createParameters = effect->second.createParameters;
    description.createGUI = effect->second.createGUI;

    for (const auto& name : effect->second.components)
    {
        auto record = components[name];
        record.description.properties = propertyMaps[record.propertyMap];
        description.components.push_back (std::move (record.description));
    }

    return description;
}
