#pragma once

#include "CoreMinimal.h"

#include <gtest/gtest.h>

#include <ostream>

// Lets GoogleTest print the engine's strings and names in failure messages.
inline void PrintTo(const FString& Text, std::ostream* Out)
{
	*Out << '"' << FTCHARToUTF8(*Text).Get() << '"';
}

inline void PrintTo(const FName& Name, std::ostream* Out)
{
	PrintTo(Name.ToString(), Out);
}

template <typename ElementType>
void PrintTo(const TArray<ElementType>& Array, std::ostream* Out)
{
	*Out << "{";
	for (int32 Index = 0; Index < Array.Num(); ++Index)
	{
		*Out << (Index > 0 ? ", " : " ") << ::testing::PrintToString(Array[Index]);
	}
	*Out << " }";
}
