#include "LevelRender.h"

#include "Components/StaticMeshComponent.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Materials/MaterialInterface.h"

#include <cmath>
#include <limits>

namespace
{
	// The camera looks at the level from the front right, a little from above, as the
	// catalogue's previews do.
	const FVector ViewFrom(1.0, -1.35, 0.85);
	const FVector LightFrom(0.45, -0.3, 1.0);
	constexpr double FieldOfViewDegrees = 40.0;
	constexpr double Ambient = 0.35;

	double Dot(const FVector& A, const FVector& B)
	{
		return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
	}

	FVector Normal(const FVector& V)
	{
		const double Length = V.Size();
		return Length > 0.0 ? V * (1.0 / Length) : FVector(0.0, 0.0, 0.0);
	}

	struct FTriangle
	{
		FVector Corners[3];
		FColor Tint;
	};

	// Every triangle of the actors' meshes in the level's space, tinted by its section's material.
	TArray<FTriangle> Gather(const TArray<AActor*>& Actors)
	{
		TArray<FTriangle> Triangles;
		for (const AActor* Actor : Actors)
		{
			const AStaticMeshActor* MeshActor = Cast<AStaticMeshActor>(Actor);
			const UStaticMeshComponent* Component = MeshActor != nullptr ? MeshActor->GetStaticMeshComponent() : nullptr;
			const UStaticMesh* Mesh = Component != nullptr ? Component->GetStaticMesh().Get() : nullptr;
			if (Mesh == nullptr || Mesh->GetRenderData() == nullptr || Mesh->GetRenderData()->LODResources.Num() == 0)
			{
				continue;
			}
			const FTransform Transform = Component->GetComponentTransform();
			const FStaticMeshLODResources& LOD = Mesh->GetRenderData()->LODResources[0];
			for (const FStaticMeshSection& Section : LOD.Sections)
			{
				const UMaterialInterface* Material = Mesh->GetMaterial(Section.MaterialIndex);
				const FColor Tint = KVAEditor::MaterialTint(Material != nullptr ? Material->GetName() : FString());
				for (uint32 Triangle = 0; Triangle < Section.NumTriangles; ++Triangle)
				{
					FTriangle& Made = Triangles.Emplace_GetRef();
					Made.Tint = Tint;
					for (int32 Corner = 0; Corner < 3; ++Corner)
					{
						const uint32 Index = LOD.Indices[int32(Section.FirstIndex + Triangle * 3 + Corner)];
						const FVector3f& Position = LOD.Positions[int32(Index)];
						Made.Corners[Corner] = Transform.TransformPosition(FVector(Position.X, Position.Y, Position.Z));
					}
				}
			}
		}
		return Triangles;
	}

	struct FCamera
	{
		FVector Eye;
		FVector Right;
		FVector Up;
		FVector Forward;
		// Pixels per unit of the image plane at distance one.
		double Focal = 1.0;
		double CentreX = 0.0;
		double CentreY = 0.0;

		// Screen position and depth; false behind the camera.
		bool Project(const FVector& Point, FVector& OutScreen) const
		{
			const FVector Relative = Point - Eye;
			const double Depth = Dot(Relative, Forward);
			if (Depth <= 1e-6)
			{
				return false;
			}
			OutScreen = FVector(CentreX + Focal * Dot(Relative, Right) / Depth, CentreY - Focal * Dot(Relative, Up) / Depth, Depth);
			return true;
		}
	};

	// Frames the sphere around the triangles' bounding box so that all of it is in view.
	FCamera Frame(const TArray<FTriangle>& Triangles, int32 Width, int32 Height)
	{
		const double Huge = std::numeric_limits<double>::max();
		FVector Low(Huge, Huge, Huge);
		FVector High(-Huge, -Huge, -Huge);
		for (const FTriangle& Triangle : Triangles)
		{
			for (const FVector& Corner : Triangle.Corners)
			{
				Low = FVector(FMath::Min(Low.X, Corner.X), FMath::Min(Low.Y, Corner.Y), FMath::Min(Low.Z, Corner.Z));
				High = FVector(FMath::Max(High.X, Corner.X), FMath::Max(High.Y, Corner.Y), FMath::Max(High.Z, Corner.Z));
			}
		}
		const FVector Centre = (Low + High) * 0.5;
		const double Radius = FMath::Max((High - Low).Size() * 0.5, 1e-3);
		const double HalfAngle = FieldOfViewDegrees * 0.5 * std::acos(-1.0) / 180.0;
		FCamera Camera;
		Camera.Eye = Centre + Normal(ViewFrom) * (Radius / std::sin(HalfAngle) * 1.05);
		Camera.Forward = Normal(Centre - Camera.Eye);
		Camera.Right = Normal(FVector::CrossProduct(Camera.Forward, FVector(0.0, 0.0, 1.0)));
		Camera.Up = FVector::CrossProduct(Camera.Right, Camera.Forward);
		Camera.Focal = FMath::Min(Width, Height) * 0.5 / std::tan(HalfAngle);
		Camera.CentreX = Width * 0.5;
		Camera.CentreY = Height * 0.5;
		return Camera;
	}

	double Edge(const FVector& A, const FVector& B, double X, double Y)
	{
		return (B.X - A.X) * (Y - A.Y) - (B.Y - A.Y) * (X - A.X);
	}

	FColor Shade(const FColor& Tint, double Light)
	{
		auto Channel = [Light](uint8 Value) { return uint8(FMath::Clamp(int32(std::lround(Value * Light)), 0, 255)); };
		return FColor(Channel(Tint.R), Channel(Tint.G), Channel(Tint.B), 255);
	}
}

namespace KVAEditor
{
	FColor LevelBackground()
	{
		return FColor(38, 40, 44, 255);
	}

	FColor MaterialTint(const FString& MaterialName)
	{
		// A light, saturated colour picked by the name's FNV-1a hash, so that neighbouring
		// materials tell apart.
		static const FColor Palette[] = {
			FColor(214, 160, 98), FColor(120, 170, 220), FColor(200, 90, 80), FColor(120, 190, 120),
			FColor(225, 205, 120), FColor(170, 140, 210), FColor(200, 200, 205), FColor(90, 170, 175),
		};
		uint32 Hash = 2166136261u;
		for (const TCHAR Char : MaterialName)
		{
			Hash = (Hash ^ uint32(Char)) * 16777619u;
		}
		return Palette[Hash % UE_ARRAY_COUNT(Palette)];
	}

	FLevelPicture RenderLevel(const TArray<AActor*>& Actors, int32 Width, int32 Height)
	{
		FLevelPicture Picture;
		Picture.Width = FMath::Max(Width, 0);
		Picture.Height = FMath::Max(Height, 0);
		Picture.Pixels.Init(LevelBackground(), Picture.Width * Picture.Height);
		const TArray<FTriangle> Triangles = Gather(Actors);
		if (Triangles.IsEmpty() || Picture.Pixels.IsEmpty())
		{
			return Picture;
		}
		const FCamera Camera = Frame(Triangles, Picture.Width, Picture.Height);
		const FVector Light = Normal(LightFrom);
		TArray<double> Depths;
		Depths.Init(std::numeric_limits<double>::max(), Picture.Pixels.Num());
		for (const FTriangle& Triangle : Triangles)
		{
			FVector Screen[3];
			if (!Camera.Project(Triangle.Corners[0], Screen[0]) || !Camera.Project(Triangle.Corners[1], Screen[1]) || !Camera.Project(Triangle.Corners[2], Screen[2]))
			{
				continue;
			}
			const double Area = Edge(Screen[0], Screen[1], Screen[2].X, Screen[2].Y);
			if (std::abs(Area) < 1e-12)
			{
				continue;
			}
			// Both sides are lit alike: the side that faces the camera is the one seen.
			FVector Facing = Normal(FVector::CrossProduct(Triangle.Corners[1] - Triangle.Corners[0], Triangle.Corners[2] - Triangle.Corners[0]));
			if (Dot(Facing, Camera.Eye - Triangle.Corners[0]) < 0.0)
			{
				Facing = Facing * -1.0;
			}
			const FColor Colour = Shade(Triangle.Tint, Ambient + (1.0 - Ambient) * FMath::Max(Dot(Facing, Light), 0.0));
			const int32 MinX = FMath::Max(int32(std::floor(std::fmin(std::fmin(Screen[0].X, Screen[1].X), Screen[2].X))), 0);
			const int32 MaxX = FMath::Min(int32(std::ceil(std::fmax(std::fmax(Screen[0].X, Screen[1].X), Screen[2].X))), Picture.Width - 1);
			const int32 MinY = FMath::Max(int32(std::floor(std::fmin(std::fmin(Screen[0].Y, Screen[1].Y), Screen[2].Y))), 0);
			const int32 MaxY = FMath::Min(int32(std::ceil(std::fmax(std::fmax(Screen[0].Y, Screen[1].Y), Screen[2].Y))), Picture.Height - 1);
			for (int32 Y = MinY; Y <= MaxY; ++Y)
			{
				for (int32 X = MinX; X <= MaxX; ++X)
				{
					// Pixel centres inside the triangle, whichever way it winds on screen.
					const double PX = X + 0.5;
					const double PY = Y + 0.5;
					const double W0 = Edge(Screen[1], Screen[2], PX, PY) / Area;
					const double W1 = Edge(Screen[2], Screen[0], PX, PY) / Area;
					const double W2 = 1.0 - W0 - W1;
					if (W0 < 0.0 || W1 < 0.0 || W2 < 0.0)
					{
						continue;
					}
					// Screen-space interpolation of 1/depth is exact under perspective.
					const double InverseDepth = W0 / Screen[0].Z + W1 / Screen[1].Z + W2 / Screen[2].Z;
					const double Depth = 1.0 / InverseDepth;
					const int32 Pixel = Y * Picture.Width + X;
					if (Depth < Depths[Pixel])
					{
						Depths[Pixel] = Depth;
						Picture.Pixels[Pixel] = Colour;
					}
				}
			}
		}
		return Picture;
	}
}
