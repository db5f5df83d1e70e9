#include "Engine/Texture.h"

void UTexture::UpdateResource()
{
	Resource = std::make_unique<FTextureResource>(GetSurfaceWidth(), GetSurfaceHeight());
}

void UTexture::BeginDestroy()
{
	Resource.reset();
	Super::BeginDestroy();
}
