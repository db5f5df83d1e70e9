#pragma once

#include "CoreTypes.h"
#include "Misc/EnumClassFlags.h"

// Flags describing an object instance, with the engine's values.
enum EObjectFlags
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_MarkAsNative = 0x00000004,
	RF_Transactional = 0x00000008,
	RF_ClassDefaultObject = 0x00000010,
	RF_ArchetypeObject = 0x00000020,
	RF_Transient = 0x00000040,
	RF_MarkAsRootSet = 0x00000080,
	RF_TagGarbageTemp = 0x00000100,
	RF_NeedInitialization = 0x00000200,
	RF_NeedLoad = 0x00000400,
	RF_KeepForCooker = 0x00000800,
	RF_NeedPostLoad = 0x00001000,
	RF_NeedPostLoadSubobjects = 0x00002000,
	RF_NewerVersionExists = 0x00004000,
	RF_BeginDestroyed = 0x00008000,
	RF_FinishDestroyed = 0x00010000,
	RF_BeingRegenerated = 0x00020000,
	RF_DefaultSubObject = 0x00040000,
	RF_WasLoaded = 0x00080000,
	RF_TextExportTransient = 0x00100000,
	RF_LoadCompleted = 0x00200000,
	RF_InheritableComponentTemplate = 0x00400000,
	RF_DuplicateTransient = 0x00800000,
	RF_StrongRefOnFrame = 0x01000000,
	RF_NonPIEDuplicateTransient = 0x02000000,
	RF_WillBeLoaded = 0x08000000,
	RF_HasExternalPackage = 0x10000000,
	RF_MirroredGarbage = 0x40000000,
	RF_AllocatedInSharedPage = 0x80000000,
};
ENUM_CLASS_FLAGS(EObjectFlags)

// Flags of a package, with the engine's values.
enum EPackageFlags
{
	PKG_None = 0x00000000,
	PKG_NewlyCreated = 0x00000001,
	PKG_ClientOptional = 0x00000002,
	PKG_ServerSideOnly = 0x00000004,
	PKG_CompiledIn = 0x00000010,
	PKG_ForDiffing = 0x00000020,
	PKG_EditorOnly = 0x00000040,
	PKG_Developer = 0x00000080,
	PKG_UncookedOnly = 0x00000100,
	PKG_Cooked = 0x00000200,
	PKG_ContainsNoAsset = 0x00000400,
	PKG_NotExternallyReferenceable = 0x00000800,
	PKG_UnversionedProperties = 0x00002000,
	PKG_ContainsMapData = 0x00004000,
	PKG_IsSaving = 0x00008000,
	PKG_Compiling = 0x00010000,
	PKG_ContainsMap = 0x00020000,
	PKG_RequiresLocalizationGather = 0x00040000,
	PKG_PlayInEditor = 0x00100000,
	PKG_ContainsScript = 0x00200000,
	PKG_DisallowExport = 0x00400000,
	PKG_CookGenerated = 0x08000000,
	PKG_DynamicImports = 0x10000000,
	PKG_RuntimeGenerated = 0x20000000,
	PKG_ReloadingForCooker = 0x40000000,
	PKG_FilterEditorOnly = 0x80000000,
};

enum ERenameFlags
{
	REN_None = 0x0000,
	REN_ForceNoResetLoaders = 0x0001,
	REN_Test = 0x0002,
	REN_DoNotDirty = 0x0004,
	REN_DontCreateRedirectors = 0x0010,
	REN_NonTransactional = 0x0020,
};

// The reflection markup that UnrealHeaderTool reads. The stand-in has no header tool: the
// markup expands to nothing, and the stand-in's classes declare themselves with
// DECLARE_HOST_CLASS below.
#define UCLASS(...)
#define USTRUCT(...)
#define UENUM(...)
#define UINTERFACE(...)
#define UPROPERTY(...)
#define UFUNCTION(...)
#define UMETA(...)
#define UPARAM(...)
#define GENERATED_BODY(...)
#define GENERATED_UCLASS_BODY(...)
#define GENERATED_USTRUCT_BODY(...)

class UClass;
class UObject;
class FReferenceCollector;
class FArchive;

namespace UE::CoreUObject::Private
{
	// The class record of a stand-in class, made once on first use.
	UClass* MakeHostClass(const TCHAR* CppName, const TCHAR* PackageName, UClass* SuperClass, UObject* (*Construct)(),
		void (*AddReferencedObjects)(UObject*, FReferenceCollector&));
}

// What the generated code of a UCLASS gives the class: Super, ThisClass and StaticClass.
// The class's static AddReferencedObjects (inherited when it declares none) tells the garbage
// collector about the objects it holds.
#define DECLARE_HOST_CLASS(TClass, TSuperClass, TPackage) DECLARE_HOST_CLASS_IMPL(TClass, TSuperClass, TPackage, []() -> UObject* { return new TClass(); })
// The same for a class that has no instances of its own (UCLASS(Abstract)).
#define DECLARE_HOST_ABSTRACT_CLASS(TClass, TSuperClass, TPackage) DECLARE_HOST_CLASS_IMPL(TClass, TSuperClass, TPackage, nullptr)

#define DECLARE_HOST_CLASS_IMPL(TClass, TSuperClass, TPackage, TConstructor) \
public: \
	typedef TSuperClass Super; \
	typedef TClass ThisClass; \
	static UClass* StaticClass() \
	{ \
		static UClass* Class = ::UE::CoreUObject::Private::MakeHostClass(TEXT(#TClass), TPackage, TSuperClass::StaticClass(), \
			TConstructor, &TClass::AddReferencedObjects); \
		return Class; \
	} \
private:
