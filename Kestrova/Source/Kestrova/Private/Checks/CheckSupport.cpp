#include "Checks/CheckSupport.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "Interfaces/IPluginManager.h"
#include "Layout/Children.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Widgets/SWidget.h"
#include "Widgets/Text/STextBlock.h"

#include <zlib.h>

namespace
{
	void Collect(const TSharedRef<SWidget>& Widget, bool bParentEnabled, TArray<KVAChecks::FShownText>& Out)
	{
		const EVisibility Visibility = Widget->GetVisibility();
		if (Visibility == EVisibility::Collapsed || Visibility == EVisibility::Hidden)
		{
			return;
		}
		const bool bEnabled = bParentEnabled && Widget->IsEnabled();
		if (Widget->GetType() == FName(TEXT("STextBlock")))
		{
			const FString Text = StaticCastSharedRef<STextBlock>(Widget)->GetText().ToString();
			if (!Text.IsEmpty())
			{
				Out.Add({Text, bEnabled});
			}
		}
		FChildren* Children = Widget->GetChildren();
		for (int32 Index = 0; Children && Index < Children->Num(); ++Index)
		{
			Collect(Children->GetChildAt(Index), bEnabled, Out);
		}
	}

	void Put16(TArray<uint8>& Out, uint32 Value)
	{
		Out.Add(uint8(Value));
		Out.Add(uint8(Value >> 8));
	}

	void Put32(TArray<uint8>& Out, uint32 Value)
	{
		Put16(Out, Value & 0xFFFF);
		Put16(Out, Value >> 16);
	}
}

namespace KVAChecks
{
	FString FixtureDir()
	{
		const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("Kestrova"));
		return Plugin.IsValid() ? FPaths::Combine(Plugin->GetBaseDir(), TEXT("Source/Kestrova/Private/Checks/Fixtures")) : FString();
	}

	TArray<uint8> LoadBytes(const FString& Name)
	{
		TArray<uint8> Bytes;
		FFileHelper::LoadFileToArray(Bytes, *FPaths::Combine(FixtureDir(), Name));
		return Bytes;
	}

	TSharedPtr<FJsonObject> LoadJson(const FString& Name)
	{
		FString Text;
		TSharedPtr<FJsonObject> Json;
		if (FFileHelper::LoadFileToString(Text, *FPaths::Combine(FixtureDir(), Name)))
		{
			FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Text), Json);
		}
		return Json;
	}

	TArray<FShownText> ShownTexts(const TSharedRef<SWidget>& Root)
	{
		TArray<FShownText> Texts;
		Collect(Root, true, Texts);
		return Texts;
	}

	TArray<uint8> StoredZip(const TArray<TPair<FString, TArray<uint8>>>& Members)
	{
		TArray<uint8> Zip;
		TArray<uint8> Directory;
		for (const TPair<FString, TArray<uint8>>& Member : Members)
		{
			const FTCHARToUTF8 Name(*Member.Key);
			const uint32 Crc = uint32(crc32(0, Member.Value.GetData(), uInt(Member.Value.Num())));
			const uint32 Offset = uint32(Zip.Num());
			// Local header: version 20, no flags, stored, a fixed date.
			Put32(Zip, 0x04034B50);
			for (const uint32 Field : {20u, 0u, 0u, 0u, 0x5921u})
			{
				Put16(Zip, Field);
			}
			Put32(Zip, Crc);
			Put32(Zip, uint32(Member.Value.Num()));
			Put32(Zip, uint32(Member.Value.Num()));
			Put16(Zip, uint32(Name.Length()));
			Put16(Zip, 0);
			Zip.Append(reinterpret_cast<const uint8*>(Name.Get()), Name.Length());
			Zip.Append(Member.Value);
			// Its central record: made by Unix, a plain file readable by everyone.
			Put32(Directory, 0x02014B50);
			for (const uint32 Field : {0x0314u, 20u, 0u, 0u, 0u, 0x5921u})
			{
				Put16(Directory, Field);
			}
			Put32(Directory, Crc);
			Put32(Directory, uint32(Member.Value.Num()));
			Put32(Directory, uint32(Member.Value.Num()));
			Put16(Directory, uint32(Name.Length()));
			for (const uint32 Field : {0u, 0u, 0u, 0u})
			{
				Put16(Directory, Field);
			}
			Put32(Directory, 0x81A40000);
			Put32(Directory, Offset);
			Directory.Append(reinterpret_cast<const uint8*>(Name.Get()), Name.Length());
		}
		const uint32 DirectoryOffset = uint32(Zip.Num());
		Zip.Append(Directory);
		Put32(Zip, 0x06054B50);
		Put16(Zip, 0);
		Put16(Zip, 0);
		Put16(Zip, uint32(Members.Num()));
		Put16(Zip, uint32(Members.Num()));
		Put32(Zip, uint32(Directory.Num()));
		Put32(Zip, DirectoryOffset);
		Put16(Zip, 0);
		return Zip;
	}
}

#endif
