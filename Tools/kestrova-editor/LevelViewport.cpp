#include "LevelViewport.h"

#include "LevelRender.h"

#include "Components/StaticMeshComponent.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SOverlay.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	// What the picture depends on: each actor with a mesh, its mesh and where it stands.
	FString Describe(const TArray<AActor*>& Actors)
	{
		FString Text;
		for (const AActor* Actor : Actors)
		{
			const AStaticMeshActor* MeshActor = Cast<AStaticMeshActor>(Actor);
			const UStaticMeshComponent* Component = MeshActor != nullptr ? MeshActor->GetStaticMeshComponent() : nullptr;
			const UStaticMesh* Mesh = Component != nullptr ? Component->GetStaticMesh().Get() : nullptr;
			if (Mesh != nullptr)
			{
				const FTransform Transform = Component->GetComponentTransform();
				const FVector Location = Transform.GetLocation();
				const FRotator Rotation = Transform.Rotator();
				const FVector Scale = Transform.GetScale3D();
				Text += FString::Printf(TEXT("%p %p %f %f %f %f %f %f %f %f %f\n"), Actor, Mesh, Location.X, Location.Y, Location.Z, Rotation.Pitch, Rotation.Yaw,
					Rotation.Roll, Scale.X, Scale.Y, Scale.Z);
			}
		}
		return Text;
	}
}

const TCHAR* SLevelViewport::EmptyText()
{
	return TEXT("Nothing in the level to show");
}

void SLevelViewport::Construct(const FArguments& InArgs)
{
	Width = InArgs._Width;
	Height = InArgs._Height;
	Texture.Reset(UTexture2D::CreateTransient(Width, Height, PF_B8G8R8A8));
	Brush.SetResourceObject(Texture.Get());
	Brush.SetImageSize(FVector2D(Width, Height));
	ChildSlot
	[
		SNew(SBox)
		.WidthOverride(float(Width))
		.HeightOverride(float(Height))
		[
			SNew(SOverlay)
			+ SOverlay::Slot()
			[
				SNew(SImage).Image(&Brush)
			]
			+ SOverlay::Slot().HAlign(HAlign_Center).VAlign(VAlign_Center)
			[
				SNew(STextBlock)
				.Text(FText::FromString(EmptyText()))
				.ColorAndOpacity(FSlateColor::UseSubduedForeground())
				.Visibility_Lambda([this] { return bEmpty ? EVisibility::Visible : EVisibility::Collapsed; })
			]
		]
	];
	Shown = TEXT("not drawn yet");
	Refresh({});
}

void SLevelViewport::Refresh(const TArray<AActor*>& Actors)
{
	const FString Now = Describe(Actors);
	if (Now == Shown || !Texture.IsValid() || Texture->GetPlatformData() == nullptr)
	{
		return;
	}
	const KVAEditor::FLevelPicture Picture = KVAEditor::RenderLevel(Actors, Width, Height);
	FTexture2DMipMap& Mip = Texture->GetPlatformData()->Mips[0];
	void* Target = Mip.BulkData.Lock(LOCK_READ_WRITE);
	FMemory::Memcpy(Target, Picture.Pixels.GetData(), Picture.Pixels.Num() * sizeof(FColor));
	Mip.BulkData.Unlock();
	Texture->UpdateResource();
	Shown = Now;
	bEmpty = Now.IsEmpty();
}
