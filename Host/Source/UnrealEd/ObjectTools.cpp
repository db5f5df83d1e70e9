#include "ObjectTools.h"

#include "UObject/Object.h"
#include "UObject/UObjectGlobals.h"

int32 ObjectTools::DeleteObjectsUnchecked(const TArray<UObject*>& ObjectsToDelete)
{
	int32 NumDeleted = 0;
	for (UObject* Object : ObjectsToDelete)
	{
		if (!IsValid(Object))
		{
			continue;
		}
		// Without its standalone flag and marked as garbage, the next collection takes it and
		// clears the references that other objects hold to it.
		Object->ClearFlags(RF_Standalone);
		Object->MarkAsGarbage();
		++NumDeleted;
	}
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	return NumDeleted;
}

FString ObjectTools::SanitizeInvalidChars(const FString& InText, const FString& InvalidChars)
{
	FString Result = InText;
	for (TCHAR& Char : Result)
	{
		int32 Unused = INDEX_NONE;
		if (InvalidChars.FindChar(Char, Unused))
		{
			Char = TEXT('_');
		}
	}
	return Result;
}

FString ObjectTools::SanitizeObjectName(const FString& InObjectName)
{
	return SanitizeInvalidChars(InObjectName, INVALID_OBJECTNAME_CHARACTERS);
}
