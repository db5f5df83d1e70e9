#pragma once

#include "Editor/EditorEngine.h"

// The editor engine; null outside the editor.
extern UEditorEngine* GEditor;
