// ComponentFactory.h: the host's component factory: makes the host components the module asks for, by class.
#pragma once

#include "HostObject.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace host
{
    class ComponentFactory final : public HostObject<IComponentFactorySlots>
    {
    public:
        using Creator = std::function<std::unique_ptr<RecordedObject>()>;

        explicit ComponentFactory (CallLog& log);

        // Components of `classId` are made by `creator`; a class without a
        // creator is unknown to this host.
        void registerClass (const Uid& classId, Creator creator);

        // Creations from now on still hand out the component but answer
        // `result`, as a faulty host may; resultOk (the default) restores
        // ordinary answers.
        void setCreationResult (int32_t result);

        // Position 3. Makes a new component and answers its interface `iid`.
        // The factory keeps every component it made, so tests can inspect it
        // after the module has let go.
        int32_t CreateInstance (const Uid& classId, IUnknownSlots* outer, const Uid& iid, void** interfaceOut) override;

        // Components made so far, oldest first.
        std::vector<RecordedObject*> created() const;
        std::vector<RecordedObject*> created (const Uid& classId) const;

    private:
        struct Made
        {
            Uid classId;
            std::unique_ptr<RecordedObject> object;
        };

        mutable std::mutex lock;
        std::map<Uid, Creator> creators;
        int32_t creationResult = resultOk;
        std::vector<Made> made;
    };
}
