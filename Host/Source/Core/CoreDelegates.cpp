#include "Misc/CoreDelegates.h"

FSimpleMulticastDelegate FCoreDelegates::OnPostEngineInit;
FSimpleMulticastDelegate FCoreDelegates::OnEnginePreExit;
