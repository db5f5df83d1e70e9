#include "Misc/AssertionMacros.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void FDebug::AssertFailed(const char* Expr, const char* File, int Line, const char* Format, ...)
{
	std::fprintf(stderr, "Assertion failed: %s [%s:%d] %s\n", Expr, File, Line, Format ? Format : "");
	std::fflush(stderr);
	std::abort();
}

bool FDebug::OptionallyLogFormattedEnsureMessageReturningFalse(bool bLog, const char* Expr, const char* File, int Line, const char*, ...)
{
	if (bLog)
	{
		std::fprintf(stderr, "Ensure condition failed: %s [%s:%d]\n", Expr, File, Line);
	}
	return false;
}
