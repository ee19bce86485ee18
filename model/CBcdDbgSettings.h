#pragma once
#include "model/CBcdObject.h"

// The output of "/DBGSETTINGS". A "debugtype" item sets its debug type.
class CBcdDbgSettings : public CBcdObject {
protected:
    void OnItemAdded(const CBcdItem& item) override
    {
        ReadDebugType(item);
        CBcdObject::OnItemAdded(item);
    }
};
