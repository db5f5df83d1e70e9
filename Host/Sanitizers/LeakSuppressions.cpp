// Allocations the leak checker cannot follow inside the libraries the stand-in uses; every
// program built with the address sanitizer that links the stand-in gets this list.
//  - Assimp 5.2's FBX reader leaks the parts it has read when a damaged file makes it give up.
//  - Fontconfig keeps its patterns and font sets through offsets rather than pointers, so what
//    pango's font map caches looks unreachable.
//  - libdbus keeps its connection to the session bus for the life of the process unless it is
//    shut down, which SDL 2.26 (the desktop window's) never does.
extern "C" const char* __lsan_default_suppressions()
{
	return "leak:libassimp.so\n"
		   "leak:libfontconfig.so\n"
		   "leak:libdbus-1.so\n";
}

// The list is not echoed at exit: programs such as the package checker own their stderr.
extern "C" const char* __lsan_default_options()
{
	return "print_suppressions=0";
}
