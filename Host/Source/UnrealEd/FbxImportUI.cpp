#include "Factories/FbxImportUI.h"

#include "AssetImportTask.h"
#include "Factories/Factory.h"
#include "Factories/FbxStaticMeshImportData.h"

UFbxImportUI::UFbxImportUI()
{
	StaticMeshImportData = CreateDefaultSubobject<UFbxStaticMeshImportData>(TEXT("StaticMeshImportData"));
}

void UFbxImportUI::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	Collector.AddReferencedObject(static_cast<UFbxImportUI*>(InThis)->StaticMeshImportData, InThis);
}

void UAssetImportTask::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	UAssetImportTask* Task = static_cast<UAssetImportTask*>(InThis);
	Collector.AddReferencedObject(Task->Factory, InThis);
	Collector.AddReferencedObject(Task->Options, InThis);
	Collector.AddReferencedObjects(Task->Result, InThis);
}

const TArray<UObject*>& UAssetImportTask::GetObjects() const
{
	Objects.Reset();
	for (const TObjectPtr<UObject>& Object : Result)
	{
		Objects.Add(Object);
	}
	return Objects;
}
