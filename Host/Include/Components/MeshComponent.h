#pragma once

#include "Components/PrimitiveComponent.h"

// A primitive component that draws a mesh.
class UMeshComponent : public UPrimitiveComponent
{
	DECLARE_HOST_CLASS(UMeshComponent, UPrimitiveComponent, TEXT("/Script/Engine"))
};
