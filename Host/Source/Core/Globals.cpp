#include "CoreGlobals.h"

ITransaction* GUndo = nullptr;
bool GIsTransacting = false;
