#pragma once

#include "Components/SceneComponent.h"

// A scene component that draws something.
class UPrimitiveComponent : public USceneComponent
{
	DECLARE_HOST_CLASS(UPrimitiveComponent, USceneComponent, TEXT("/Script/Engine"))
};
