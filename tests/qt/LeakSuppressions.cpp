// fontconfig keeps its font cache for the life of the process; the leak checker of the
// sanitizer build is told not to report it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
