#include "Engine/Engine.h"

#include "Engine/World.h"

UEngine* GEngine = nullptr;

void UEngine::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	UEngine* Engine = static_cast<UEngine*>(InThis);
	for (int32 Index = 0; Index < Engine->WorldList.Num(); ++Index)
	{
		Collector.AddReferencedObject(Engine->WorldList[Index].ThisCurrentWorld, InThis);
	}
}

FWorldContext& UEngine::CreateNewWorldContext(EWorldType::Type WorldType)
{
	FWorldContext* Context = new FWorldContext();
	Context->WorldType = WorldType;
	Context->ContextHandle = FName(FString::Printf(TEXT("Context_%d"), NextWorldContextHandle++));
	WorldList.Add(Context);
	return *Context;
}

void UEngine::DestroyWorldContext(UWorld* InWorld)
{
	for (int32 Index = 0; Index < WorldList.Num(); ++Index)
	{
		if (WorldList[Index].World() == InWorld)
		{
			WorldList.RemoveAt(Index);
			return;
		}
	}
}

FWorldContext* UEngine::GetWorldContextFromWorld(const UWorld* InWorld)
{
	for (int32 Index = 0; Index < WorldList.Num(); ++Index)
	{
		if (WorldList[Index].World() == InWorld)
		{
			return &WorldList[Index];
		}
	}
	return nullptr;
}
