#pragma once

#include "IToolMenusModule.h"

// The module behind UToolMenus; the menus themselves live in the UToolMenus object.
class FToolMenusModule : public IToolMenusModule
{
};
