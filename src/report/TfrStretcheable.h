#pragma once
// TfrStretcheable: objects that can grow in height when printed (memos, lines).
#include "TfrView.h"

class TfrStretcheable : public TfrView {
};
