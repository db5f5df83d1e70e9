#pragma once

// Assertions as in the engine's development builds: check and checkf stop the process
// with the failed expression; ensure reports once per call site and lets execution go on.

namespace FDebug
{
	[[noreturn]] void AssertFailed(const char* Expr, const char* File, int Line, const char* Format = "", ...);
	bool OptionallyLogFormattedEnsureMessageReturningFalse(bool bLog, const char* Expr, const char* File, int Line, const char* Format, ...);
}

#define check(expr) \
	do { if (!(expr)) [[unlikely]] { ::FDebug::AssertFailed(#expr, __FILE__, __LINE__); } } while (false)
#define checkf(expr, format, ...) \
	do { if (!(expr)) [[unlikely]] { ::FDebug::AssertFailed(#expr, __FILE__, __LINE__, "see message"); } } while (false)
#define verify(expr) check(expr)
#define checkNoEntry() ::FDebug::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)

#define KVA_ENSURE_IMPL(expr, bAlways) \
	([&]() -> bool { \
		static bool bReported = false; \
		if ((expr)) [[likely]] { return true; } \
		const bool bLog = (bAlways) || !bReported; \
		bReported = true; \
		return ::FDebug::OptionallyLogFormattedEnsureMessageReturningFalse(bLog, #expr, __FILE__, __LINE__, ""); \
	}())
#define ensure(expr) KVA_ENSURE_IMPL(expr, false)
#define ensureMsgf(expr, format, ...) KVA_ENSURE_IMPL(expr, false)
#define ensureAlways(expr) KVA_ENSURE_IMPL(expr, true)
