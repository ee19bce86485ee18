#pragma once
#include "model/CBcdObject.h"

// The output of "/DBGSETTINGS". A "debugtype" item sets its debug type.
class CBcdDbgSettings : public CBcdObject {
public:
    void AddItem(CBcdItem&& item) override
    {
        ReadDebugType(item);
        CBcdObject::AddItem(std::move(item));
    }
};
