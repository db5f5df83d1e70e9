#pragma once

#include "Styling/SlateBrush.h"
