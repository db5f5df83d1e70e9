#pragma once

#include "CoreTypes.h"
#include "Framework/Views/ITypedTableView.h"
#include "Templates/SharedPointer.h"

class SWidget;

// What a table view asks of its rows.
class ITableRow
{
public:
	virtual ~ITableRow() = default;

	// Called once the row has been made for an item (its item can be asked for from here on)
	// and when the view lets it go.
	virtual void InitializeRow() = 0;
	virtual void ResetRow() = 0;
	virtual void SetIndexInList(int32 InIndexInList) = 0;
	virtual int32 GetIndexInList() = 0;
	virtual bool IsItemSelected() const = 0;
	virtual ESelectionMode::Type GetSelectionMode() const = 0;
	virtual TSharedRef<SWidget> AsWidget() = 0;
	virtual TSharedPtr<SWidget> GetContent() = 0;
};
