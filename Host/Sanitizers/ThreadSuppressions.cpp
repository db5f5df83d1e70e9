// Races the thread sanitizer reports inside the libraries the stand-in draws text with: pango
// matches fonts on a thread of its own and hands the result over through GLib's locks, which
// the sanitizer cannot see in uninstrumented libraries. Every program built with the thread
// sanitizer that links the stand-in gets this list.
extern "C" const char* __tsan_default_suppressions()
{
	return "called_from_lib:libpangoft2-1.0.so.0\n"
		   "called_from_lib:libglib-2.0.so.0\n"
		   "race:libfontconfig.so.1\n";
}
