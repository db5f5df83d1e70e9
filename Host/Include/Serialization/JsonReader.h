#pragma once

#include "CoreMinimal.h"

// A reader over JSON text held in a string.
template <class CharType = TCHAR>
class TJsonReader
{
public:
	explicit TJsonReader(FString InText) : Text(MoveTemp(InText)) {}
	const FString& GetText() const { return Text; }
	const FString& GetErrorMessage() const { return ErrorMessage; }
	void SetErrorMessage(const FString& Message) { ErrorMessage = Message; }

private:
	FString Text;
	FString ErrorMessage;
};

template <class CharType = TCHAR>
class TJsonReaderFactory
{
public:
	static TSharedRef<TJsonReader<CharType>> Create(const FString& JsonString)
	{
		return MakeShared<TJsonReader<CharType>>(JsonString);
	}
};
