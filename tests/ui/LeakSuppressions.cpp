// LeakSanitizer reads these at start. Qt's offscreen platform loads
// fontconfig, which keeps allocations it never frees; a UI test program cannot
// free them either. Only system libraries belong here, never our own code.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
