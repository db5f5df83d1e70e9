#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"

#include <atomic>
#include <mutex>
#include <vector>

// Ticker delegates return true to fire again after the same delay, false to be removed.
typedef TDelegate<bool(float)> FTickerDelegate;

// Thread-safe ticker: fires functions after a delay, on the thread that calls Tick (the game
// thread for the core ticker).
class FTSTicker
{
public:
	struct FElement
	{
		double FireTime = 0;
		float DelayTime = 0;
		TUniqueFunction<bool(float)> Function;
		std::atomic<bool> bRemoved{false};
		// Held while the function runs, so that a removal from another thread waits for it.
		std::recursive_mutex Executing;
	};
	typedef TSharedPtr<FElement> FElementPtr;
	typedef TWeakPtr<FElement> FDelegateHandle;

	static FTSTicker& GetCoreTicker();

	FDelegateHandle AddTicker(const FTickerDelegate& InDelegate, float InDelay = 0.0f);
	FDelegateHandle AddTicker(const TCHAR* InName, float InDelay, TUniqueFunction<bool(float)> Function);
	static void RemoveTicker(FDelegateHandle Handle);
	void Tick(float DeltaTime);
	void Reset();

private:
	std::mutex Mutex;
	std::vector<FElementPtr> Added;
	std::vector<FElementPtr> Elements;
	double CurrentTime = 0;
};
