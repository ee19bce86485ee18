#pragma once
#include "model/CBcdObject.h"

// The "Windows Boot Manager" section. Whatever it prints, its debug type stays none.
class CBcdBootManager : public CBcdObject {
public:
    CBcdBootManager() { SetKind(ObjectKind::BootManager); }
};
