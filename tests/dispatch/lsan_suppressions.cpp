// The font library keeps a cache that it never frees, and on a real display the desktop bus
// library keeps a connection buffer; the leak checker is told to ignore both.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
