// glib and libmdb keep caches for the life of the process; they are not ours
// to free, and LeakSanitizer must not count them against an input.
extern "C" const char* __lsan_default_suppressions() { return "leak:libglib\nleak:libmdb\nleak:libiconv\n"; }
