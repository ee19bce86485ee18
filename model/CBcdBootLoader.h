#pragma once
#include "model/CBcdObject.h"

// A "Windows Boot Loader" or "Windows Legacy OS Loader" section. A "debugtype" item sets its debug type.
class CBcdBootLoader : public CBcdObject {
public:
    void AddItem(CBcdItem&& item) override
    {
        ReadDebugType(item);
        CBcdObject::AddItem(std::move(item));
    }
};
