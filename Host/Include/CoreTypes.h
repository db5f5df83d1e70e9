#pragma once

#include "HAL/Platform.h"
#include "Misc/Build.h"
#include "Misc/AssertionMacros.h"
