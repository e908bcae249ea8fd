// A plug-in module for the host tests: the interface library with a description
// callback whose behaviour the test picks before each registration through the
// environment variable AAX_TEST_MODULE_BEHAVIOUR:
//   succeed               answers AAX_SUCCESS (the default)
//   error:<result>        answers <result>
//   throw-result:<result> throws AAX::Exception::ResultError (<result>)
//   throw-any             throws AAX::Exception::Any ("description failed")
//   throw-std             throws std::runtime_error ("out of descriptions")
//   throw-other           throws an int
//   hold-objects:<n>      answers AAX_SUCCESS keeping <n> more live objects
//   release-objects       answers AAX_SUCCESS releasing every object it keeps
#include <AAX_Exports.cpp>

#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
    class LiveObject final : public IACFUnknown, public CACFUnknown
    {
    public:
        ACF_DECLARE_STANDARD_UNKNOWN()
    };

    std::vector<IACFUnknown*> keptObjects;

    int argumentOf (const std::string& behaviour)
    {
        return std::stoi (behaviour.substr (behaviour.find (':') + 1));
    }

    bool startsWith (const std::string& text, const char* prefix)
    {
        return text.rfind (prefix, 0) == 0;
    }
}

AAX_Result GetEffectDescriptions (AAX_ICollection*)
{
    const char* chosen = std::getenv ("AAX_TEST_MODULE_BEHAVIOUR");
    const std::string behaviour = chosen != nullptr ? chosen : "succeed";

    if (startsWith (behaviour, "error:"))
        return argumentOf (behaviour);
    if (startsWith (behaviour, "throw-result:"))
        throw AAX::Exception::ResultError (argumentOf (behaviour));
    if (behaviour == "throw-any")
        throw AAX::Exception::Any ("description failed");
    if (behaviour == "throw-std")
        throw std::runtime_error ("out of descriptions");
    if (behaviour == "throw-other")
        throw 42;

    if (startsWith (behaviour, "hold-objects:"))
    {
        for (int i = argumentOf (behaviour); i > 0; --i)
        {
            void* unknown = nullptr;
            (new LiveObject())->InternalQueryInterface (IID_IACFUnknown, &unknown);
            keptObjects.push_back (static_cast<IACFUnknown*> (unknown));
        }
    }
    else if (behaviour == "release-objects")
    {
        for (auto* object : keptObjects)
            object->Release();
        keptObjects.clear();
    }

    return AAX_SUCCESS;
}
