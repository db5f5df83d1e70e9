#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Input/Reply.h"
#include "Internationalization/Text.h"
#include "Templates/SharedPointer.h"
#include "Types/SlateEnums.h"

class ITableRow;
class STableViewBase;
class SWidget;

DECLARE_DELEGATE_RetVal(FReply, FOnClicked);
DECLARE_DELEGATE_RetVal(TSharedRef<SWidget>, FOnGetContent);
DECLARE_DELEGATE_OneParam(FOnIsOpenChanged, bool);
DECLARE_DELEGATE_OneParam(FOnTextChanged, const FText&);
DECLARE_DELEGATE_TwoParams(FOnTextCommitted, const FText&, ETextCommit::Type);
DECLARE_DELEGATE_OneParam(FOnFloatValueChanged, float);

// Delegates typed by the item of a list or combo box.
template <typename ArgumentType>
class TSlateDelegates
{
public:
	typedef TDelegate<TSharedRef<SWidget>(ArgumentType)> FOnGenerateWidget;
	typedef TDelegate<TSharedRef<ITableRow>(ArgumentType, const TSharedRef<STableViewBase>&)> FOnGenerateRow;
	typedef TDelegate<void(ArgumentType, ESelectInfo::Type)> FOnSelectionChanged;
	typedef TDelegate<void(ArgumentType)> FOnMouseButtonClick;
};
