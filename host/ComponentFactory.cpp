// ComponentFactory.cpp: creating host components on the module's request.
#include "ComponentFactory.h"

host::ComponentFactory::ComponentFactory (CallLog& log)
    : HostObject ("ComponentFactory", log)
{
    offer ({ uids::IID_IACFComponentFactory });
}

void host::ComponentFactory::registerClass (const Uid& classId, Creator creator)
{
    const std::lock_guard<std::mutex> guard (lock);
    creators[classId] = std::move (creator);
}

void host::ComponentFactory::setCreationResult (int32_t result)
{
    const std::lock_guard<std::mutex> guard (lock);
    creationResult = result;
}

int32_t host::ComponentFactory::CreateInstance (const Uid& classId, IUnknownSlots* outer, const Uid& iid, void** interfaceOut)
{
    record (3, { CallLog::text (classId), CallLog::text (static_cast<const void*> (outer)), CallLog::text (iid) });

    if (interfaceOut == nullptr)
        return resultPointer;

    *interfaceOut = nullptr;

    RecordedObject* object = nullptr;
    int32_t forcedResult = resultOk;
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto creator = creators.find (classId);
        if (creator == creators.end())
            return resultNoInterface;

        made.push_back ({ classId, creator->second() });
        object = made.back().object.get();
        forcedResult = creationResult;
    }

    const auto lookupResult = object->unknown().QueryInterface (iid, interfaceOut);
    return forcedResult != resultOk ? forcedResult : lookupResult;
}

std::vector<host::RecordedObject*> host::ComponentFactory::created() const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<RecordedObject*> objects;
    for (const auto& entry : made)
        objects.push_back (entry.object.get());
    return objects;
}

std::vector<host::RecordedObject*> host::ComponentFactory::created (const Uid& classId) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<RecordedObject*> objects;
    for (const auto& entry : made)
        if (entry.classId == classId)
            objects.push_back (entry.object.get());
    return objects;
}
