#pragma once

#include "CoreMinimal.h"

class UObject;

// Opens an editor transaction for the scope and commits it at the end of the scope, unless
// cancelled.
class FScopedTransaction
{
public:
	UE_NODISCARD_CTOR FScopedTransaction(const FText& SessionName, const bool bShouldActuallyTransact = true);
	UE_NODISCARD_CTOR FScopedTransaction(const TCHAR* TransactionContext, const FText& SessionName, UObject* PrimaryObject,
		const bool bShouldActuallyTransact = true);
	~FScopedTransaction();
	FScopedTransaction(const FScopedTransaction&) = delete;
	FScopedTransaction& operator=(const FScopedTransaction&) = delete;

	// Ends the transaction without committing it. Reentrant.
	void Cancel();
	bool IsOutstanding() const { return Index != -1; }

private:
	void Construct(const TCHAR* TransactionContext, const FText& SessionName, UObject* PrimaryObject, const bool bShouldActuallyTransact);

	int32 Index = -1;
};
