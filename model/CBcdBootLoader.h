#pragma once
#include "model/CBcdObject.h"

// A "Windows Boot Loader" or "Windows Legacy OS Loader" section. A "debugtype" item sets its debug type.
// Entries of other kinds (boot sectors, firmware entries, settings objects)
// are held the same way, with their own kind.
class CBcdBootLoader : public CBcdObject {
public:
    CBcdBootLoader() { SetKind(ObjectKind::Loader); }

protected:
    void OnItemAdded(const CBcdItem& item) override
    {
        ReadDebugType(item);
        CBcdObject::OnItemAdded(item);
    }
};
