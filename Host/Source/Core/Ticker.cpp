#include "Containers/Ticker.h"

FTSTicker& FTSTicker::GetCoreTicker()
{
	static FTSTicker Ticker;
	return Ticker;
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const FTickerDelegate& InDelegate, float InDelay)
{
	// An unbound delegate (or one whose object is gone) removes itself by answering false.
	return AddTicker(TEXT("Ticker"), InDelay, [InDelegate](float DeltaTime) { return InDelegate.IsBound() && InDelegate.Execute(DeltaTime); });
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const TCHAR*, float InDelay, TUniqueFunction<bool(float)> Function)
{
	FElementPtr Element = MakeShared<FElement>();
	Element->DelayTime = InDelay;
	Element->Function = MoveTemp(Function);
	std::lock_guard Lock(Mutex);
	Element->FireTime = CurrentTime + InDelay;
	Added.push_back(Element);
	return FDelegateHandle(Element);
}

void FTSTicker::RemoveTicker(FDelegateHandle Handle)
{
	if (FElementPtr Element = Handle.Pin())
	{
		// Waits for a run in progress on another thread; from inside its own run it does not.
		std::lock_guard Lock(Element->Executing);
		Element->bRemoved = true;
	}
}

void FTSTicker::Tick(float DeltaTime)
{
	std::vector<FElementPtr> Due;
	{
		std::lock_guard Lock(Mutex);
		CurrentTime += DeltaTime;
		// Tickers added since the last frame join now; those added during this frame wait.
		Elements.insert(Elements.end(), Added.begin(), Added.end());
		Added.clear();
		std::vector<FElementPtr> Waiting;
		for (FElementPtr& Element : Elements)
		{
			if (Element->bRemoved)
			{
				continue;
			}
			(Element->FireTime <= CurrentTime ? Due : Waiting).push_back(Element);
		}
		Elements.swap(Waiting);
	}

	std::vector<FElementPtr> Again;
	for (FElementPtr& Element : Due)
	{
		std::lock_guard ElementLock(Element->Executing);
		if (Element->bRemoved)
		{
			continue;
		}
		if (Element->Function(DeltaTime) && !Element->bRemoved)
		{
			Again.push_back(Element);
		}
		else
		{
			Element->bRemoved = true;
		}
	}

	std::lock_guard Lock(Mutex);
	for (FElementPtr& Element : Again)
	{
		Element->FireTime = CurrentTime + Element->DelayTime;
		Elements.push_back(Element);
	}
}

void FTSTicker::Reset()
{
	std::vector<FElementPtr> Dropped;
	{
		std::lock_guard Lock(Mutex);
		Dropped.swap(Elements);
		Dropped.insert(Dropped.end(), Added.begin(), Added.end());
		Added.clear();
		CurrentTime = 0;
	}
	for (FElementPtr& Element : Dropped)
	{
		Element->bRemoved = true;
	}
}
