#pragma once

#include "CoreMinimal.h"

class AActor;

namespace KVAEditor
{
	// A picture of the level as its viewport shows it: colours row by row, top row first.
	struct FLevelPicture
	{
		int32 Width = 0;
		int32 Height = 0;
		TArray<FColor> Pixels;
	};

	// The colour of the viewport where nothing is drawn.
	FColor LevelBackground();
	// The flat colour a material slot is drawn in before shading: the same for the same name.
	FColor MaterialTint(const FString& MaterialName);

	// Draws the static meshes of the actors with flat shading and a depth buffer, seen from above
	// and in front, with the camera framing the meshes' bounds (nothing but the background when no
	// actor shows a mesh). A software rasteriser of the desktop program, which has no renderer.
	FLevelPicture RenderLevel(const TArray<AActor*>& Actors, int32 Width, int32 Height);
}
