#include "LayoutReport.h"

#include "EditorSession.h"

#include "Client/KestrovaClient.h"
#include "Client/KestrovaText.h"
#include "Window/LibraryWindow.h"

#include "Runtime/HostEditor.h"
#include "SlateTesting/SlateDriver.h"

#include <cstdio>
#include <cstdlib>

namespace
{
	FString DescribeLibrary(const SKVALibrary& Library)
	{
		FString State = Library.bSigningIn ? TEXT("signing in") : Library.Client->Connected() ? TEXT("signed in") : TEXT("signed out");
		if (Library.bBusy)
		{
			State += Library.Phase.IsEmpty() ? FString(TEXT(", busy")) : TEXT(", busy: ") + Library.Phase;
		}
		if (!Library.Query.IsEmpty())
		{
			State += TEXT(", search \"") + Library.Query + TEXT("\"");
		}
		State += FString::Printf(TEXT(", %d products"), Library.Products.Num());
		if (Library.Selected.IsValid())
		{
			State += TEXT(", chosen \"") + Library.Selected->Title + TEXT("\"");
		}
		if (!Library.Message.IsEmpty())
		{
			State += TEXT(", says \"") + Library.Message + TEXT("\"");
		}
		return State;
	}

	FString Describe(const FEditorSession& Session)
	{
		const TSharedPtr<SKVALibrary> Library = Session.FindLibrary();
		FString State = Library.IsValid() ? DescribeLibrary(*Library) : FString(TEXT("no library"));
		const FHostEditor& Editor = *FHostEditor::Get();
		return State + FString::Printf(TEXT("; level %d actors; history %d, %d undone"), Editor.CountLevelActors(), Editor.GetUndoTitles().Num(), Editor.GetUndoCount());
	}
}

namespace KVAEditor
{
	bool FLayoutReport::IsWanted()
	{
		const char* Value = std::getenv("KVA_REPORT_LAYOUT");
		return Value != nullptr && *Value != '\0' && std::string(Value) != "0";
	}

	void FLayoutReport::Update(FEditorSession& Session, const TArray<const FSlateDriver*>& Windows)
	{
		FString NewLayout;
		for (const FSlateDriver* Window : Windows)
		{
			for (const FSlateDriver::FShownText& Shown : Window->GetShownTextPlaces())
			{
				const FVector2D Centre = Shown.Rect.GetCenter();
				if (!Shown.Text.IsEmpty() && Shown.Clip.ContainsPoint(Centre))
				{
					NewLayout += FString::Printf(TEXT("text %d %d "), FMath::RoundToInt(Centre.X), FMath::RoundToInt(Centre.Y)) + Shown.Text + TEXT("\n");
				}
			}
		}
		if (!NewLayout.Equals(Layout, ESearchCase::CaseSensitive))
		{
			std::printf("layout\n%s", KVAText::Utf8(NewLayout).c_str());
			Layout = NewLayout;
		}
		const FString NewState = Describe(Session);
		if (!NewState.Equals(State, ESearchCase::CaseSensitive))
		{
			std::printf("state %s\n", KVAText::Utf8(NewState).c_str());
			State = NewState;
		}
		std::fflush(stdout);
	}
}
