#pragma once

#include "CoreTypes.h"

// A font family with its typefaces. The host has one, the editor's default: Roboto, drawn
// from the faces that fonts-roboto installs.
struct FCompositeFont
{
};
