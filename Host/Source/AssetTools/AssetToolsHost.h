#pragma once

#include "CoreTypes.h"

namespace UE::Host
{
	// How many import dialogs the asset tools would have shown (for tasks that are not
	// automated) since the "AssetTools" module was loaded; the stand-in shows none and imports
	// with the options given, as if the user had confirmed them.
	int32 CountImportDialogs();
}
