#pragma once

#include "CoreTypes.h"
#include "Containers/EnumAsByte.h"
#include "Layout/Margin.h"
#include "Math/Color.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Styling/SlateColor.h"
#include "UObject/NameTypes.h"
#include "UObject/ObjectPtr.h"

class UObject;
class FWidgetStyle;

namespace ESlateBrushDrawType
{
	enum Type : int
	{
		NoDrawType,
		Box,
		Border,
		Image,
		RoundedBox,
	};
}

namespace ESlateBrushTileType
{
	enum Type : int
	{
		NoTile,
		Horizontal,
		Vertical,
		Both,
	};
}

namespace ESlateBrushMirrorType
{
	enum Type : int
	{
		NoMirror,
		Horizontal,
		Vertical,
		Both,
	};
}

namespace ESlateBrushImageType
{
	enum Type : int
	{
		NoImage,
		FullColor,
		Linear,
		Vector,
	};
}

namespace ESlateBrushRoundingType
{
	enum Type : int
	{
		FixedRadius,
		HalfHeightRadius,
	};
}

// The corners and outline of a rounded box; radii are top left, top right, bottom right,
// bottom left.
struct FSlateBrushOutlineSettings
{
	FSlateBrushOutlineSettings() = default;
	FSlateBrushOutlineSettings(float InRadius) : CornerRadii(InRadius, InRadius, InRadius, InRadius), RoundingType(ESlateBrushRoundingType::FixedRadius) {}
	FSlateBrushOutlineSettings(FVector4 InRadii) : CornerRadii(InRadii), RoundingType(ESlateBrushRoundingType::FixedRadius) {}
	FSlateBrushOutlineSettings(const FSlateColor& InColor, float InWidth) : Color(InColor), Width(InWidth) {}
	FSlateBrushOutlineSettings(float InRadius, const FSlateColor& InColor, float InWidth)
		: CornerRadii(InRadius, InRadius, InRadius, InRadius), Color(InColor), Width(InWidth), RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}
	FSlateBrushOutlineSettings(FVector4 InRadii, const FSlateColor& InColor, float InWidth)
		: CornerRadii(InRadii), Color(InColor), Width(InWidth), RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}

	bool operator==(const FSlateBrushOutlineSettings& Other) const
	{
		return CornerRadii == Other.CornerRadii && Color == Other.Color && Width == Other.Width && RoundingType == Other.RoundingType
			&& bUseBrushTransparency == Other.bUseBrushTransparency;
	}

	FVector4 CornerRadii = FVector4(0, 0, 0, 0);
	FSlateColor Color = FLinearColor::Transparent;
	float Width = 0.0f;
	TEnumAsByte<ESlateBrushRoundingType::Type> RoundingType = ESlateBrushRoundingType::HalfHeightRadius;
	bool bUseBrushTransparency = false;
};

// How to draw a rectangle: as a plain or tinted image (with a texture resource when it has
// one), a rounded box with an outline, or nothing.
struct FSlateBrush
{
	FSlateBrush();
	virtual ~FSlateBrush() = default;

	const FVector2D& GetImageSize() const { return ImageSize; }
	void SetImageSize(const FVector2D& InImageSize) { ImageSize = InImageSize; }
	const FMargin& GetMargin() const { return Margin; }
	ESlateBrushTileType::Type GetTiling() const { return Tiling; }
	ESlateBrushMirrorType::Type GetMirroring() const { return Mirroring; }
	ESlateBrushDrawType::Type GetDrawType() const { return DrawAs; }
	ESlateBrushImageType::Type GetImageType() const { return ImageType; }
	FLinearColor GetTint(const FWidgetStyle& InWidgetStyle) const { return TintColor.GetColor(InWidgetStyle); }

	UObject* GetResourceObject() const { return ResourceObject; }
	void SetResourceObject(UObject* InResourceObject) { ResourceObject = InResourceObject; }
	const FName GetResourceName() const { return ResourceName; }
	bool HasUObject() const { return ResourceObject != nullptr; }
	bool IsSet() const { return DrawAs != ESlateBrushDrawType::NoDrawType; }

	bool operator==(const FSlateBrush& Other) const
	{
		return ImageSize == Other.ImageSize && DrawAs == Other.DrawAs && Margin == Other.Margin && TintColor == Other.TintColor && Tiling == Other.Tiling
			&& Mirroring == Other.Mirroring && ResourceObject == Other.ResourceObject && ResourceName == Other.ResourceName
			&& OutlineSettings == Other.OutlineSettings;
	}

	FVector2D ImageSize;
	FMargin Margin;
	FSlateColor TintColor;
	FSlateBrushOutlineSettings OutlineSettings;
	TEnumAsByte<ESlateBrushDrawType::Type> DrawAs;
	TEnumAsByte<ESlateBrushTileType::Type> Tiling;
	TEnumAsByte<ESlateBrushMirrorType::Type> Mirroring;
	TEnumAsByte<ESlateBrushImageType::Type> ImageType;

protected:
	FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
		ESlateBrushImageType::Type InImageType, const FVector2D& InImageSize, const FSlateColor& InTint = FLinearColor::White,
		UObject* InObjectResource = nullptr);

	TObjectPtr<UObject> ResourceObject;
	FName ResourceName;
};

// Draws nothing.
struct FSlateNoResource : public FSlateBrush
{
	FSlateNoResource(const FVector2D& InImageSize = FVector2D(0, 0))
		: FSlateBrush(ESlateBrushDrawType::NoDrawType, NAME_None, FMargin(0), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize)
	{
	}
};

// Holds on to whatever a brush draws from, for as long as the brush is in use.
class ISlateBrushSource
{
public:
	virtual ~ISlateBrushSource() = default;
	virtual const FSlateBrush* GetSlateBrush() const = 0;
};
