// AAX_Registration.cpp: AAXRegisterPlugin: wraps the host's collection, runs the description callback, answers the definition.
#include "AAX_Registration.h"

#include "AAX_CHostServices.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"

#include <exception>

namespace
{
    void traceCaught (const char* text)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAXRegisterPlugin exception caught: %s", text);
    }
}

AAX_Result AAXRegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** pluginDefinitionOut)
{
    try
    {
        AAX_VCollection collection (hostUnknown);
        AAX_CheckedResult result (GetEffectDescriptions (&collection));

        *pluginDefinitionOut = nullptr;
        auto* collectionObject = collection.GetIUnknown();
        if (collectionObject == nullptr
            || collectionObject->QueryInterface (IID_IACFPluginDefinition, reinterpret_cast<void**> (pluginDefinitionOut)) != ACF_OK)
        {
            // A host that failed the lookup must not leave anything behind.
            *pluginDefinitionOut = nullptr;
            result = AAX_ERROR_NULL_OBJECT;
        }

        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& error)
    {
        traceCaught (error.What().c_str());
        return error.Result();
    }
    catch (const AAX::Exception::Any& error)
    {
        traceCaught (error.What().c_str());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (const std::exception& error)
    {
        traceCaught (error.what());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (...)
    {
        traceCaught ("unknown");
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}
