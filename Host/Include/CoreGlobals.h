#pragma once

#include "CoreTypes.h"

class ITransaction;

// True on the thread that started the host (the editor's game thread).
bool IsInGameThread();

// The transaction being recorded, if any: objects that change save their state into it.
extern ITransaction* GUndo;
// True while an undo or redo applies recorded states.
extern bool GIsTransacting;
