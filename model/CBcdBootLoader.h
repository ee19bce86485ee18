#pragma once
#include "model/CBcdObject.h"

// A "Windows Boot Loader" or "Windows Legacy OS Loader" section. A "debugtype" item sets its debug type.
class CBcdBootLoader : public CBcdObject {
protected:
    void OnItemAdded(const CBcdItem& item) override
    {
        ReadDebugType(item);
        CBcdObject::OnItemAdded(item);
    }
};
