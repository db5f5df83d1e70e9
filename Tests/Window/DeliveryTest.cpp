#include "WindowTestSupport.h"

#include "Editor.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshActor.h"

TEST_F(WindowTest, SmokeDelivery)
{
	SignIn();
	ASSERT_EQ(Click(TEXT("Oak Chair")), TEXT(""));
	ASSERT_TRUE(Settle());
	SaveState(TEXT("selection"));
	const int32 Before = Editor->CountLevelActors();
	ASSERT_EQ(Click(TEXT("Add to Scene")), TEXT(""));
	TArray<FString> Phases;
	ASSERT_TRUE(Pump([&] { if (Phases.IsEmpty() || Phases.Last() != Library().Phase) Phases.Add(Library().Phase); return !Library().bBusy; }, 30));
	for (const FString& P : Phases) printf("phase %s\n", KVAText::Utf8(P).c_str());
	printf("message %s\n", KVAText::Utf8(Library().Message).c_str());
	EXPECT_EQ(Editor->CountLevelActors(), Before + 1);
	SaveState(TEXT("imported"));
}
