// The font library keeps a cache that it never frees; the leak checker is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
