#pragma once

#include "CoreTypes.h"

// True on the thread that started the host (the editor's game thread).
bool IsInGameThread();
