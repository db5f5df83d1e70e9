#pragma once

#include "Math/TransformNonVectorized.h"
